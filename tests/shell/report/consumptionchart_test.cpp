#include "consumptionchart.h"

#include "consumption.h"
#include "translation.h"

#include "testutils.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

TConsumptionList periods(const std::vector<std::tuple<const char*, int, int>>& rows)
{
    TConsumptionList list;
    for (const auto& [name, kwh, kvarh] : rows) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(name));
        period->setKwht(kwh);
        period->setKvarh(kvarh);
        list.Add(std::move(period));
    }
    return list;
}

std::vector<qreal> values(const QBarSet* set)
{
    std::vector<qreal> result;
    for (int i = 0; i < set->count(); ++i)
        result.push_back(set->at(i));
    return result;
}

int pixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xFF000000u) == colour && qAlpha(image.pixel(x, y)) == 255;
    return count;
}

const char* const MonthNames[] = { "Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
    "Septiembre", "Octubre", "Noviembre", "Diciembre" };
const char* const BimonthNames[]
    = { "Enero-Febrero", "Marzo-Abril", "Mayo-Junio", "Julio-Agosto", "Septiembre-Octubre", "Noviembre-Diciembre" };

TConsumptionList namedPeriods(int count, bool bimonthly)
{
    std::vector<std::tuple<const char*, int, int>> rows;
    for (int i = 0; i < count; ++i)
        rows.emplace_back(bimonthly ? BimonthNames[i % 6] : MonthNames[i % 12], 40000 + 150 * i, 29000 + 90 * i);
    return periods(rows);
}

// A text item as it shows: its plain text, and the box of the text itself
// (without the item's margin) in the chart's coordinates.
struct ShownText {
    QString text;
    QRectF box;
};

std::vector<ShownText> shownTexts(const QChart* chart)
{
    std::vector<ShownText> found;
    std::vector<const QGraphicsItem*> pending { chart };
    while (!pending.empty()) {
        const QGraphicsItem* item = pending.back();
        pending.pop_back();
        for (const QGraphicsItem* child : item->childItems()) {
            pending.push_back(child);
            const auto* text = dynamic_cast<const QGraphicsTextItem*>(child);
            if (!text || !text->isVisible() || text->toPlainText().isEmpty())
                continue;
            const qreal m = text->document()->documentMargin();
            found.push_back(
                { text->toPlainText(), text->mapRectToItem(chart, text->boundingRect().adjusted(m, m, -m, -m)) });
        }
    }
    return found;
}

// Letters only: a name broken onto two lines reads the same.
QString letters(QString text)
{
    text.remove(QChar(0x200B));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

// Every period's name is shown whole, once per period, below the bars and
// above the legend, inside the chart, no two names overlapping.
void expectEveryNameWhole(const ConsumptionChart& chart, const TConsumptionList& list)
{
    const QChart* c = chart.chart();
    const QRectF plot = c->plotArea();
    const qreal legendTop = c->legend()->geometry().top();
    std::vector<ShownText> names;
    for (const ShownText& shown : shownTexts(c)) {
        EXPECT_FALSE(shown.text.contains(QStringLiteral("...")) || shown.text.contains(QChar(0x2026)))
            << shown.text.toStdString();
        if (shown.box.top() >= plot.bottom() && shown.box.bottom() <= legendTop + 1)
            names.push_back(shown);
    }
    std::sort(
        names.begin(), names.end(), [](const ShownText& a, const ShownText& b) { return a.box.left() < b.box.left(); });
    ASSERT_EQ(names.size(), static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        const ShownText& name = names[static_cast<std::size_t>(i)];
        EXPECT_EQ(letters(name.text), letters(list[i].Period())) << i;
        EXPECT_GE(name.box.left(), 0) << i;
        EXPECT_LE(name.box.right(), c->size().width()) << i;
        if (i > 0) {
            EXPECT_GE(name.box.left(), names[static_cast<std::size_t>(i - 1)].box.right()) << i;
        }
    }
    // Never so small that they cannot be read.
    EXPECT_GE(chart.labelStyle().pixelSize, 6);
}

// The chart on screen at the size the results page gives it.
void showAtPageSize(ConsumptionChart& chart)
{
    chart.resize(522, 218);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
}

} // namespace

