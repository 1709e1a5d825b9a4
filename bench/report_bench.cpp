#include "consumptionchart.h"
#include "reportfilling.h"
#include "reportlayout.h"

#include "dialogservice.h"
#include "dskproject.h"
#include "equipment.h"
#include "selection.h"

#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The document shows no dialog while a report is filled.
class NoDialogs : public IDialogService {
public:
    void showMessage(MessageKind, const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> inputQuery(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> getOpenFileName(const QString&) override { return {}; }
    std::optional<QString> getSaveFileName(const QString&, const QString&, const QString&, bool) override { return {}; }
};

// A consumption project of two years of monthly periods with one candidate,
// its cable and a current transformer, the chart filled as the results page
// leaves it.
struct Print {
    QTemporaryDir folder;
    NoDialogs dialogs;
    TDskProject project { nullptr, &dialogs,
        std::make_unique<QSettings>(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) };
    ConsumptionChart chart;
    ReportLayout layout;
    TReportTexts texts;
    TBattery* battery = nullptr;

    Print()
    {
        project.setBatteryType(TBatteryType::battery);
        project.setCalculationType(TCalculationType::consumption);
        project.setBusinessName(QStringLiteral("Talleres del Norte"));
        TConsumptionList& periods = project.ConsumptionList();
        periods.setPowerfactor(0.95f);
        for (int i = 0; i < 24; ++i) {
            auto period = std::make_unique<TConsumption>();
            period->setPeriod(QStringLiteral("Mes %1").arg(i % 12 + 1));
            period->setYear(2024 + i / 12);
            period->setKwht(10000 + 250 * i);
            period->setKvarh(7000 + 120 * i);
            period->setPeakDemand(90 + i);
            period->setInputTransformer(400);
            period->setReactiveSurcharge(100 + i);
            period->setCostPowerTerm(900);
            period->setCostActiveTerm(1500);
            periods.Add(std::move(period));
        }
        project.Selection().CalculatePreliminar();
        auto candidate = std::make_unique<TBattery>(&project.Selection());
        candidate->setCount(1);
        candidate->setConductor(std::make_unique<TConductor>());
        battery = &project.Selection().BatteryList().Add(std::move(candidate));
        project.Selection().setTransformer(std::make_unique<TTransformer>());

        chart.Fill(periods);
        layout.setConsumptionList(&periods);
        layout.setChart(&chart);
        texts = LangTextReport(project, layout.frxReport());
    }
};

} // namespace

// What the print action does before it asks for the destination.
static void BM_FillAndPrepareReport(benchmark::State& state)
{
    Print print;
    for (auto _ : state) {
        MakeReport(print.project, print.layout.frxReport(), print.battery, print.texts);
        print.layout.frxReport().PrepareReport();
        benchmark::DoNotOptimize(print.layout.frxReport().prepared().pages.size());
    }
}
BENCHMARK(BM_FillAndPrepareReport)->Unit(benchmark::kMillisecond);
