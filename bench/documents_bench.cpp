// Opening and saving a project of 1000 billing periods in the current
// format, through the document as the program does it.
#include "dskproject.h"

#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int PeriodCount = 1000;

class Fixture {
public:
    Fixture()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        document = std::make_unique<TDskProject>(
            nullptr, nullptr, std::make_unique<QSettings>(m_dir.filePath("settings.ini"), QSettings::IniFormat));
        document->setBusinessName(QStringLiteral("Talleres Peña"));
        document->ConsumptionList().setPowerfactor(0.95f);
        for (int i = 0; i < PeriodCount; ++i) {
            auto period = std::make_unique<TConsumption>();
            period->setPeriod(QStringLiteral("Periodo %1").arg(i));
            period->setYear(2000 + i % 30);
            period->setKwht(100000 + i);
            period->setKvarh(70000 + i);
            period->setInputTransformer(630);
            period->setPeakDemand(400 + i % 50);
            period->setReactiveSurcharge(120);
            period->setCostPowerTerm(3000 + i);
            period->setCostActiveTerm(9000 + i);
            document->ConsumptionList().Add(std::move(period));
        }
        path = m_dir.filePath("project.tvk");
        document->SaveToFile(path);
    }

    std::unique_ptr<TDskProject> document;
    QString path;

private:
    QTemporaryDir m_dir;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        f.document->SaveToFile(f.path);
    state.SetItemsProcessed(state.iterations() * PeriodCount);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.document->OpenFromFile(f.path);
        benchmark::DoNotOptimize(f.document->ConsumptionList().Count());
    }
    if (f.document->ConsumptionList().Count() != PeriodCount)
        state.SkipWithError("the project did not read back whole");
    state.SetItemsProcessed(state.iterations() * PeriodCount);
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

} // namespace
