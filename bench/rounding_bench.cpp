#include "money.h"
#include "rounding.h"

#include <benchmark/benchmark.h>

// The conversions every price and every typed number pass through.
static void BM_MoneyFromCatalogueFloat(benchmark::State& state)
{
    float price = 1234.56f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Money::fromCatalogueFloat(price));
        price += 0.25f;
    }
}
BENCHMARK(BM_MoneyFromCatalogueFloat);

static void BM_RoundToInt32(benchmark::State& state)
{
    long double value = 2.5L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundToInt32(value));
        value += 1.0L;
    }
}
BENCHMARK(BM_RoundToInt32);

BENCHMARK_MAIN();
