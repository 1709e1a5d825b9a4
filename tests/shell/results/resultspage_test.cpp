#include "resultspage.h"

#include "batterylistdelegate.h"
#include "batterylistmodel.h"
#include "consumptionchart.h"
#include "desktoplocale.h"
#include "equipment.h"
#include "resultsfixture.h"
#include "selection.h"
#include "translation.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QBarSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QIcon solidIcon(QColor colour)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Two monthly periods over 250 working hours with a target of 0.95: their
// figures are known exactly (average active power 44 kW, reactive 28 kvar,
// peak 80 kW, overall factor 0.843661, yearly surcharge 1080 €, savings
// 1152 € and 324 €).
void addTwoPeriods(TCProyect& project)
{
    TConsumptionList& list = project.ConsumptionList();
    list.setWorkHours(250);
    list.setPowerfactor(0.95f);
    struct Period {
        const char* name;
        int kwh, kvarh, peak, surcharge, powerTerm, activeTerm;
    };
    for (const Period& p : {Period{"Enero", 10000, 8000, 60, 120, 900, 1100},
                            Period{"Febrero", 12000, 6000, 80, 60, 900, 1300}}) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(p.name));
        period->setYear(2024);
        period->setKwht(p.kwh);
        period->setKvarh(p.kvarh);
        period->setPeakDemand(p.peak);
        period->setInputTransformer(400);
        period->setReactiveSurcharge(p.surcharge);
        period->setCostPowerTerm(p.powerTerm);
        period->setCostActiveTerm(p.activeTerm);
        list.Add(std::move(period));
    }
}

class ResultsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Translation::setEnglishInForce(false);
        page.setMarks(solidIcon(Qt::green), solidIcon(Qt::red));
        page.resize(974, 600);
        page.show();
    }
    void TearDown() override { Translation::setEnglishInForce(false); }

    // The figures as a Spanish desktop shows them.
    void showSpanish()
    {
        const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
        page.ShowPreliminar({});
    }

    resultsfixture::Fixture fixture;
    ResultsPage page{fixture.project()};
};

TEST_F(ResultsPageTest, ConsumptionFiguresWithTwoDecimals)
{
    addTwoPeriods(fixture.project());
    fixture.selection().CalculatePreliminar();
    showSpanish();

    EXPECT_EQ(page.PreliminarTabControl->currentWidget(), page.PreliminarConsumptionTabItem);
    EXPECT_EQ(page.paverage_active_power_edit->text(), QStringLiteral("44,00"));
    EXPECT_EQ(page.paverage_reactive_power_edit->text(), QStringLiteral("28,00"));
    EXPECT_EQ(page.pmdr_Edit->text(), QStringLiteral("80,00"));
    EXPECT_EQ(page.pfactor_edit->text(), QStringLiteral("0,84"));
    EXPECT_EQ(page.pfactordeseado_edit->text(), QStringLiteral("0,95"));
    EXPECT_EQ(page.pPenalizacionEdit->text(), QStringLiteral("1080,00"));
    EXPECT_EQ(page.psaving_term_active_powerEdit->text(), QStringLiteral("1152,00"));
    EXPECT_EQ(page.psaving_term_powerEdit->text(), QStringLiteral("324,00"));
}

TEST_F(ResultsPageTest, HalfCentFiguresRoundAwayFromZero)
{
    // Over 2 × 320 hours, 87120 kWh and 32080 kvarh average exactly
    // 136.125 kW and 50.125 kvar.
    TConsumptionList& list = fixture.project().ConsumptionList();
    list.setWorkHours(320);
    list.setPowerfactor(0.95f);
    for (int kvarh : {16000, 16080}) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QStringLiteral("Enero"));
        period->setYear(2024);
        period->setKwht(43560);
        period->setKvarh(kvarh);
        period->setPeakDemand(150);
        period->setInputTransformer(400);
        list.Add(std::move(period));
    }
    fixture.selection().CalculatePreliminar();
    showSpanish();
    EXPECT_EQ(page.paverage_active_power_edit->text(), QStringLiteral("136,13"));
    EXPECT_EQ(page.paverage_reactive_power_edit->text(), QStringLiteral("50,13"));
}

TEST_F(ResultsPageTest, ContractedPowerCopiesTheDataPageWithItsMark)
{
    fixture.project().setCalculationType(TCalculationType::contracted_power);

    page.ShowPreliminar({QStringLiteral("250"), true, QStringLiteral("630")});
    EXPECT_EQ(page.PreliminarTabControl->currentWidget(), page.PreliminarPowerTabItem);
    EXPECT_EQ(page.MaximumPowerEdit_2->text(), QStringLiteral("250"));
    EXPECT_EQ(page.InputTransformerEdit_2->text(), QStringLiteral("630"));
    EXPECT_TRUE(page.Label41->isVisible());
    EXPECT_TRUE(page.InputTransformerEdit_2->isVisible());
    QImage mark = page.ExistInputTransformerMark->pixmap().toImage();
    EXPECT_EQ(mark.size(), QSize(32, 32));
    EXPECT_EQ(mark.pixelColor(16, 16), QColor(Qt::green));

    page.ShowPreliminar({QStringLiteral("100"), false, QStringLiteral("0")});
    EXPECT_EQ(page.MaximumPowerEdit_2->text(), QStringLiteral("100"));
    EXPECT_FALSE(page.Label41->isVisible());
    EXPECT_FALSE(page.InputTransformerEdit_2->isVisible());
    mark = page.ExistInputTransformerMark->pixmap().toImage();
    EXPECT_EQ(mark.pixelColor(16, 16), QColor(Qt::red));

    // The consumption panel keeps what it showed.
    page.paverage_active_power_edit->setText(QStringLiteral("kept"));
    page.ShowPreliminar({QStringLiteral("100"), false, QString()});
    EXPECT_EQ(page.paverage_active_power_edit->text(), QStringLiteral("kept"));
}

