// Expand all (keypad *) in the folder tree of the real browser window,
// offscreen, on the root of a chain of folders DEPTH levels deep
// (CHAIN/A/A/A/...): every level is read, its placeholder replaced by its
// one subfolder, and the last level's placeholder removed. The work should
// grow with the number of folders read, not with their depth: the
// benchmark fits the times of several depths and prints the fit
// (BM_ExpandAllChain_BigO, with N the depth).
//
// The volume is written into a temporary folder; VELLORA_BENCH_DEPTHS
// ("250,500,1000,2000" by default) sets the depths.

#include "BenchApplication.h"
#include "CountingRunner.h"
#include "app/CBrowserApp.h"
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

// A volume holding one chain, and browser windows over it.
class Setup {
public:
    explicit Setup(int depth)
    {
        if (!WriteChain(m_volume.path(), depth))
            std::fprintf(stderr, "cannot write a chain of %d folders\n", depth);
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
        if (QTreeWidgetItem* chain = ChainItem())
            m_browser->m_treeFolders->SelectItem(chain);
        QCoreApplication::processEvents();
        return *m_browser;
    }
    int Modals() const { return m_runner.modals; }

    QTreeWidgetItem* ChainItem()
    {
        CTreeCtrl* tree = m_browser ? m_browser->m_treeFolders : nullptr;
        for (HTREEITEM child = tree ? tree->GetChildItem(tree->GetRootItem()) : nullptr; child;
             child = tree->GetNextSiblingItem(child)) {
            if (tree->GetItemText(child) == QLatin1String("Chain"))
                return child;
        }
        return nullptr;
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
    if (!setup.ChainItem()) {
        state.SkipWithError("no Chain folder below the root");
        return;
    }
    QTreeWidgetItem* chain = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        CTreeCtrl* tree = setup.NewBrowser().m_treeFolders;
        chain = setup.ChainItem();
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

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication bench(argc, argv);
    if (!bench.Ok())
        return 1;
    std::vector<int> depths;
    for (const QString& part : qEnvironmentVariable("VELLORA_BENCH_DEPTHS", QStringLiteral("250,500,1000,2000"))
                                   .split(u',', Qt::SkipEmptyParts)) {
        if (const int depth = part.toInt(); depth > 0)
            depths.push_back(depth);
    }
    auto* chain = benchmark::RegisterBenchmark("BM_ExpandAllChain", BM_ExpandAllChain);
    for (const int depth : depths)
        chain->Arg(depth);
    chain->Unit(benchmark::kMillisecond)->Iterations(3)->Complexity(benchmark::oN);
    return bench.Run();
}