TEST(ConsumptionChart, HoldsOnePairOfBarsPerPeriodInListOrder)
{
    ConsumptionChart chart;
    const TConsumptionList list
        = periods({ { "Marzo", 3000, 1200 }, { "Enero", 1000, 400 }, { "Febrero", 2000, 900 } });
    chart.Fill(list);
    EXPECT_EQ(values(chart.Series1()), (std::vector<qreal> { 3000, 1000, 2000 }));
    EXPECT_EQ(values(chart.Series2()), (std::vector<qreal> { 1200, 400, 900 }));
    EXPECT_EQ(chart.categories(), (QStringList { "Marzo", "Enero", "Febrero" }));
    EXPECT_EQ(chart.Series1()->label(), QStringLiteral("Energía Activa total (kWh)"));
    EXPECT_EQ(chart.Series2()->label(), QStringLiteral("Energía Reactiva total (kVArh)"));
    EXPECT_EQ(chart.Series1()->color(), QColor(0x44, 0x66, 0xA3));
    EXPECT_EQ(chart.Series2()->color(), QColor(0xFF, 0x7F, 0x50));
    EXPECT_EQ(chart.chart()->legend()->alignment(), Qt::AlignBottom);
    EXPECT_EQ(chart.rubberBand(), QChartView::NoRubberBand);

    // A second fill replaces, never appends.
    chart.Fill(periods({ { "Abril", 10, 20 } }));
    EXPECT_EQ(values(chart.Series1()), std::vector<qreal> { 10 });
    chart.Clear();
    EXPECT_EQ(chart.Series1()->count(), 0);
    EXPECT_EQ(chart.Series2()->count(), 0);
    EXPECT_TRUE(chart.categories().isEmpty());
}

// The two ways a chart is emptied: cleared, or filled with no periods.
struct Emptying {
    const char* what;
    void (*empty)(ConsumptionChart&);
};
const Emptying Emptyings[] = {
    { "cleared", [](ConsumptionChart& chart) { chart.Clear(); } },
    { "filled with no periods", [](ConsumptionChart& chart) { chart.Fill(TConsumptionList()); } },
};

TEST(ConsumptionChart, EmptiedChartLooksLikeANewOne)
{
    // A contracted-power calculation after a consumption one must not show
    // the earlier periods' names or a scale.
    for (const Emptying& emptying : Emptyings) {
        SCOPED_TRACE(emptying.what);
        ConsumptionChart fresh;
        ConsumptionChart used;
        used.Fill(periods({ { "Enero", 1000, 400 }, { "Febrero", 1100, 450 }, { "Marzo", 1200, 500 } }));
        const QSize size(454, 321);
        const QImage filled = used.renderImage(size, Qt::white);
        emptying.empty(used);
        fresh.Clear();
        const QImage emptied = used.renderImage(size, Qt::white);
        const QImage expected = fresh.renderImage(size, Qt::white);
        // Pixels that differ clearly (text, bars, grid lines), not by a shade
        // of antialiasing.
        const auto clearDifferences = [](const QImage& a, const QImage& b) {
            int count = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 48)
                        ++count;
            return count;
        };
        EXPECT_GT(clearDifferences(filled, expected), 1000);
        EXPECT_EQ(clearDifferences(emptied, expected), 0);
        EXPECT_TRUE(used.categories().isEmpty());
        EXPECT_TRUE(used.periodLabels().isEmpty());
        EXPECT_EQ(used.Series1()->count(), 0);
        EXPECT_EQ(used.Series2()->count(), 0);
    }
}

