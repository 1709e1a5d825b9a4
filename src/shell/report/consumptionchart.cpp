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
    build(m_screen, new QChart());
    setChart(m_screen.chart);
    setRenderHint(QPainter::Antialiasing);
    // A picture, not a tool: no zoom, no panning.
    setRubberBand(QChartView::NoRubberBand);
    setInteractive(false);
    setDragMode(QGraphicsView::NoDrag);
    Clear();
}

ConsumptionChart::~ConsumptionChart() = default;

void ConsumptionChart::build(Drawing& drawing, QChart* chart)
{
    drawing.chart = chart;
    chart->setTitle(QStringLiteral(" "));
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setBackgroundVisible(false);
    chart->legend()->setBorderColor(Qt::transparent);
    // Without a frame the legend needs no margins; the height they took is
    // left to the period names.
    chart->legend()->layout()->setContentsMargins(0, 0, 0, 0);
    QFont small = chart->legend()->font();
    small.setPointSizeF(7.5);
    chart->legend()->setFont(small);
    chart->setMargins(QMargins(4, 0, 4, 0));
    // The white background fills the whole chart: the frame QtCharts leaves
    // around it by default would only take room from the period names.
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    drawing.active = new QBarSet(ActiveTitle);
    drawing.active->setColor(QColor::fromRgba(ActiveColor));
    drawing.active->setBorderColor(QColor::fromRgba(ActiveColor));
    drawing.reactive = new QBarSet(ReactiveTitle);
    drawing.reactive->setColor(QColor::fromRgba(ReactiveColor));
    drawing.reactive->setBorderColor(QColor::fromRgba(ReactiveColor));
    drawing.series = new QBarSeries();
    drawing.series->append(drawing.active);
    drawing.series->append(drawing.reactive);
    drawing.series->setLabelsVisible(false);
    chart->addSeries(drawing.series);

    // Only the bottom and the left axis: the top and right ones stay hidden.
    // The period names are laid out by fitLabels, which never lets the axis
    // cut one short.
    drawing.axisX = new QBarCategoryAxis();
    drawing.axisX->setLabelsFont(small);
    drawing.axisX->setTruncateLabels(false);
    chart->addAxis(drawing.axisX, Qt::AlignBottom);
    drawing.series->attachAxis(drawing.axisX);
    drawing.axisY = new QValueAxis();
    drawing.axisY->setLabelFormat(QStringLiteral("%.0f"));
    drawing.axisY->setLabelsFont(small);
    chart->addAxis(drawing.axisY, Qt::AlignLeft);
    drawing.series->attachAxis(drawing.axisY);
}

namespace {
// The value axis's own default, which its nice numbers start from.
constexpr int DefaultTickCount = 5;
// How many fitted styles are kept: enough for the screen's size, the
// report picture's and a window resized back and forth.
constexpr std::size_t KeptFits = 4;

// Sets the scale only where it differs: every change lays the axis's labels
// out again.
void setScale(QValueAxis& axis, qreal min, qreal max, int ticks)
{
    if (axis.min() != min || axis.max() != max)
        axis.setRange(min, max);
    if (axis.tickCount() != ticks)
        axis.setTickCount(ticks);
}
} // namespace

void ConsumptionChart::clear(Drawing& drawing)
{
    drawing.active->remove(0, drawing.active->count());
    drawing.reactive->remove(0, drawing.reactive->count());
    // An empty chart shows no scale at all. A category axis left visible
    // without categories keeps drawing its line and the ticks it had. Hidden,
    // the axes keep their names and scale, which show nothing, so that a
    // fill with the same periods finds them in place.
    drawing.axisX->setVisible(false);
    drawing.axisY->setVisible(false);
    drawing.fittedFor.reset();
}

void ConsumptionChart::Clear()
{
    clear(m_screen);
    m_labels.clear();
    m_categories.clear();
    m_pictureCurrent = false;
}

