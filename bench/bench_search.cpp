// The search for a missing helper over a tree of 100,000 entries in 10,000
// folders, with the progress window shown (offscreen unless a display is
// set) and stepped at every folder as the program does it: once for a name
// that is absent (the whole tree), once for a file met half-way. The tree
// is VELLORA_BENCH_TREE (written by make_tree), or one generated into a
// temporary folder.

#include "TreeGenerator.h"
#include "app/gui/CProgressDlg.h"
#include "open/SearchForFile.h"
#include "support/ScopedDrives.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Tree {
public:
    Tree()
    {
        m_root = qEnvironmentVariable("VELLORA_BENCH_TREE");
        if (m_root.isEmpty()) {
            m_temporary = std::make_unique<QTemporaryDir>();
            m_root = m_temporary->path() + "/Tree";
            m_ok = !bench::WriteTree(m_root.toStdString()).empty();
        } else {
            m_ok = QDir(m_root).exists();
        }
    }
    const QString& Root() const { return m_root; }
    bool Ok() const { return m_ok; }

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_root;
    bool m_ok = false;
};

const Tree& TheTree()
{
    static const Tree tree;
    return tree;
}

// Searches the tree from D: (its parent folder) with the progress window
// over a shown owner window, as the browser does.
void Search(benchmark::State& state, const QString& name, bool expectFound, bool window = true)
{
    const Tree& tree = TheTree();
    if (!tree.Ok()) {
        state.SkipWithError("no tree");
        return;
    }
    ScopedDrives drives;
    const QDir root(tree.Root());
    drives.SetDrive(3, QStringLiteral("/"));
    drives.SetDrive(4, QFileInfo(tree.Root()).absolutePath());
    const QString start = "D:/" + root.dirName();

    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    CProgressDlg progress;
    if (window)
        progress.Create(&owner);
    QCoreApplication::processEvents();

    bool found = false;
    for (auto _ : state) {
        QString path;
        found = SearchForFile(start, name, path, window ? &progress : nullptr);
        benchmark::DoNotOptimize(path);
    }
    if (found != expectFound)
        state.SkipWithError("unexpected search result");
    if (window)
        progress.DestroyWindow();
}

void BM_SearchAbsent(benchmark::State& state) { Search(state, QStringLiteral("absent.exe"), false); }
void BM_SearchHalfway(benchmark::State& state) { Search(state, QStringLiteral("halfway.exe"), true); }

// The walk alone, without a progress window: what the file system costs.
void BM_SearchAbsentWalkOnly(benchmark::State& state) { Search(state, QStringLiteral("absent.exe"), false, false); }

BENCHMARK(BM_SearchAbsent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHalfway)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchAbsentWalkOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
