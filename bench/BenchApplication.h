#pragma once
// What a benchmark program with windows sets up around its benchmarks:
// Qt headless unless told otherwise, a home and XDG tree of its own (the
// browser window reads and writes its settings), and Google Benchmark's
// arguments. Register the benchmarks while it lives, then Run.

#include "support/TestEnvironment.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

class BenchApplication {
public:
    BenchApplication(int& argc, char** argv)
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        IsolateTestEnvironment(m_home);
        m_app = std::make_unique<QApplication>(argc, argv);
        benchmark::Initialize(&argc, argv);
        m_ok = !benchmark::ReportUnrecognizedArguments(argc, argv);
    }
    // False when the arguments held something Google Benchmark does not know.
    bool Ok() const { return m_ok; }
    int Run()
    {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

private:
    QTemporaryDir m_home;
    std::unique_ptr<QApplication> m_app;
    bool m_ok = false;
};
