#include "consumptionchart.h"

#include "consumption.h"
#include "translation.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QPainter>
#include <QTextDocument>
#include <QValueAxis>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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

// The period names' sizes, in pixels (text is drawn at whole pixel sizes):
// the largest matches the legend's 7.5 points.
constexpr int LargestLabelSize = 10;
constexpr int SmallestLabelSize = 6;

// The two lines of a name broken after a hyphen or at a blank, at the place
// that leaves the longer line shortest; nothing when the name has no such
// place.
std::optional<std::pair<QString, QString>> brokenLabel(const QString& label, const QFontMetricsF& metrics)
{
    std::optional<std::pair<QString, QString>> best;
    qreal bestWidth = metrics.horizontalAdvance(label);
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar c = label.at(i);
        if (c != QLatin1Char('-') && c != QLatin1Char(' '))
            continue;
        QString first = label.left(c == QLatin1Char('-') ? i + 1 : i);
        QString second = label.mid(i + 1);
        if (first.trimmed().isEmpty() || second.trimmed().isEmpty())
            continue;
        const qreal width = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (width < bestWidth) {
            bestWidth = width;
            best.emplace(std::move(first), std::move(second));
        }
    }
    return best;
}

// The axis shows its labels as rich text: a name is escaped, and its line
// break is a markup break.
QString labelMarkup(const QString& label, int lines, const QFontMetricsF& metrics)
{
    if (lines > 1) {
        if (const auto broken = brokenLabel(label, metrics))
            return broken->first.toHtmlEscaped() + QStringLiteral("<br>") + broken->second.toHtmlEscaped();
    }
    return label.toHtmlEscaped();
}

// A text item the chart is drawn with, and what it reads.
struct TextItem {
    QGraphicsTextItem* item;
    QString text;
};

// The text items the chart is drawn with, at any depth.
void collectTextItems(QGraphicsItem* item, std::vector<TextItem>& found)
{
    for (QGraphicsItem* child : item->childItems()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(child))
            found.push_back({ text, text->toPlainText() });
        collectTextItems(child, found);
    }
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
    // Without a frame the legend needs no margins; the height they took is
    // left to the period names.
    m_chart->legend()->layout()->setContentsMargins(0, 0, 0, 0);
    QFont small = m_chart->legend()->font();
    small.setPointSizeF(7.5);
    m_chart->legend()->setFont(small);
    m_chart->setMargins(QMargins(4, 0, 4, 0));
    // The white background fills the whole chart: the frame QtCharts leaves
    // around it by default would only take room from the period names.
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);

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
    // The period names are laid out by fitLabels, which never lets the axis
    // cut one short.
    m_axisX = new QBarCategoryAxis();
    m_axisX->setLabelsFont(small);
    m_axisX->setTruncateLabels(false);
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
    Clear();
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
    m_categories.clear();
    m_axisY->setRange(0, 1);
    m_axisY->setTickCount(DefaultTickCount);
    // An empty chart shows no scale at all. A category axis left visible
    // without categories keeps drawing its line and the ticks it had.
    m_axisX->setVisible(false);
    m_axisY->setVisible(false);
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
    m_categories = categories;
    m_axisX->append(categories);
    m_axisX->setVisible(true);
    m_axisY->setVisible(true);
    // From zero, or from below it when a figure is negative (a project read
    // from an old file may hold one), so that no bar falls off the chart.
    m_axisY->setRange(lowest, highest > lowest ? highest : lowest + 1);
    m_axisY->applyNiceNumbers();
    fitLabels();
}

QStringList ConsumptionChart::categories() const
{
    return m_categories;
}

void ConsumptionChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

void ConsumptionChart::applyLabelStyle(const LabelStyle& style) const
{
    QFont font = m_axisX->labelsFont();
    font.setPixelSize(style.pixelSize);
    const QFontMetricsF metrics(font);
    QStringList markup;
    for (const QString& category : m_categories)
        markup << labelMarkup(category, style.lines, metrics);
    if (m_axisX->categories() != markup) {
        m_axisX->clear();
        m_axisX->append(markup);
    }
    // The texts the axis's items will read, parsed once per markup rather
    // than on every check of a layout.
    if (markup != m_shownMarkup) {
        m_shownLabels.clear();
        for (const QString& label : markup) {
            QTextDocument document;
            document.setHtml(label);
            m_shownLabels << document.toPlainText();
        }
        m_shownMarkup = markup;
    }
    m_axisX->setLabelsFont(font);
    m_axisX->setLabelsAngle(style.angle);
    m_labelStyle = style;
}

