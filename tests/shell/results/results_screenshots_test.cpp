// Pictures of the results page, the detail page and both report sheets, in
// Spanish and in English, written under the build folder's test output for
// a person to look at (run under Xvfb for the real platform's looks).
#include "mainformfixture.h"

#include "dbdatamodule.h"
#include "desktoplocale.h"
#include "dskproject.h"
#include "equipment.h"
#include "fakeprinters.h"
#include "printerform.h"
#include "resultsview.h"
#include "testutils.h"
#include "translation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QLocale>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

void fill(TDskProject& project)
{
    project.setBusinessName(QStringLiteral("Talleres Metálicos del Ebro, S.L."));
    project.setUserName(QStringLiteral("Ana Pérez Gómez"));
    project.setBatteryType(TBatteryType::battery);
    project.setVoltage(TVoltage::v400);
    project.ConsumptionList().setWorkHours(320);
    project.ConsumptionList().setPowerfactor(0.98f);
    const char* months[] = { "Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
        "Octubre", "Noviembre", "Diciembre" };
    int i = 0;
    for (const char* month : months) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(month));
        period->setYear(2025);
        period->setKwht(41250 + 1375 * (i % 5));
        period->setKvarh(30120 - 830 * (i % 4));
        period->setPeakDemand(180 + 3 * i);
        period->setInputTransformer(630);
        period->setReactiveSurcharge(210 + 10 * i);
        period->setCostPowerTerm(1450);
        period->setCostActiveTerm(5200 + 40 * i);
        project.ConsumptionList().Add(std::move(period));
        ++i;
    }
}

QString outputPath(const QString& name)
{
    return QDir(testutils::testOutputFolder()).filePath(name);
}

// The desktop the pictures are taken on: a Spanish one writes a decimal
// comma, in its C library and in Qt alike; an English one a point.
class DesktopLocale {
public:
    explicit DesktopLocale(const QString& language)
        : m_cLocale(language == QLatin1String("es") ? testutils::SpanishCLocale : "C.UTF-8")
        , m_format(language == QLatin1String("es") ? QLocale(QLocale::Spanish, QLocale::Spain)
                                                   : QLocale(QLocale::English, QLocale::UnitedStates))
    {
    }

private:
    testutils::ScopedCLocale m_cLocale;
    testutils::ScopedDefaultLocale m_format;
};

class ReportPicturesFixture : public MainFormFixture {
protected:
    // Shows the window with its project loaded and calculates the candidates.
    void showResults(TMainForm& window)
    {
        window.LoadProjectData();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        window.FindBatteryAction->trigger();
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
        QApplication::processEvents();
    }

