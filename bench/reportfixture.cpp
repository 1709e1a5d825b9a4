#include "reportfixture.h"

#include "equipment.h"
#include "selection.h"

#include <QSettings>

namespace bench {

ReportPrint::ReportPrint()
    : project(nullptr, &dialogs,
        std::make_unique<QSettings>(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat))
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

void ReportPrint::fill()
{
    MakeReport(project, layout.frxReport(), battery, texts);
}

} // namespace bench
