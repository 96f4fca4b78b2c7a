// Reads the content type of every label of a volume folder, as the file
// list does when it fills. The folder is VELLORA_BENCH_VOLUME, or a
// synthetic volume of 10000 labels generated into a temporary folder.

#include "VolumeGenerator.h"
#include "label/LabelReader.h"
#include "support/ScopedDrives.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

class Volume {
public:
    Volume()
    {
        const QString given = qEnvironmentVariable("VELLORA_BENCH_VOLUME");
        if (!given.isEmpty()) {
            m_folder = given;
        } else {
            m_temporary = std::make_unique<QTemporaryDir>();
            m_folder = m_temporary->path();
            bench::WriteVolume(m_folder.toStdString(), 10000);
        }
        m_names = QDir(m_folder).entryList({"*.LBL", "*.lbl"}, QDir::Files, QDir::Name);
    }
    const QString& Folder() const { return m_folder; }
    const QStringList& Names() const { return m_names; }

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_folder;
    QStringList m_names;
};

const Volume& TheVolume()
{
    static const Volume volume;
    return volume;
}

void ReadAll(benchmark::State& state, const QStringList& paths)
{
    qsizetype found = 0;
    for (auto _ : state) {
        for (const QString& path : paths)
            found += GetLabelContentType(path, path).isEmpty() ? 0 : 1;
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * paths.size());
    state.counters["labels"] = double(paths.size());
}

// Host paths, as a tool outside the program would give them.
void BM_VolumeHostPaths(benchmark::State& state)
{
    const Volume& volume = TheVolume();
    QStringList paths;
    for (const QString& name : volume.Names())
        paths.append(volume.Folder() + '/' + name);
    ReadAll(state, paths);
}

// Drive paths in display case, as the file list passes them: each one is
// translated with the case-insensitive name match.
void BM_VolumeDrivePaths(benchmark::State& state)
{
    const Volume& volume = TheVolume();
    ScopedDrives drives;
    drives.SetDrive(3, QStringLiteral("/"));
    drives.SetDrive(4, volume.Folder());
    QStringList paths;
    for (const QString& name : volume.Names())
        paths.append("D:/" + name.left(1) + name.mid(1).toLower());
    ReadAll(state, paths);
}

}  // namespace

BENCHMARK(BM_VolumeHostPaths)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_VolumeDrivePaths)->Unit(benchmark::kMillisecond)->MinTime(1.0);

BENCHMARK_MAIN();