    // Saves the shown candidate's report as `name`.pdf through the print
    // destination's PDF choice, and its sheets as `name`-N.png pictures.
    void printReportPictures(TMainForm& window, const QString& name)
    {
        const QString pdf = outputPath(name + QStringLiteral(".pdf"));
        dialogs.fileAnswers.push_back(pdf);
        QTimer::singleShot(0, [] {
            if (auto* printer = qobject_cast<TPrinterForm*>(QApplication::activeModalWidget())) {
                printer->RadioButtonPDF->setChecked(true);
                printer->accept();
            }
        });
        window.PrintAction->trigger();
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"),
            { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"), pdf, outputPath(name) });
        ASSERT_TRUE(pdftoppm.waitForFinished(30000));
        EXPECT_EQ(pdftoppm.exitCode(), 0);
    }
};

class ResultsScreenshot : public ReportPicturesFixture, public ::testing::WithParamInterface<const char*> { };

TEST_P(ResultsScreenshot, ResultsDetailAndReport)
{
    const QString language = QString::fromLatin1(GetParam());
    const DesktopLocale desktop(language);
    TMainForm& window = create(language, QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
    fill(window.project());
    ASSERT_NO_FATAL_FAILURE(showResults(window));
    const QImage results = window.grab().toImage();
    ASSERT_FALSE(results.isNull());
    EXPECT_TRUE(results.save(outputPath(QStringLiteral("results_%1.png").arg(language))));
    // The window as the window system shows it (under Xvfb, the X server's
    // own pixels): the README's picture.
    const QPixmap onScreen = window.screen()->grabWindow(window.winId());
    EXPECT_EQ(onScreen.size() / onScreen.devicePixelRatio(), QSize(994, 757));
    EXPECT_TRUE(onScreen.save(outputPath(QStringLiteral("results_screen_%1.png").arg(language))));

    QListView* list = window.results().resultsPage()->BatteryListView;
    ASSERT_GT(list->model()->rowCount(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_EQ(window.Pages.ResultTabControl->currentWidget(), window.Pages.BatteryDetailTabItem);
    QApplication::processEvents();
    const QImage detail = window.grab().toImage();
    EXPECT_TRUE(detail.save(outputPath(QStringLiteral("detail_%1.png").arg(language))));

    printReportPictures(window, QStringLiteral("report_%1").arg(language));
    if (HasFatalFailure())
        return;

    // The contracted-power panel with its mark, and the chart's note.
    window.BackAction->trigger();
    window.BackAction->trigger();
    ASSERT_EQ(window.Pages.MainTabControl->currentWidget(), window.Pages.DataTab);
    window.project().setCalculationType(TCalculationType::contracted_power);
    window.project().setMaximumPower(250);
    window.project().setHasInputTransformer(true);
    window.project().setInputTransformer(630);
    window.project().setValidCalculation(false);
    window.LoadProjectData();
    window.FindBatteryAction->trigger();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    ASSERT_EQ(window.Pages.MainTabControl->currentWidget(), window.Pages.ResultData);
    QApplication::processEvents();
    const QImage power = window.grab().toImage();
    EXPECT_TRUE(power.save(outputPath(QStringLiteral("results_contracted_%1.png").arg(language))));
    window.project().setIsSaved(true);
}

TEST_P(ResultsScreenshot, PrintDestinationDialog)
{
    const QString language = QString::fromLatin1(GetParam());
    Translation::setEnglishInForce(language == QLatin1String("en"));
    FakePrinters printers({ QStringLiteral("Oficina"), QStringLiteral("Planta 2"), QStringLiteral("Almacén") }, 1);
    TPrinterForm window(printers);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage picture = window.grab().toImage();
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(465, 240));
    EXPECT_TRUE(picture.save(outputPath(QStringLiteral("printer_%1.png").arg(language))));
}

INSTANTIATE_TEST_SUITE_P(Languages, ResultsScreenshot, ::testing::Values("es", "en"));

// The results page and the report of a project with many bimonthly periods,
// the longest period names: every name under the chart reads whole.
class ManyPeriodsScreenshot : public ReportPicturesFixture, public ::testing::WithParamInterface<int> { };

TEST_P(ManyPeriodsScreenshot, ResultsAndReport)
{
    const int count = GetParam();
    TMainForm& window = create(QStringLiteral("es"), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
    TDskProject& project = window.project();
    fill(project);
    project.ConsumptionList().Clear();
    project.ConsumptionList().setPeriodType(TPeriodType::bimonthly);
    const char* names[]
        = { "Enero-Febrero", "Marzo-Abril", "Mayo-Junio", "Julio-Agosto", "Septiembre-Octubre", "Noviembre-Diciembre" };
    for (int i = 0; i < count; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(names[i % 6]));
        period->setYear(2022 + i / 6);
        period->setKwht(82500 + 2750 * (i % 5));
        period->setKvarh(60240 - 1660 * (i % 4));
        period->setPeakDemand(180 + 3 * (i % 12));
        period->setInputTransformer(630);
        period->setReactiveSurcharge(420 + 20 * (i % 12));
        period->setCostPowerTerm(2900);
        period->setCostActiveTerm(10400 + 80 * (i % 12));
        project.ConsumptionList().Add(std::move(period));
    }
    ASSERT_NO_FATAL_FAILURE(showResults(window));
    EXPECT_TRUE(window.grab().toImage().save(outputPath(QStringLiteral("results_%1_periods.png").arg(count))));

    QListView* list = window.results().resultsPage()->BatteryListView;
    ASSERT_GT(list->model()->rowCount(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    printReportPictures(window, QStringLiteral("report_%1_periods").arg(count));
    if (HasFatalFailure())
        return;
    window.project().setIsSaved(true);
}

INSTANTIATE_TEST_SUITE_P(Periods, ManyPeriodsScreenshot, ::testing::Values(18, 24));

} // namespace
