#include "reportfixture.h"

#include <benchmark/benchmark.h>

// What the print action does before it asks for the destination.
static void BM_FillAndPrepareReport(benchmark::State& state)
{
    bench::ReportPrint print;
    for (auto _ : state) {
        print.fill();
        print.layout.frxReport().PrepareReport();
        benchmark::DoNotOptimize(print.layout.frxReport().prepared().pages.size());
    }
}
BENCHMARK(BM_FillAndPrepareReport)->Unit(benchmark::kMillisecond);
