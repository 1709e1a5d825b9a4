#include "consumption.h"
#include "dbdatamodule.h"
#include "project.h"
#include "selection.h"

#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Two years of monthly bills of a mid-sized plant, varied enough that the
// peak and the largest reactive energy fall in different months.
void addTwoYearsOfBills(TCProyect& project)
{
    project.ConsumptionList().setWorkHours(320);
    project.ConsumptionList().setPowerfactor(0.95f);
    for (int month = 0; month < 24; ++month) {
        auto period = std::make_unique<TConsumption>();
        period->setYear(2024 + month / 12);
        period->setKwht(42000 + 1700 * (month % 7));
        period->setKvarh(26000 + 2300 * (month % 5));
        period->setPeakDemand(180 + 9 * (month % 11));
        period->setInputTransformer(month < 12 ? 630 : 800);
        period->setReactiveSurcharge(150 + 20 * (month % 3));
        period->setCostPowerTerm(1900 + 35 * (month % 4));
        period->setCostActiveTerm(5200 + 140 * (month % 6));
        project.ConsumptionList().Add(std::move(period));
    }
}

// Plain banks at 50 Hz from the two years of bills, calculated over and over
// against the catalogue at `path`.
void executeRepeatedly(benchmark::State& state, const QString& path)
{
    TDbDataModule catalogue(path);
    TCProyect project(&catalogue);
    project.setBatteryType(TBatteryType::battery);
    addTwoYearsOfBills(project);
    for (auto _ : state) {
        project.Selection().Execute();
        benchmark::DoNotOptimize(project.Selection().BatteryList().Count());
    }
    state.counters["candidates"] = project.Selection().BatteryList().Count();
}

} // namespace

// One whole calculation of plain banks at 50 Hz from 24 billing periods
// against the shipped catalogue: preliminary figures, banks with their
// pictures, the transformer bank, the current transformer and the cables.
static void BM_ExecuteTwentyFourPeriods(benchmark::State& state)
{
    executeRepeatedly(state, QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
}
BENCHMARK(BM_ExecuteTwentyFourPeriods)->Unit(benchmark::kMicrosecond);

// The same run with the series pictures removed from a copy of the
// catalogue: what the selection itself costs, without decoding six PNGs.
static void BM_ExecuteTwentyFourPeriodsWithoutPictures(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("tenvik_sqlite.db"));
    QFile::copy(QStringLiteral(TENVIK_SHIPPED_CATALOGUE), copy);
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open(copy.toUtf8().constData(), &db);
    sqlite3_exec(db, "UPDATE description SET image = X''", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    executeRepeatedly(state, copy);
}
BENCHMARK(BM_ExecuteTwentyFourPeriodsWithoutPictures)->Unit(benchmark::kMicrosecond);
