// The browser window's two folder scans in the real widgets, offscreen,
// beside the shell commands that do the same reading:
//
//   BM_FillFileList      the file list of a folder of 10000 labels (content
//                        types and sizes read, items inserted and sorted,
//                        the view laid out)
//   BM_GrepAndLs         grep -m1 -i '^[[:space:]]*OBJECT[[:space:]]*=' over
//                        the same labels (named by find, through xargs),
//                        then ls -l of the folder
//   BM_ExpandFolder      opening a tree folder of 5000 subfolders
//   BM_FindAndSort       find DIR -mindepth 1 -maxdepth 1 -type d | sort
//   BM_ListMemory        heap and resident memory added by listing the
//                        labels, and what refilling twice adds on top
//
// The volume is VELLORA_BENCH_ROOT (with DATA/ holding the labels and WIDE/
// the subfolders, as browser_vs_shell.sh writes it), or one generated into
// a temporary folder.

#include "BenchApplication.h"
#include "CountingRunner.h"
#include "VolumeGenerator.h"
#include "app/gui/CBrowserApp.h"
#include "browser/CBrowserDlg.h"
#include "platform/ModalRunner.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"
#include "session/BrowserSession.h"
#include "support/ScopedDrives.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kLabels = 10000;
constexpr int kSubfolders = 5000;

// The volume and a browser window built over it, shown offscreen.
class Setup {
public:
    Setup()
    {
        m_root = qEnvironmentVariable("VELLORA_BENCH_ROOT");
        if (m_root.isEmpty()) {
            m_temporary = std::make_unique<QTemporaryDir>();
            m_root = m_temporary->path();
            std::fprintf(stderr, "writing a volume of %d labels and %d subfolders...\n", kLabels, kSubfolders);
            bench::WriteVolume((m_root + "/DATA").toStdString(), kLabels);
            for (int i = 0; i < kSubfolders; ++i)
                QDir().mkpath(m_root + QStringLiteral("/WIDE/SUB%1").arg(i, 5, 10, QLatin1Char('0')));
        }
        m_app.m_pszAppName = QStringLiteral("Vellora");
        m_drives.SetDrive(3, QStringLiteral("/"));
        m_drives.SetDrive(4, m_root);
        QDir::setCurrent(m_root);
        m_session.Load(platform::ProgramDirectory());
        Renew();
    }
    ~Setup()
    {
        m_browser.reset();
    }

    CBrowserDlg& Browser() { return *m_browser; }
    // A new window in place of the one before (whose tree has its folders
    // read): the root read, every other folder unread.
    CBrowserDlg& Renew()
    {
        m_browser.reset();
        QDir::setCurrent(m_root);
        m_browser = std::make_unique<CBrowserDlg>(m_session);
        m_browser->BuildDialog();
        m_browser->resize(800, 600);
        m_browser->show();
        QCoreApplication::processEvents();
        return *m_browser;
    }
    QString Labels() const { return m_root + "/DATA"; }
    QString Wide() const { return m_root + "/WIDE"; }
    int Modals() const { return m_runner.modals; }

    QTreeWidgetItem* WideItem()
    {
        CTreeCtrl* tree = m_browser->m_treeFolders;
        for (HTREEITEM child = tree->GetChildItem(tree->GetRootItem()); child; child = tree->GetNextSiblingItem(child)) {
            if (tree->GetItemText(child) == QLatin1String("Wide"))
                return child;
        }
        return nullptr;
    }

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_root;
    CountingRunner m_runner;
    ScopedDrives m_drives;
    CBrowserApp m_app;
    BrowserSession m_session;
    std::unique_ptr<CBrowserDlg> m_browser;
};

void FillLabels(CBrowserDlg& browser)
{
    browser.m_strCurrentFolder = QStringLiteral("D:/Data");
    browser.Session().m_strFileMask = QStringLiteral("*.lbl");
    browser.FillFileList();
    QCoreApplication::processEvents();  // the view lays the items out
}

