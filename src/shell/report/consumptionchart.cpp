#include "consumptionchart.h"

#include "consumption.h"
#include "translation.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>

namespace {

const QString ActiveTitle = QStringLiteral("Energía Activa total (kWh)");
const QString ReactiveTitle = QStringLiteral("Energía Reactiva total (kVArh)");

// The category axis merges equal labels, so two periods both called
// "Enero" would share one pair of slots. A repeated label gets zero-width
// spaces appended, which keeps it distinct and reads the same. The axis
// also drops a null label, which would shift every later label one pair to
// the left: a null name is taken as an empty one.
QString distinctLabel(const QString& label, const QStringList& taken)
{
    QString candidate = label.isNull() ? QStringLiteral("") : label;
    while (taken.contains(candidate))
        candidate += QChar(0x200B);
    return candidate;
}

} // namespace

ConsumptionChart::ConsumptionChart(QWidget* parent)
    : QChartView(parent)
{
    m_chart = new QChart();
    m_chart->setTitle(QStringLiteral(" "));
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setBackgroundRoundness(0);
    m_chart->setDropShadowEnabled(false);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setBackgroundVisible(false);
    m_chart->legend()->setBorderColor(Qt::transparent);
    QFont small = m_chart->legend()->font();
    small.setPointSizeF(7.5);
    m_chart->legend()->setFont(small);
    m_chart->setMargins(QMargins(4, 0, 4, 0));

    m_series1 = new QBarSet(ActiveTitle);
    m_series1->setColor(QColor::fromRgba(ActiveColor));
    m_series1->setBorderColor(QColor::fromRgba(ActiveColor));
    m_series2 = new QBarSet(ReactiveTitle);
    m_series2->setColor(QColor::fromRgba(ReactiveColor));
    m_series2->setBorderColor(QColor::fromRgba(ReactiveColor));
    m_series = new QBarSeries();
    m_series->append(m_series1);
    m_series->append(m_series2);
    m_series->setLabelsVisible(false);
    m_chart->addSeries(m_series);

    // Only the bottom and the left axis: the top and right ones stay hidden.
    // Period names stand upright under their bars so that a year of them
    // fits a narrow chart.
    m_axisX = new QBarCategoryAxis();
    m_axisX->setLabelsFont(small);
    m_axisX->setLabelsAngle(-90);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_series->attachAxis(m_axisX);
    m_axisY = new QValueAxis();
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    m_axisY->setLabelsFont(small);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    m_series->attachAxis(m_axisY);

    setChart(m_chart);
    setRenderHint(QPainter::Antialiasing);
    // A picture, not a tool: no zoom, no panning.
    setRubberBand(QChartView::NoRubberBand);
    setInteractive(false);
    setDragMode(QGraphicsView::NoDrag);
}

namespace {
// The value axis's own default, restored when the chart is emptied.
constexpr int DefaultTickCount = 5;
} // namespace

void ConsumptionChart::Clear()
{
    m_series1->remove(0, m_series1->count());
    m_series2->remove(0, m_series2->count());
    m_axisX->clear();
    m_labels.clear();
    m_axisY->setRange(0, 1);
    m_axisY->setTickCount(DefaultTickCount);
    // An empty chart shows no scale. Hiding the labels and the category grid
    // also keeps the category axis from drawing the periods it held before,
    // which clearing it alone does not repaint.
    m_axisX->setLabelsVisible(false);
    m_axisX->setGridLineVisible(false);
    m_axisY->setLabelsVisible(false);
}

void ConsumptionChart::Fill(const TConsumptionList& periods)
{
    Clear();
    QStringList categories;
    qreal highest = 0;
    qreal lowest = 0;
    for (int i = 0; i < periods.Count(); ++i) {
        const TConsumption& period = periods[i];
        m_series1->setLabel(TranslateText(ActiveTitle));
        m_series1->append(period.kwht());
        m_series2->setLabel(TranslateText(ReactiveTitle));
        m_series2->append(period.kvarh());
        categories << distinctLabel(period.Period(), categories);
        m_labels << period.Period();
        highest = std::max<qreal>({ highest, qreal(period.kwht()), qreal(period.kvarh()) });
        lowest = std::min<qreal>({ lowest, qreal(period.kwht()), qreal(period.kvarh()) });
    }
    m_axisX->append(categories);
    m_axisX->setLabelsVisible(true);
    m_axisX->setGridLineVisible(true);
    m_axisY->setLabelsVisible(true);
    // From zero, or from below it when a figure is negative (a project read
    // from an old file may hold one), so that no bar falls off the chart.
    m_axisY->setRange(lowest, highest > lowest ? highest : lowest + 1);
    m_axisY->applyNiceNumbers();
}

QStringList ConsumptionChart::categories() const
{
    return m_axisX->categories();
}

QImage ConsumptionChart::renderImage(const QSize& size, const QColor& background) const
{
    // Premultiplied, so that a transparent background of any colour blends
    // as nothing into the antialiased edges.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);

    const QBrush ownBackground = m_chart->backgroundBrush();
    const QSizeF ownSize = m_chart->size();
    m_chart->setBackgroundBrush(background);
    m_chart->resize(size);
    if (QGraphicsLayout* layout = m_chart->layout())
        layout->activate();

    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_chart->scene()->render(&painter, QRectF(QPointF(0, 0), size), m_chart->sceneBoundingRect());
    }

    m_chart->setBackgroundBrush(ownBackground);
    m_chart->resize(ownSize);
    if (QGraphicsLayout* layout = m_chart->layout())
        layout->activate();
    return image.convertToFormat(QImage::Format_ARGB32);
}
