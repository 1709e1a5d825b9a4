#include "dbdatamodule.h"
#include "equipment.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

const QString& shippedCatalogue()
{
    static const QString path = QStringLiteral(TENVIK_SHIPPED_CATALOGUE);
    return path;
}

// Reads every row of a bank table in full, its columns found once.
std::size_t readBanks(CatalogueRowSet& rows)
{
    std::size_t count = 0;
    const BankColumns columns(rows);
    for (rows.first(); !rows.eof(); rows.next()) {
        TBattery battery(nullptr);
        battery.LoadFromDataSet(rows, columns);
        benchmark::DoNotOptimize(battery.Power());
        ++count;
    }
    return count;
}

std::size_t readAll(TDbDataModule& module)
{
    std::size_t count = readBanks(module.GetBbTable()) + readBanks(module.GetBb6Table())
        + readBanks(module.GetBbfTable()) + readBanks(module.GetBbeTable());
    CatalogueRowSet& cond = module.GetCondTable();
    const CableColumns cableColumns(cond);
    for (cond.first(); !cond.eof(); cond.next(), ++count) {
        TConductor conductor;
        conductor.LoadFromDataSet(cond, cableColumns);
        benchmark::DoNotOptimize(conductor.Current());
    }
    CatalogueRowSet& trans = module.GetTransTable();
    const TransformerColumns transformerColumns(trans);
    for (trans.first(); !trans.eof(); trans.next(), ++count) {
        TTransformer transformer;
        transformer.LoadFromDataSet(trans, transformerColumns);
        benchmark::DoNotOptimize(transformer.A());
    }
    CatalogueRowSet& description = module.GetDescriptionTable();
    for (description.first(); !description.eof(); description.next(), ++count)
        benchmark::DoNotOptimize(description.fieldAsBlob(QStringLiteral("image")));
    return count;
}

} // namespace

// Start-up's share: connect, open the seven queries, and read each to its end.
static void BM_OpenCatalogueAndReadEveryQuery(benchmark::State& state)
{
    std::size_t rows = 0;
    for (auto _ : state) {
        TDbDataModule module(shippedCatalogue());
        rows = readAll(module);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenCatalogueAndReadEveryQuery)->Unit(benchmark::kMillisecond);

// One walk of every table of an open catalogue, as a calculation repeats it.
static void BM_ReadEveryQueryOfAnOpenCatalogue(benchmark::State& state)
{
    TDbDataModule module(shippedCatalogue());
    for (auto _ : state)
        benchmark::DoNotOptimize(readAll(module));
}
BENCHMARK(BM_ReadEveryQueryOfAnOpenCatalogue)->Unit(benchmark::kMicrosecond);

// A candidate's description: the parameterised query re-run and the picture
// decoded, once per candidate of a calculation.
static void BM_DescribeACandidate(benchmark::State& state)
{
    TDbDataModule module(shippedCatalogue());
    CatalogueRowSet& rows = module.GetBbTable();
    rows.first();
    TBattery battery(nullptr);
    for (auto _ : state) {
        battery.LoadFromDataSet(rows, &module.GetDescriptionTable());
        benchmark::DoNotOptimize(battery.Image().width());
    }
}
BENCHMARK(BM_DescribeACandidate)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