void BM_FillFileList(benchmark::State& state, Setup& setup)
{
    CBrowserDlg& browser = setup.Browser();
    FillLabels(browser);  // warm the file system cache
    double filling = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        browser.m_strCurrentFolder = QStringLiteral("D:/Data");
        browser.Session().m_strFileMask = QStringLiteral("*.lbl");
        browser.FillFileList();
        filling += double(timer.nsecsElapsed());
        QCoreApplication::processEvents();  // the view lays the items out
    }
    // The time spent in FillFileList, before the view lays the items out.
    state.counters["fill_ms"] = filling / 1e6 / double(state.iterations());
    state.counters["items"] = browser.m_listFiles->GetItemCount();
    state.counters["modals"] = setup.Modals();
}

// Runs a fixed command line with /bin/sh and waits for it.
void Shell(const char* command)
{
    const char* argv[] = {"sh", "-c", command, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return;
    int status = 0;
    waitpid(pid, &status, 0);
}

void BM_GrepAndLs(benchmark::State& state, Setup& setup)
{
    // The names go to grep through xargs: a folder of 100,000 labels would
    // overflow one argument list.
    const std::string command = "cd '" + setup.Labels().toStdString() +
                                "' && find . -maxdepth 1 -name '*.LBL' -print0 |"
                                " xargs -0 grep -m1 -i '^[[:space:]]*OBJECT[[:space:]]*=' -- > /dev/null;"
                                " ls -l > /dev/null";
    Shell(command.c_str());
    for (auto _ : state)
        Shell(command.c_str());
}

void BM_ExpandFolder(benchmark::State& state, Setup& setup)
{
    if (!setup.WideItem()) {
        state.SkipWithError("no Wide folder below the root");
        return;
    }
    QTreeWidgetItem* wide = nullptr;
    double reading = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CTreeCtrl* tree = setup.Renew().m_treeFolders;
        wide = setup.WideItem();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        tree->Expand(wide);
        reading += double(timer.nsecsElapsed());
        QCoreApplication::processEvents();  // the view shows the new rows
    }
    state.counters["children"] = wide->childCount();
    // The time spent reading the folder and filling the tree, before the
    // view lays the rows out.
    state.counters["read_ms"] = reading / 1e6 / double(state.iterations());
}

void BM_FindAndSort(benchmark::State& state, Setup& setup)
{
    const std::string command =
        "find '" + setup.Wide().toStdString() + "' -mindepth 1 -maxdepth 1 -type d | sort > /dev/null";
    Shell(command.c_str());
    for (auto _ : state)
        Shell(command.c_str());
}

double HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

double ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

void BM_ListMemory(benchmark::State& state, Setup& setup)
{
    CBrowserDlg& browser = setup.Browser();
    double heapAdded = 0;
    double residentAdded = 0;
    double refillGrowth = 0;
    for (auto _ : state) {
        browser.Session().m_strFileMask = QStringLiteral("*.none");
        browser.FillFileList();
        QCoreApplication::processEvents();
        malloc_trim(0);
        const double heapBefore = HeapBytes();
        const double residentBefore = ResidentBytes();
        FillLabels(browser);
        heapAdded = HeapBytes() - heapBefore;
        residentAdded = ResidentBytes() - residentBefore;
        FillLabels(browser);
        FillLabels(browser);
        refillGrowth = HeapBytes() - heapBefore - heapAdded;
    }
    state.counters["heap_MB"] = heapAdded / 1e6;
    state.counters["rss_MB"] = residentAdded / 1e6;
    state.counters["refill_growth_KB"] = refillGrowth / 1e3;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication bench(argc, argv);
    if (!bench.Ok())
        return 1;
    Setup setup;
    const auto add = [&setup](const char* name, void (*run)(benchmark::State&, Setup&)) {
        return benchmark::RegisterBenchmark(name, [&setup, run](benchmark::State& state) { run(state, setup); })
            ->Unit(benchmark::kMillisecond);
    };
    add("BM_FillFileList", BM_FillFileList)->MinTime(2.0);
    // The shell commands spend their time in child processes: their
    // running time is counted by the clock on the wall.
    add("BM_GrepAndLs", BM_GrepAndLs)->MinTime(2.0)->UseRealTime();
    add("BM_ExpandFolder", BM_ExpandFolder)->MinTime(2.0);
    add("BM_FindAndSort", BM_FindAndSort)->MinTime(2.0)->UseRealTime();
    add("BM_ListMemory", BM_ListMemory)->Iterations(1);
    return bench.Run();
}