void ConsumptionChart::Fill(const TConsumptionList& periods)
{
    Clear();
    // No periods, no bars: nothing to scale or name, so the chart stays as
    // cleared rather than showing an empty scale under the names it had.
    if (periods.Count() == 0)
        return;
    QStringList categories;
    qreal highest = 0;
    qreal lowest = 0;
    for (int i = 0; i < periods.Count(); ++i) {
        const TConsumption& period = periods[i];
        m_screen.active->setLabel(TranslateText(ActiveTitle));
        m_screen.active->append(period.kwht());
        m_screen.reactive->setLabel(TranslateText(ReactiveTitle));
        m_screen.reactive->append(period.kvarh());
        categories << distinctLabel(period.Period(), categories);
        m_labels << period.Period();
        highest = std::max<qreal>({ highest, qreal(period.kwht()), qreal(period.kvarh()) });
        lowest = std::min<qreal>({ lowest, qreal(period.kwht()), qreal(period.kvarh()) });
    }
    // The axis gets the names from fitLabels, once, as the style it
    // chooses shows them.
    m_categories = categories;
    m_screen.axisX->setVisible(true);
    m_screen.axisY->setVisible(true);
    // From zero, or from below it when a figure is negative (a project read
    // from an old file may hold one), so that no bar falls off the chart.
    // The nice numbers are found on an axis of no chart, which lays nothing
    // out.
    QValueAxis scale;
    scale.setTickCount(DefaultTickCount);
    scale.setRange(lowest, highest > lowest ? highest : lowest + 1);
    scale.applyNiceNumbers();
    setScale(*m_screen.axisY, scale.min(), scale.max(), scale.tickCount());
    fitLabels(m_screen);
}

QStringList ConsumptionChart::categories() const
{
    return m_categories;
}

void ConsumptionChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels(m_screen);
}

void ConsumptionChart::applyLabelStyle(Drawing& drawing, const LabelStyle& style) const
{
    QFont font = drawing.axisX->labelsFont();
    font.setPixelSize(style.pixelSize);
    const QFontMetricsF metrics(font);
    QStringList markup;
    for (const QString& category : m_categories)
        markup << labelMarkup(category, style.lines, metrics);
    if (drawing.axisX->categories() != markup) {
        drawing.axisX->clear();
        drawing.axisX->append(markup);
    }
    // The texts the axis's items will read, parsed once per markup rather
    // than on every check of a layout.
    if (markup != drawing.shownMarkup) {
        drawing.shownLabels.clear();
        for (const QString& label : markup) {
            QTextDocument document;
            document.setHtml(label);
            drawing.shownLabels << document.toPlainText();
        }
        drawing.shownMarkup = markup;
    }
    drawing.axisX->setLabelsFont(font);
    drawing.axisX->setLabelsAngle(style.angle);
    drawing.style = style;
}