bool ConsumptionChart::labelsFit() const
{
    if (QGraphicsLayout* layout = m_chart->layout())
        layout->activate();
    const QRectF plot = m_chart->plotArea();
    const QSizeF size = m_chart->size();
    const qreal floor = m_chart->legend()->isVisible() ? m_chart->legend()->geometry().top() : size.height();

    std::vector<TextItem> items;
    collectTextItems(m_chart, items);
    std::vector<QRectF> glyphs;
    for (const QString& shown : m_shownLabels) {
        if (QString(shown).remove(QChar(0x200B)).trimmed().isEmpty())
            continue; // an unnamed period has nothing to show
        const auto found = std::find_if(items.begin(), items.end(), [&](const TextItem& candidate) {
            return candidate.text == shown
                && qFuzzyCompare(candidate.item->rotation() + 360, m_labelStyle.angle + 360.0);
        });
        if (found == items.end() || !found->item->isVisible())
            return false;
        const QGraphicsTextItem* item = found->item;
        // The text's own box, without the margin the item draws around it.
        const qreal margin = item->document()->documentMargin();
        const QRectF glyph
            = item->mapRectToItem(m_chart, item->boundingRect().adjusted(margin, margin, -margin, -margin));
        if (glyph.left() < 0 || glyph.right() > size.width() || glyph.top() < plot.bottom() || glyph.bottom() > floor)
            return false;
        glyphs.push_back(glyph);
    }
    std::sort(glyphs.begin(), glyphs.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
    for (std::size_t i = 1; i < glyphs.size(); ++i)
        if (glyphs[i].left() < glyphs[i - 1].right())
            return false;
    return true;
}

void ConsumptionChart::fitLabels() const
{
    if (m_categories.isEmpty())
        return;
    // Level first, then upright; the larger size first, and at each size one
    // line before two.
    std::vector<LabelStyle> styles { { 0, 1, LargestLabelSize }, { 0, 2, LargestLabelSize } };
    for (int size = LargestLabelSize; size >= SmallestLabelSize; --size) {
        styles.push_back({ -90, 1, size });
        styles.push_back({ -90, 2, size });
    }
    // A style is only laid out when the names can possibly fit the width
    // each period has, as the last layout gave it.
    const qreal pitch = m_chart->plotArea().width() / m_categories.size();
    for (const LabelStyle& style : styles) {
        QFont font = m_axisX->labelsFont();
        font.setPixelSize(style.pixelSize);
        const QFontMetricsF metrics(font);
        qreal across = style.lines * metrics.lineSpacing();
        if (style.angle == 0) {
            across = 0;
            for (const QString& category : m_categories) {
                const auto broken = style.lines > 1 ? brokenLabel(category, metrics) : std::nullopt;
                across = std::max(across,
                    broken
                        ? std::max(metrics.horizontalAdvance(broken->first), metrics.horizontalAdvance(broken->second))
                        : metrics.horizontalAdvance(category));
            }
        }
        if (pitch > 0 && across > pitch)
            continue;
        if (style.lines > 1 && std::none_of(m_categories.begin(), m_categories.end(), [&](const QString& category) {
                return brokenLabel(category, metrics).has_value();
            }))
            continue; // the same as one line, tried already
        applyLabelStyle(style);
        if (labelsFit())
            return;
    }
    // Nothing fits: the smallest names, upright on one line, which the axis
    // shows whole even where they reach past its room.
    applyLabelStyle({ -90, 1, SmallestLabelSize });
}

QImage ConsumptionChart::renderImage(const QSize& size, const QColor& background) const
{
    // Premultiplied, so that a transparent background of any colour blends
    // as nothing into the antialiased edges.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);

    const QBrush ownBackground = m_chart->backgroundBrush();
    const QSizeF ownSize = m_chart->size();
    const LabelStyle ownStyle = m_labelStyle;
    m_chart->setBackgroundBrush(background);
    m_chart->resize(size);
    fitLabels();
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
    if (!m_categories.isEmpty())
        applyLabelStyle(ownStyle);
    if (QGraphicsLayout* layout = m_chart->layout())
        layout->activate();
    return image.convertToFormat(QImage::Format_ARGB32);
}