TEST(ConsumptionChart, TheValueAxisHoldsEveryBar)
{
    struct Case {
        const char* what;
        std::vector<std::tuple<const char*, int, int>> rows;
        qreal min;
        qreal max;
    };
    const Case cases[] = {
        { "from zero", { { "Enero", 1000, 400 }, { "Febrero", 1800, 700 } }, 0, 1800 },
        { "a negative figure", { { "Enero", 1000, -7000 }, { "Febrero", 1800, 700 } }, -7000, 1800 },
        { "nothing but zeros", { { "Enero", 0, 0 } }, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsumptionChart chart;
        chart.Fill(periods(c.rows));
        const auto* axis = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
        ASSERT_NE(axis, nullptr);
        EXPECT_LE(axis->min(), c.min);
        EXPECT_GE(axis->max(), c.max);
        EXPECT_GT(axis->min(), c.min - (c.max - c.min)); // still scaled to the figures
    }
}

TEST(ConsumptionChart, KeepsEqualPeriodLabelsApart)
{
    ConsumptionChart chart;
    chart.Fill(periods({ { "Enero", 100, 50 }, { "Febrero", 200, 60 }, { "Enero", 300, 70 }, { "Enero", 400, 80 } }));
    const QStringList categories = chart.categories();
    ASSERT_EQ(categories.size(), 4);
    EXPECT_EQ(QSet<QString>(categories.begin(), categories.end()).size(), 4);
    EXPECT_EQ(chart.periodLabels(), (QStringList { "Enero", "Febrero", "Enero", "Enero" }));
    // They read as the period: only invisible characters tell them apart.
    for (int i = 0; i < categories.size(); ++i) {
        QString shown = categories[i];
        shown.remove(QChar(0x200B));
        EXPECT_EQ(shown, chart.periodLabels()[i]);
    }
    EXPECT_EQ(values(chart.Series1()), (std::vector<qreal> { 100, 200, 300, 400 }));

    // Periods whose name is a null text keep their slots too, and the named
    // ones stay under their own bars.
    TConsumptionList unnamed;
    for (const QString& name : { QStringLiteral("Enero"), QString(), QStringLiteral("Marzo"), QString() })
        unnamed.Add(std::make_unique<TConsumption>()).setPeriod(name);
    chart.Fill(unnamed);
    ASSERT_EQ(chart.categories().size(), 4);
    EXPECT_EQ(chart.categories().at(0), QStringLiteral("Enero"));
    EXPECT_EQ(chart.categories().at(2), QStringLiteral("Marzo"));
    EXPECT_NE(chart.categories().at(1), chart.categories().at(3));
    EXPECT_TRUE(QString(chart.categories().at(3)).remove(QChar(0x200B)).isEmpty());
}

TEST(ConsumptionChart, TranslatesTheSeriesTitlesWhenFilled)
{
    Translation::setEnglishInForce(true);
    ConsumptionChart chart;
    chart.Fill(periods({ { "Enero", 1, 1 } }));
    Translation::setEnglishInForce(false);
    EXPECT_EQ(chart.Series1()->label(), QStringLiteral("Total Active Power (kWh)"));
    EXPECT_EQ(chart.Series2()->label(), QStringLiteral("Total Reactive Power (kVArh)"));
}

TEST(ConsumptionChart, RendersOffscreenOnATransparentBackground)
{
    ConsumptionChart chart;
    chart.resize(300, 200);
    chart.Fill(periods({ { "Enero", 1000, 800 }, { "Febrero", 900, 300 }, { "Marzo", 1100, 500 } }));
    const QImage image = chart.renderImage(QSize(454, 321), Qt::transparent);
    ASSERT_EQ(image.size(), QSize(454, 321));
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
    EXPECT_GT(pixelsOf(image, ConsumptionChart::ActiveColor), 500);
    EXPECT_GT(pixelsOf(image, ConsumptionChart::ReactiveColor), 300);
    // The widget keeps its own size and white background.
    EXPECT_EQ(chart.size(), QSize(300, 200));
    EXPECT_EQ(chart.chart()->backgroundBrush().color(), QColor(Qt::white));
    image.save(testutils::testOutputFolder() + QStringLiteral("/consumption-chart.png"));
}

struct ManyPeriodsCase {
    const char* what;
    int count;
    bool bimonthly;
    QSize size;
};

class ChartPeriodNames : public ::testing::TestWithParam<ManyPeriodsCase> { };

// The results page's chart (522 × 218) and the report's picture (454 × 321).
TEST_P(ChartPeriodNames, ShowWholeUpTo24Periods)
{
    const ManyPeriodsCase& c = GetParam();
    ConsumptionChart chart;
    chart.resize(c.size);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    const TConsumptionList list = namedPeriods(c.count, c.bimonthly);
    chart.Fill(list);
    QApplication::processEvents();
    expectEveryNameWhole(chart, list);
    chart.grab().save(testutils::testOutputFolder() + QStringLiteral("/chart-%1.png").arg(QLatin1String(c.what)));
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartPeriodNames,
    ::testing::Values(ManyPeriodsCase { "results_12_months", 12, false, QSize(522, 218) },
        ManyPeriodsCase { "results_18_months", 18, false, QSize(522, 218) },
        ManyPeriodsCase { "results_24_months", 24, false, QSize(522, 218) },
        ManyPeriodsCase { "results_6_bimonths", 6, true, QSize(522, 218) },
        ManyPeriodsCase { "results_18_bimonths", 18, true, QSize(522, 218) },
        ManyPeriodsCase { "results_24_bimonths", 24, true, QSize(522, 218) },
        ManyPeriodsCase { "report_18_bimonths", 18, true, QSize(454, 321) },
        ManyPeriodsCase { "report_24_bimonths", 24, true, QSize(454, 321) },
        ManyPeriodsCase { "report_24_months", 24, false, QSize(454, 321) }),
    [](const ::testing::TestParamInfo<ManyPeriodsCase>& info) { return std::string(info.param.what); });

TEST(ConsumptionChart, NamesStandLevelWhenTheyFitAndFollowTheSizeDrawnFor)
{
    ConsumptionChart chart;
    ASSERT_NO_FATAL_FAILURE(showAtPageSize(chart));
    chart.Fill(namedPeriods(3, false));
    EXPECT_EQ(chart.labelStyle().angle, 0);
    chart.Fill(namedPeriods(24, true));
    QApplication::processEvents();
    const ConsumptionChart::LabelStyle onScreen = chart.labelStyle();
    EXPECT_EQ(onScreen.angle, -90);

    // The report's picture is taller: the names are laid out again for it,
    // larger, and the widget gets its own layout back.
    const QImage picture = chart.renderImage(QSize(454, 321), Qt::white);
    EXPECT_EQ(chart.labelStyle(), onScreen);
    expectEveryNameWhole(chart, namedPeriods(24, true));
    picture.save(testutils::testOutputFolder() + QStringLiteral("/chart-report-picture-24.png"));

    // Names with markup characters read as typed.
    chart.Fill(periods({ { "A<b>&c", 1, 1 }, { "Mes 2", 2, 2 } }));
    QApplication::processEvents();
    expectEveryNameWhole(chart, periods({ { "A<b>&c", 1, 1 }, { "Mes 2", 2, 2 } }));
}

// The signals of the chart on screen that a new layout of its names or of
// its box sends, counted from the spy's creation.
struct LayoutSignals {
    explicit LayoutSignals(const ConsumptionChart& chart)
        : axis(qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0)))
        , categories(axis, &QBarCategoryAxis::categoriesChanged)
        , font(axis, &QAbstractAxis::labelsFontChanged)
        , angle(axis, &QAbstractAxis::labelsAngleChanged)
        , plotArea(chart.chart(), &QChart::plotAreaChanged)
    {
    }
    int count() const { return static_cast<int>(categories.count() + font.count() + angle.count() + plotArea.count()); }
    QBarCategoryAxis* axis;
    QSignalSpy categories;
    QSignalSpy font;
    QSignalSpy angle;
    QSignalSpy plotArea;
};

