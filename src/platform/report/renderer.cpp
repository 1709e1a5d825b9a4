#include "renderer.h"

#include "textalignment.h"
#include "textlayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace report {

namespace {

QColor toColor(AlphaColor color)
{
    return QColor::fromRgba(color);
}

void drawFrame(const PreparedObject& object, QPainter& painter)
{
    if (!object.frame.any())
        return;
    const double l = object.absLeft;
    const double t = object.absTop;
    const double r = l + object.width;
    const double b = t + object.height;
    painter.setPen(QPen(toColor(object.frameColor), 1.0));
    if (object.frame.top)
        painter.drawLine(QPointF(l, t), QPointF(r, t));
    if (object.frame.bottom)
        painter.drawLine(QPointF(l, b), QPointF(r, b));
    if (object.frame.left)
        painter.drawLine(QPointF(l, t), QPointF(l, b));
    if (object.frame.right)
        painter.drawLine(QPointF(r, t), QPointF(r, b));
}

QRectF pictureTarget(const PreparedObject& object)
{
    const QRectF box(object.absLeft, object.absTop, object.width, object.height);
    if (!object.keepAspectRatio || object.picture.isNull())
        return box;
    const QSizeF size = QSizeF(object.picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
    QRectF target(box.topLeft(), size);
    if (object.center)
        target.moveCenter(box.center());
    return target;
}

void drawPicture(const PreparedObject& object, QPainter& painter)
{
    if (!object.hasPage || object.picture.isNull())
        return;
    painter.drawImage(pictureTarget(object), object.picture);
}

void drawShape(const PreparedObject& object, QPainter& painter)
{
    const QRectF box(object.absLeft, object.absTop, object.width, object.height);
    painter.setPen(QPen(toColor(object.frameColor), 1.0));
    painter.setBrush(toColor(object.color));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
}

void drawLine(const PreparedObject& object, QPainter& painter)
{
    painter.setPen(QPen(toColor(object.frameColor), 1.0));
    painter.drawLine(QPointF(object.absLeft, object.absTop), QPointF(object.absLeft + object.width, object.absTop));
}

// One-line texts are measured and drawn at a large reference size and
// scaled to the size wanted: a device rounds a font's size and hints its
// advances, and neither scales with the text.
constexpr int ReferencePixels = 256;

// One line of text laid out with the font's own (design) advances at the
// reference size, as the PDF export measures it.
class DesignLine {
public:
    DesignLine(const QString& text, const QFont& referenceFont)
        : m_layout(text, referenceFont)
    {
        QTextOption option;
        option.setUseDesignMetrics(true);
        option.setWrapMode(QTextOption::NoWrap);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        m_layout.endLayout();
    }
    // Width at `pixels` pixels' size.
    double width(double pixels) const
    {
        return m_line.isValid() ? m_line.horizontalAdvance() * pixels / ReferencePixels : 0;
    }
    void draw(QPainter& painter, double x, double baseline, double pixels) const
    {
        if (!m_line.isValid())
            return;
        painter.save();
        painter.translate(x, baseline);
        painter.scale(pixels / ReferencePixels, pixels / ReferencePixels);
        m_layout.draw(&painter, QPointF(0, -m_line.ascent()));
        painter.restore();
    }

private:
    QTextLayout m_layout;
    QTextLine m_line;
};

// A one-line text is fitted, placed and cut by the PDF export's own rules,
// from the same font's unkerned design widths, so that a printed sheet and
// its PDF show the same letters at the same size in the same place. Sizes
// are in points, lengths in report pixels (96 to the inch).
void drawSingleLine(const PreparedObject& object, QPainter& painter, const QFont& font, const QRectF& box)
{
    QFont reference = font;
    reference.setKerning(false);
    reference.setPixelSize(ReferencePixels);
    const QFontMetricsF metrics(reference);
    const double nominal = object.fontSize * 96.0 / 72.0;
    const pdf::SingleLineFit fit = pdf::fitSingleLine(object.text, box.width(), object.fontSize,
        [&](const QString& line) { return DesignLine(line, reference).width(nominal); });
    const double drawn = fit.size * 96.0 / 72.0;

    // The layout counts y upwards: the box is turned over and back.
    const double toNominal = nominal / ReferencePixels;
    const std::vector<pdf::PlacedLine> lines = pdf::layoutText(
        fit.text, pdf::TextBox { box.left(), -box.top(), box.width(), box.height() }, layoutAlign(object.hAlign),
        layoutAlign(object.vAlign), pdf::LineMetrics { metrics.ascent() * toNominal, -metrics.descent() * toNominal },
        [&](const QString& line) { return DesignLine(line, reference).width(drawn); }, pdf::TextWrap::SingleLine);
    for (const pdf::PlacedLine& line : lines)
        DesignLine(line.text, reference).draw(painter, line.x, -line.baseline, drawn);
}

// The text box follows the PDF export's rule, so that a printed sheet and
// its PDF place text alike: the object's box less its inner margins on
// every side.
void drawMemo(const PreparedObject& object, QPainter& painter)
{
    if (object.color != ColorNull)
        painter.fillRect(QRectF(object.absLeft, object.absTop, object.width, object.height), toColor(object.color));
    if (object.text.isEmpty())
        return;

    int flags = 0;
    switch (object.hAlign) {
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Left:
    case HAlign::Block:
        flags |= Qt::AlignLeft;
        break;
    }
    switch (object.vAlign) {
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    }
    if (object.wordWrap)
        flags |= Qt::TextWordWrap;

    QFont font(object.fontName);
    // Points are 1/72 inch and report pixels 1/96: set the size so that the
    // text is fontSize × 96 / 72 report pixels high whatever the device.
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(object.fontSize * 96.0 / (dpi > 0 ? dpi : 96));
    font.setBold(object.bold);
    font.setItalic(object.italic);
    const QRectF box(object.absLeft + object.gapX, object.absTop + object.gapY, object.width - 2 * object.gapX,
        object.height - 2 * object.gapY);
    painter.save();
    painter.setPen(toColor(object.fontColor));
    painter.setClipRect(QRectF(object.absLeft, object.absTop, object.width, object.height));
    if (object.wordWrap) {
        painter.setFont(font);
        painter.drawText(box, flags, object.text);
    } else {
        drawSingleLine(object, painter, font, box);
    }
    painter.restore();
}

void drawObject(const PreparedObject& object, QPainter& painter)
{
    if (!object.visible || !object.printable)
        return;
    switch (object.kind) {
    case ObjectKind::Picture:
        drawPicture(object, painter);
        break;
    case ObjectKind::Shape:
        drawShape(object, painter);
        break;
    case ObjectKind::Line:
        drawLine(object, painter);
        break;
    case ObjectKind::Memo:
        drawMemo(object, painter);
        break;
    case ObjectKind::Band:
    case ObjectKind::Other:
        break;
    }
    drawFrame(object, painter);
}

} // namespace

void renderSheet(const PreparedPage& sheet, QPainter& painter, const QRectF& target)
{
    if (sheet.width <= 0 || sheet.height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / sheet.width, target.height() / sheet.height);
    painter.fillRect(QRectF(0, 0, sheet.width, sheet.height), Qt::white);
    for (const PreparedObject& object : sheet.objects) {
        drawObject(object, painter);
        for (const PreparedObject& child : object.children)
            drawObject(child, painter);
    }
    painter.restore();
}

QImage renderSheetToImage(const PreparedPage& sheet, double scale)
{
    const QSize size(
        static_cast<int>(std::lround(sheet.width * scale)), static_cast<int>(std::lround(sheet.height * scale)));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    // 96 dots per inch at scale 1, so the image prints at the sheet's size.
    const int dotsPerMeter = static_cast<int>(std::lround(96.0 * scale / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderSheet(sheet, painter, QRectF(0, 0, size.width(), size.height()));
    return image;
}

} // namespace report