bool ConsumptionChart::labelsFit(Drawing& drawing) const
{
    QChart* chart = drawing.chart;
    if (QGraphicsLayout* layout = chart->layout())
        layout->activate();
    const QRectF plot = chart->plotArea();
    const QSizeF size = chart->size();
    const qreal floor = chart->legend()->isVisible() ? chart->legend()->geometry().top() : size.height();

    std::vector<TextItem> items;
    collectTextItems(chart, items);
    std::vector<QRectF> glyphs;
    for (const QString& shown : drawing.shownLabels) {
        if (QString(shown).remove(QChar(0x200B)).trimmed().isEmpty())
            continue; // an unnamed period has nothing to show
        const auto found = std::find_if(items.begin(), items.end(), [&](const TextItem& candidate) {
            return candidate.text == shown
                && qFuzzyCompare(candidate.item->rotation() + 360, drawing.style.angle + 360.0);
        });
        if (found == items.end() || !found->item->isVisible())
            return false;
        const QGraphicsTextItem* item = found->item;
        // The text's own box, without the margin the item draws around it.
        const qreal margin = item->document()->documentMargin();
        const QRectF glyph
            = item->mapRectToItem(chart, item->boundingRect().adjusted(margin, margin, -margin, -margin));
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

ConsumptionChart::FitKey ConsumptionChart::fitKey(const Drawing& drawing) const
{
    return { drawing.chart->size(), m_categories, drawing.axisY->min(), drawing.axisY->max(),
        drawing.axisY->tickCount(), drawing.active->label(), drawing.reactive->label() };
}

void ConsumptionChart::fitLabels(Drawing& drawing) const
{
    if (m_categories.isEmpty())
        return;
    FitKey key = fitKey(drawing);
    if (drawing.fittedFor == key)
        return;
    const auto remember = [&](const LabelStyle& style) {
        std::erase_if(m_fitted, [&](const auto& fitted) { return fitted.first == key; });
        if (m_fitted.size() >= KeptFits)
            m_fitted.erase(m_fitted.begin());
        m_fitted.emplace_back(key, style);
        drawing.fittedFor = std::move(key);
    };
    // A style found before for the same size and figures is only checked.
    const auto known
        = std::find_if(m_fitted.begin(), m_fitted.end(), [&](const auto& fitted) { return fitted.first == key; });
    if (known != m_fitted.end()) {
        applyLabelStyle(drawing, known->second);
        if (labelsFit(drawing)) {
            drawing.fittedFor = std::move(key);
            return;
        }
    }
    // Level first, then upright; the larger size first, and at each size one
    // line before two.
    std::vector<LabelStyle> styles { { 0, 1, LargestLabelSize }, { 0, 2, LargestLabelSize } };
    for (int size = LargestLabelSize; size >= SmallestLabelSize; --size) {
        styles.push_back({ -90, 1, size });
        styles.push_back({ -90, 2, size });
    }
    // A style is only laid out when the names can possibly fit the width
    // each period has, as the last layout gave it.
    const qreal pitch = drawing.chart->plotArea().width() / m_categories.size();
    for (const LabelStyle& style : styles) {
        QFont font = drawing.axisX->labelsFont();
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
        applyLabelStyle(drawing, style);
        if (labelsFit(drawing)) {
            remember(style);
            return;
        }
    }
    // Nothing fits: the smallest names, upright on one line, which the axis
    // shows whole even where they reach past its room.
    const LabelStyle smallest { -90, 1, SmallestLabelSize };
    applyLabelStyle(drawing, smallest);
    remember(smallest);
}

ConsumptionChart::Drawing& ConsumptionChart::picture() const
{
    if (!m_pictureScene) {
        m_pictureScene = std::make_unique<QGraphicsScene>();
        build(m_picture, new QChart());
        m_pictureScene->addItem(m_picture.chart);
    }
    if (m_pictureCurrent)
        return m_picture;
    clear(m_picture);
    m_picture.active->setLabel(m_screen.active->label());
    m_picture.reactive->setLabel(m_screen.reactive->label());
    if (!m_categories.isEmpty()) {
        QList<qreal> active;
        QList<qreal> reactive;
        for (int i = 0; i < m_screen.active->count(); ++i)
            active << m_screen.active->at(i);
        for (int i = 0; i < m_screen.reactive->count(); ++i)
            reactive << m_screen.reactive->at(i);
        m_picture.active->append(active);
        m_picture.reactive->append(reactive);
        m_picture.axisX->setVisible(true);
        m_picture.axisY->setVisible(true);
        setScale(*m_picture.axisY, m_screen.axisY->min(), m_screen.axisY->max(), m_screen.axisY->tickCount());
    }
    m_pictureCurrent = true;
    return m_picture;
}

QImage ConsumptionChart::renderImage(const QSize& size, const QColor& background) const
{
    // Premultiplied, so that a transparent background of any colour blends
    // as nothing into the antialiased edges.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);

    Drawing& drawing = picture();
    if (drawing.chart->size() != QSizeF(size))
        drawing.chart->resize(size);
    if (drawing.chart->backgroundBrush() != QBrush(background))
        drawing.chart->setBackgroundBrush(background);
    fitLabels(drawing);
    if (QGraphicsLayout* layout = drawing.chart->layout())
        layout->activate();

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_pictureScene->render(&painter, QRectF(QPointF(0, 0), size), drawing.chart->sceneBoundingRect());
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
