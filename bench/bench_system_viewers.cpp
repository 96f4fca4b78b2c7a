// The whole system viewer scan over this machine's association database,
// reading the associations included.
//
//   bench_system_viewers                 runs the benchmark
//   bench_system_viewers --dump          prints one line per record:
//                                        extension, content type, command
//                                        (tab-separated)
//   bench_system_viewers --extensions    prints every extension key of the
//                                        associations with its type
//
// check_system_viewers.sh compares both with the desktop's own tools.

#include "helpers/CRegistryKey.h"
#include "helpers/SystemViewers.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

void BM_ScanSystemViewers(benchmark::State& state)
{
    std::size_t records = 0;
    for (auto _ : state) {
        CHelperList list;
        ScanSystemViewers(list);
        records = list.size();
        benchmark::DoNotOptimize(records);
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ScanSystemViewers)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

int Dump()
{
    CHelperList list;
    ScanSystemViewers(list);
    for (const auto& entry : list) {
        std::printf("%s\t%s\t%s\n", entry->m_strExtension.toUtf8().constData(),
                    entry->m_strContentType.toUtf8().constData(), entry->m_strApplication.toUtf8().constData());
    }
    return 0;
}

int Extensions()
{
    CRegistryKey root;
    if (!root.Open(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Classes"), KEY_READ))
        return 1;
    const DWORD count = root.GetSubKeyCount();
    for (DWORD index = 0; index < count; ++index) {
        const QString name = root.EnumSubKey(index);
        CRegistryKey key;
        if (name.startsWith(u'.') && key.Open(root, name, KEY_READ)) {
            std::printf("%s\t%s\n", name.toUtf8().constData(),
                        key.QueryString(QStringLiteral("Content Type"), QString()).toUtf8().constData());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--dump") == 0)
        return Dump();
    if (argc > 1 && std::strcmp(argv[1], "--extensions") == 0)
        return Extensions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
