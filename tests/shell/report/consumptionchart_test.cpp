#include "consumptionchart.h"

#include "consumption.h"
#include "translation.h"

#include "testutils.h"

#include <QBarSet>
#include <QLegend>
#include <QValueAxis>

#include <gtest/gtest.h>

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

TEST(ConsumptionChart, ClearedChartLooksLikeANewOne)
{
    // A contracted-power calculation after a consumption one must not show
    // the earlier periods' names or a scale.
    ConsumptionChart fresh;
    ConsumptionChart used;
    used.Fill(periods({ { "Enero", 1000, 400 }, { "Febrero", 1100, 450 }, { "Marzo", 1200, 500 } }));
    const QSize size(454, 321);
    const QImage filled = used.renderImage(size, Qt::white);
    used.Clear();
    fresh.Clear();
    const QImage cleared = used.renderImage(size, Qt::white);
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
    EXPECT_EQ(clearDifferences(cleared, expected), 0);
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
