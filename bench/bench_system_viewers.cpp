// The whole system viewer scan over this machine's association database,
// building the association view included.
//
//   bench_system_viewers                 runs the benchmark
//   bench_system_viewers --dump          prints one line per record:
//                                        extension, content type, command
//                                        (tab-separated), for checking the
//                                        scan against the desktop's own
//                                        tools (see check_system_viewers.sh)

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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--dump") == 0)
        return Dump();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
