// Expand all (keypad *) in the folder tree of the real browser window,
// offscreen, on the root of a chain of folders DEPTH levels deep
// (CHAIN/A/A/A/...): every level is read, its placeholder replaced by its
// one subfolder, and the last level's placeholder removed. And on a folder
// of WIDTH empty subfolders (WIDE/D00001 ...): each is read and loses its
// placeholder. The work should grow with the number of folders read, not
// with their depth or their number of siblings: the benchmark fits the
// times of several sizes and prints the fits (BM_ExpandAllChain_BigO and
// BM_ExpandAllWide_BigO).
//
// The volume is written into a temporary folder; VELLORA_BENCH_DEPTHS
// ("250,500,1000,2000" by default) and VELLORA_BENCH_WIDTHS
// ("5000,10000,20000") set the sizes.

#include "BenchApplication.h"
#include "CountingRunner.h"
#include "app/gui/CBrowserApp.h"
#include "browser/CBrowserDlg.h"
#include "platform/ModalRunner.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CTreeCtrl.h"
#include "session/BrowserSession.h"
#include "support/ScopedDrives.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes folder/CHAIN/A/A/... depth levels below CHAIN, walking down by
// open folders so that no path grows with the depth.
bool WriteChain(const QString& folder, int depth)
{
    int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const char* name = "CHAIN";
    for (int level = 0; fd >= 0 && level <= depth; ++level, name = "A") {
        if (mkdirat(fd, name, 0755) != 0 && errno != EEXIST) {
            close(fd);
            return false;
        }
        const int next = openat(fd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

// folder/WIDE with width empty subfolders.
bool WriteWide(const QString& folder, int width)
{
    QDir dir(folder);
    if (!dir.mkdir(QStringLiteral("WIDE")) || !dir.cd(QStringLiteral("WIDE")))
        return false;
    for (int i = 1; i <= width; ++i) {
        if (!dir.mkdir(QStringLiteral("D%1").arg(i, 5, 10, QLatin1Char('0'))))
            return false;
    }
    return true;
}

// A volume holding one chain or one wide folder, and browser windows over
// it.
class Setup {
public:
    explicit Setup(int depth, int width = 0)
    {
        if (width > 0 ? !WriteWide(m_volume.path(), width) : !WriteChain(m_volume.path(), depth))
            std::fprintf(stderr, "cannot write the volume\n");
        m_app.m_pszAppName = QStringLiteral("Vellora");
        m_drives.SetDrive(3, QStringLiteral("/"));
        m_drives.SetDrive(4, m_volume.path());
        QDir::setCurrent(m_volume.path());
        m_session.Load(platform::ProgramDirectory());
    }
    ~Setup()
    {
        m_browser.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    // A new window, shown, with the chain's root selected, which reads its
    // one subfolder; the window before goes first.
    CBrowserDlg& NewBrowser()
    {
        m_browser.reset();
        QDir::setCurrent(m_volume.path());
        m_browser = std::make_unique<CBrowserDlg>(m_session);
        m_browser->BuildDialog();
        m_browser->resize(800, 600);
        m_browser->show();
        if (QTreeWidgetItem* top = TopItem())
            m_browser->m_treeFolders->SelectItem(top);
        QCoreApplication::processEvents();
        return *m_browser;
    }
    int Modals() const { return m_runner.modals; }

    // The one folder below the root: Chain or Wide.
    QTreeWidgetItem* TopItem()
    {
        CTreeCtrl* tree = m_browser ? m_browser->m_treeFolders : nullptr;
        return tree ? tree->GetChildItem(tree->GetRootItem()) : nullptr;
    }

private:
    QTemporaryDir m_volume;
    CountingRunner m_runner;
    ScopedDrives m_drives;
    CBrowserApp m_app;
    BrowserSession m_session;
    std::unique_ptr<CBrowserDlg> m_browser;
};

int DepthOf(QTreeWidgetItem* item)
{
    int depth = 0;
    while (item && item->childCount() > 0) {
        item = item->child(0);
        ++depth;
    }
    return depth;
}

void BM_ExpandAllChain(benchmark::State& state)
{
    const int depth = static_cast<int>(state.range(0));
    Setup setup(depth);
    setup.NewBrowser();
    if (!setup.TopItem()) {
        state.SkipWithError("no Chain folder below the root");
        return;
    }
    QTreeWidgetItem* chain = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        CTreeCtrl* tree = setup.NewBrowser().m_treeFolders;
        chain = setup.TopItem();
        tree->setFocus();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier, QStringLiteral("*"));
        QCoreApplication::sendEvent(tree, &press);
        QCoreApplication::processEvents();  // the view lays the rows out
    }
    state.SetComplexityN(depth);
    state.counters["levels_read"] = DepthOf(chain);
    state.counters["modals"] = setup.Modals();
}

void BM_ExpandAllWide(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    Setup setup(0, width);
    setup.NewBrowser();
    if (!setup.TopItem()) {
        state.SkipWithError("no Wide folder below the root");
        return;
    }
    QTreeWidgetItem* wide = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        CTreeCtrl* tree = setup.NewBrowser().m_treeFolders;
        wide = setup.TopItem();
        tree->setFocus();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier, QStringLiteral("*"));
        QCoreApplication::sendEvent(tree, &press);
        QCoreApplication::processEvents();  // the view lays the rows out
    }
    int placeholdersLeft = 0;
    for (int i = 0; wide && i < wide->childCount(); ++i)
        placeholdersLeft += wide->child(i)->childCount();
    state.SetComplexityN(width);
    state.counters["subfolders"] = wide ? wide->childCount() : 0;
    state.counters["placeholders_left"] = placeholdersLeft;
    state.counters["modals"] = setup.Modals();
}

std::vector<int> Sizes(const char* variable, const char* defaults)
{
    std::vector<int> sizes;
    for (const QString& part : qEnvironmentVariable(variable, QString::fromLatin1(defaults)).split(u',', Qt::SkipEmptyParts)) {
        if (const int size = part.toInt(); size > 0)
            sizes.push_back(size);
    }
    return sizes;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication bench(argc, argv);
    if (!bench.Ok())
        return 1;
    auto* chain = benchmark::RegisterBenchmark("BM_ExpandAllChain", BM_ExpandAllChain);
    for (const int depth : Sizes("VELLORA_BENCH_DEPTHS", "250,500,1000,2000"))
        chain->Arg(depth);
    chain->Unit(benchmark::kMillisecond)->Iterations(3)->Complexity(benchmark::oN);
    auto* wide = benchmark::RegisterBenchmark("BM_ExpandAllWide", BM_ExpandAllWide);
    for (const int width : Sizes("VELLORA_BENCH_WIDTHS", "5000,10000,20000"))
        wide->Arg(width);
    wide->Unit(benchmark::kMillisecond)->Iterations(3)->Complexity(benchmark::oN);
    return bench.Run();
}
