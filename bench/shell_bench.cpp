// The two waits a person notices in the shell: from the Calculate click to
// the results page filled, and from the end of the splash wait to the main
// window on screen. Run offscreen unless a platform is chosen.
#include "application.h"
#include "consumption.h"
#include "dialogservice.h"
#include "dskproject.h"
#include "mainform.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Answers every dialog with "no" or nothing; none is expected here.
class SilentDialogs final : public IDialogService {
public:
    void showMessage(MessageKind, const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> inputQuery(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> getOpenFileName(const QString&) override { return {}; }
    std::optional<QString> getSaveFileName(const QString&, const QString&, const QString&, bool) override { return {}; }
};

QTemporaryDir& settingsFolder()
{
    static QTemporaryDir folder;
    return folder;
}

std::unique_ptr<QSettings> benchSettings()
{
    return std::make_unique<QSettings>(settingsFolder().filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
}

TenvikApplication::Options options(SilentDialogs& dialogs)
{
    TenvikApplication::Options o;
    o.databasePath = QStringLiteral(TENVIK_SHIPPED_CATALOGUE);
    o.dialogs = &dialogs;
    o.settings = benchSettings;
    o.systemLanguage = QStringLiteral("es");
    o.splashMilliseconds = 0;
    return o;
}

// Two years of monthly bills of a plain-bank project.
void fillTwoYears(TDskProject& project)
{
    project.setBusinessName(QStringLiteral("Talleres Ibarra S.A."));
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setPowerfactor(0.98f);
    for (int i = 0; i < 24; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QStringLiteral("Mes %1").arg(i % 12 + 1));
        period->setYear(2024 + i / 12);
        period->setKwht(40000 + 700 * (i % 7));
        period->setKvarh(29000 - 500 * (i % 5));
        period->setPeakDemand(180 + i);
        period->setInputTransformer(630);
        period->setReactiveSurcharge(200 + i);
        period->setCostPowerTerm(1400);
        period->setCostActiveTerm(5100 + 30 * i);
        project.ConsumptionList().Add(std::move(period));
    }
}

// Times Calculate clicks on two years of bills, each until the results
// page is laid out and painted, and goes back to the data page between them
// untimed. With `renamePeriod`, a period is renamed before every click, so
// that the chart's names are new each time and no earlier fit of them can
// be reused.
void timeCalculateClicks(benchmark::State& state, bool renamePeriod)
{
    SilentDialogs dialogs;
    TenvikApplication application(options(dialogs));
    application.createDataModuleAndMainWindow();
    TMainForm& form = *application.mainForm();
    fillTwoYears(form.project());
    form.LoadProjectData();
    QApplication::processEvents();
    int renamed = 0;
    for (auto _ : state) {
        if (renamePeriod) {
            state.PauseTiming();
            form.project().ConsumptionList()[0].setPeriod(QStringLiteral("Mes %1").arg(++renamed));
            form.LoadProjectData();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        form.project().setValidCalculation(false);
        form.FindBatteryAction->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        // A refused calculation stays on the data page with a message the
        // silent dialogs swallow: that would time the wrong path.
        if (form.Pages.MainTabControl->currentWidget() != form.Pages.ResultData) {
            state.SkipWithError("the calculation did not reach the results page");
            break;
        }
        form.BackAction->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    form.project().setIsSaved(true);
}

void BM_CalculateToResultsShown(benchmark::State& state)
{
    timeCalculateClicks(state, false);
}
BENCHMARK(BM_CalculateToResultsShown)->Unit(benchmark::kMillisecond);

// The same click after the user has renamed a period.
void BM_CalculateWithNewNamesToResultsShown(benchmark::State& state)
{
    timeCalculateClicks(state, true);
}
BENCHMARK(BM_CalculateWithNewNamesToResultsShown)->Unit(benchmark::kMillisecond);

void BM_SplashEndToMainWindowShown(benchmark::State& state)
{
    SilentDialogs dialogs;
    for (auto _ : state) {
        auto application = std::make_unique<TenvikApplication>(options(dialogs));
        application->createDataModuleAndMainWindow();
        QApplication::processEvents();
        state.PauseTiming();
        application->mainForm()->project().setIsSaved(true);
        application.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SplashEndToMainWindowShown)->Unit(benchmark::kMillisecond);

} // namespace
