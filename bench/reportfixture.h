#pragma once

#include "consumptionchart.h"
#include "reportfilling.h"
#include "reportlayout.h"

#include "dialogservice.h"
#include "dskproject.h"

#include <QTemporaryDir>

// The report of a consumption project of two years of monthly periods with
// one candidate, its cable and a current transformer, the chart filled as
// the results page leaves it: what a print of a typical project works on.
namespace bench {

// The document shows no dialog while a report is filled.
class NoDialogs : public IDialogService {
public:
    void showMessage(MessageKind, const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> inputQuery(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> getOpenFileName(const QString&) override { return {}; }
    std::optional<QString> getSaveFileName(const QString&, const QString&, const QString&, bool) override { return {}; }
};

struct ReportPrint {
    ReportPrint();

    // Fills the template for the candidate, as the print action does.
    void fill();

    QTemporaryDir folder;
    NoDialogs dialogs;
    TDskProject project;
    ConsumptionChart chart;
    ReportLayout layout;
    TReportTexts texts;
    TBattery* battery = nullptr;
};

} // namespace bench