TEST_F(ResultsPageTest, ListIsForClickingNotForChoosing)
{
    fixture.fill({{0}, {1}, {2}}, true);
    page.ShowBatteryList();
    QListView* list = page.BatteryListView;
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(list->visualRect(list->model()->index(0, 0)).height(), 85);

    QSignalSpy clicks(&page, &ResultsPage::batteryClicked);
    // On the picture, on the name, and on "Ver detalles" of the second item.
    const QRect second = list->visualRect(list->model()->index(1, 0));
    const QPoint places[] = {
        second.topLeft() + BatteryListDelegate::imageRect().center(),
        second.topLeft() + BatteryListDelegate::textRect(BatteryListDelegate::TextObject::Text1).center(),
        second.topLeft() + QPoint(std::min(second.width() - 5, 870), 42),
    };
    for (const QPoint& place : places)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place);
    ASSERT_EQ(clicks.count(), 3);
    for (const auto& click : clicks)
        EXPECT_EQ(click.at(0).value<TBattery*>(), &fixture.selection().BatteryList()[1]);
    EXPECT_FALSE(list->selectionModel() && list->selectionModel()->hasSelection());
}

TEST_F(ResultsPageTest, PowerLabelFollowsTheProductLineWhenFilled)
{
    fixture.fill({{0}}, false);
    fixture.project().setBatteryType(TBatteryType::ferimont);
    {
        const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
        page.ShowBatteryList();
    }
    const QModelIndex item = page.BatteryListView->model()->index(0, 0);
    EXPECT_EQ(item.data(BatteryListModel::Text4Role).toString(), QStringLiteral("Potencia (kW): 7,5"));
}

TEST_F(ResultsPageTest, ChartHasOnePairOfBarsPerPeriodInListOrder)
{
    // Twelve periods, deliberately not in calendar order, one name twice.
    const char* names[] = {"Marzo", "Enero", "Febrero", "Abril", "Mayo", "Junio",
                           "Julio", "Agosto", "Septiembre", "Octubre", "Enero", "Diciembre"};
    TConsumptionList& list = fixture.project().ConsumptionList();
    for (int i = 0; i < 12; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(names[i]));
        period->setKwht(1000 * (i + 1));
        period->setKvarh(700 + i);
        list.Add(std::move(period));
    }
    // A contracted-power view first: switching back must show the chart.
    fixture.project().setCalculationType(TCalculationType::contracted_power);
    page.ShowConsumptionChart();
    fixture.project().setCalculationType(TCalculationType::consumption);
    page.ShowConsumptionChart();

    EXPECT_FALSE(page.LabelPreliminarChart->isVisible());
    ConsumptionChart* chart = page.Chart1;
    ASSERT_EQ(chart->Series1()->count(), 12);
    ASSERT_EQ(chart->Series2()->count(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(chart->Series1()->at(i), 1000.0 * (i + 1));
        EXPECT_EQ(chart->Series2()->at(i), 700.0 + i);
        EXPECT_EQ(chart->periodLabels().at(i), QString::fromUtf8(names[i]));
    }
    // The two "Enero" stay two categories.
    EXPECT_EQ(chart->categories().size(), 12);
    EXPECT_EQ(chart->Series1()->label(), QStringLiteral("Energía Activa total (kWh)"));

    // Refilling replaces, never appends.
    page.ShowConsumptionChart();
    EXPECT_EQ(chart->Series1()->count(), 12);
}

TEST_F(ResultsPageTest, ContractedPowerEmptiesTheChartAndShowsTheNote)
{
    TConsumptionList& list = fixture.project().ConsumptionList();
    auto period = std::make_unique<TConsumption>();
    period->setKwht(500);
    list.Add(std::move(period));
    page.ShowConsumptionChart();
    ASSERT_EQ(page.Chart1->Series1()->count(), 1);

    fixture.project().setCalculationType(TCalculationType::contracted_power);
    page.ShowConsumptionChart();
    EXPECT_EQ(page.Chart1->Series1()->count(), 0);
    EXPECT_EQ(page.Chart1->Series2()->count(), 0);
    EXPECT_TRUE(page.Chart1->isVisible());
    EXPECT_TRUE(page.LabelPreliminarChart->isVisible());
    EXPECT_EQ(page.LabelPreliminarChart->text(),
              QStringLiteral("No disponible en cálculo por potencia contratada o máximetro."));
}

TEST_F(ResultsPageTest, EnglishSeriesTitles)
{
    Translation::setEnglishInForce(true);
    auto period = std::make_unique<TConsumption>();
    period->setKwht(500);
    fixture.project().ConsumptionList().Add(std::move(period));
    page.ShowConsumptionChart();
    EXPECT_EQ(page.Chart1->Series1()->label(), QStringLiteral("Total Active Power (kWh)"));
}

} // namespace