// Filled with the same names again, the chart takes the style found for
// them before, with no other one tried, and shows every name whole.
void expectRefillTakesStyleFoundBefore(
    ConsumptionChart& chart, const TConsumptionList& list, const ConsumptionChart::LabelStyle& found)
{
    const LayoutSignals refill(chart);
    chart.Fill(list);
    QApplication::processEvents();
    EXPECT_EQ(chart.labelStyle(), found);
    EXPECT_EQ(refill.font.count(), 0);
    EXPECT_EQ(refill.angle.count(), 0);
    expectEveryNameWhole(chart, list);
}

TEST(ConsumptionChart, NamesAreFittedOncePerSizeAndNames)
{
    ConsumptionChart chart;
    ASSERT_NO_FATAL_FAILURE(showAtPageSize(chart));
    const TConsumptionList list = namedPeriods(24, true);
    chart.Fill(list);
    QApplication::processEvents();
    const ConsumptionChart::LabelStyle onScreen = chart.labelStyle();
    ASSERT_NE(onScreen, (ConsumptionChart::LabelStyle { -90, 1, 10 })) << "a case the first upright try does not fit";

    // The same names again, as a second calculation of the project brings
    // them.
    expectRefillTakesStyleFoundBefore(chart, list, onScreen);

    // The report's picture is drawn apart: the chart on screen is neither
    // restyled nor laid out for it, and keeps its names whole.
    const LayoutSignals drawing(chart);
    const QImage first = chart.renderImage(QSize(454, 321), Qt::white);
    const QImage second = chart.renderImage(QSize(454, 321), Qt::white);
    EXPECT_EQ(drawing.count(), 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(chart.labelStyle(), onScreen);
    expectEveryNameWhole(chart, list);

    // After another fill the picture shows the new figures, as a chart that
    // never drew one does.
    const TConsumptionList months = namedPeriods(12, false);
    chart.Fill(months);
    ConsumptionChart fresh;
    fresh.Fill(months);
    EXPECT_EQ(chart.renderImage(QSize(454, 321), Qt::white), fresh.renderImage(QSize(454, 321), Qt::white));
    EXPECT_NE(chart.renderImage(QSize(454, 321), Qt::white), first);
}

TEST(ConsumptionChart, AnEmptiedChartShowsNoAxis)
{
    for (const Emptying& emptying : Emptyings) {
        SCOPED_TRACE(emptying.what);
        // On screen, as the results page shows it after a contracted-power
        // calculation that followed a consumption one.
        ConsumptionChart chart;
        ASSERT_NO_FATAL_FAILURE(showAtPageSize(chart));
        const TConsumptionList list = namedPeriods(12, false);
        chart.Fill(list);
        QApplication::processEvents();
        const QImage filled = chart.grab().toImage();
        const ConsumptionChart::LabelStyle style = chart.labelStyle();
        // The page's note then takes the bottom of the chart's box.
        emptying.empty(chart);
        chart.resize(522, 190);
        QApplication::processEvents();
        const QImage emptied = chart.grab().toImage();
        emptied.save(testutils::testOutputFolder() + QStringLiteral("/chart-emptied.png"));

        // Inside the chart and above its legend nothing but the white
        // background: no line, tick, grid or label.
        const auto marks = [&chart](const QImage& image) {
            const QChart* c = chart.chart();
            // The white background lies within the chart's layout margins.
            qreal left = 0, top = 0, right = 0, bottom = 0;
            c->layout()->getContentsMargins(&left, &top, &right, &bottom);
            const QRectF above(
                QPointF(left + 1, top + 1), QPointF(c->size().width() - right - 1, c->legend()->geometry().top() - 1));
            const QRect area = chart.mapFromScene(c->mapRectToScene(above))
                                   .boundingRect()
                                   .translated(chart.viewport()->geometry().topLeft());
            const qreal scale = image.devicePixelRatio();
            int count = 0;
            for (int y = static_cast<int>(area.top() * scale); y < static_cast<int>(area.bottom() * scale); ++y)
                for (int x = static_cast<int>(area.left() * scale); x < static_cast<int>(area.right() * scale); ++x)
                    count += qGray(image.pixel(x, y)) < 245;
            return count;
        };
        EXPECT_GT(marks(filled), 1000);
        EXPECT_EQ(marks(emptied), 0);
        // The only texts left are the legend's.
        for (const ShownText& shown : shownTexts(chart.chart())) {
            if (!shown.text.trimmed().isEmpty()) {
                EXPECT_GE(shown.box.top(), chart.chart()->legend()->geometry().top() - 1) << shown.text.toStdString();
            }
        }

        // Emptying keeps the fit of the names for the next calculation.
        chart.resize(522, 218);
        QApplication::processEvents();
        expectRefillTakesStyleFoundBefore(chart, list, style);
    }
}
