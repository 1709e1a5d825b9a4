#pragma once

#include "report.h"
#include "userdataset.h"

#include <QString>
#include <QVariant>

class ConsumptionChart;
class TConsumptionList;

// The report of one chosen candidate, kept for the whole run: the template
// frxReport, the billing data set frxComsumptionDataSet that serves the
// project's billing periods to it, and the before-print handler that draws
// the results chart into the report.
class ReportLayout {
public:
    ReportLayout();

    ReportLayout(const ReportLayout&) = delete;
    ReportLayout& operator=(const ReportLayout&) = delete;

    report::Report& frxReport() { return m_frxReport; }
    report::UserDataSet& frxComsumptionDataSet() { return m_frxComsumptionDataSet; }

    // The billing periods the table shows and the chart drawn into
    // "ChartPicture"; neither is owned, and both must outlive every
    // preparation of the report.
    void setConsumptionList(const TConsumptionList* periods) { m_periods = periods; }
    void setChart(const ConsumptionChart* chart) { m_chart = chart; }

    // The data set's handlers; the set's own Tag is the cursor.
    void frxComsumptionDataSetFirst(report::UserDataSet& sender);
    void frxComsumptionDataSetNext(report::UserDataSet& sender);
    void frxComsumptionDataSetPrior(report::UserDataSet& sender);
    void frxComsumptionDataSetCheckEOF(report::UserDataSet& sender, bool& eof);
    // The named column of the period at the cursor, the name compared
    // exactly; any other name leaves `value` as it came. A cursor outside the
    // list raises std::out_of_range.
    void frxComsumptionDataSetGetValue(const QString& varName, QVariant& value);

    // Draws the chart into "ChartPicture" at its size in whole report units,
    // on a transparent background; every other object passes unchanged.
    void frxReportBeforePrint(report::Component& sender);

private:
    int periodCount() const;

    report::Report m_frxReport;
    report::UserDataSet m_frxComsumptionDataSet { QStringLiteral("frxComsumptionDataSet") };
    const TConsumptionList* m_periods = nullptr; // not owned
    const ConsumptionChart* m_chart = nullptr; // not owned
};
