#include "renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

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

// A one-line text wider than its box is drawn smaller, whole, as the PDF
// export draws it: neither cut at the box nor run over its neighbours.
void fitSingleLine(QFont& font, const QPaintDevice* device, const QString& text, double width)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Hinted widths are not quite proportional to the size: a second pass
    // takes up what the first one left.
    for (int pass = 0; pass < 3; ++pass) {
        const QFontMetricsF metrics(font, device);
        double widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        if (width <= 0 || widest <= width)
            return;
        font.setPointSizeF(font.pointSizeF() * width / widest);
    }
}

// The text box follows the PDF export's rule, so that a printed sheet and
// its PDF place text alike: a gap applies only on the side the text is
// aligned to.
void drawMemo(const PreparedObject& object, QPainter& painter)
{
    if (object.color != ColorNull)
        painter.fillRect(QRectF(object.absLeft, object.absTop, object.width, object.height), toColor(object.color));
    if (object.text.isEmpty())
        return;

    double leftGap = 0, rightGap = 0, topGap = 0, bottomGap = 0;
    int flags = 0;
    switch (object.hAlign) {
    case HAlign::Right:
        rightGap = object.gapX;
        flags |= Qt::AlignRight;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Left:
    case HAlign::Block:
        leftGap = object.gapX;
        flags |= Qt::AlignLeft;
        break;
    }
    switch (object.vAlign) {
    case VAlign::Bottom:
        bottomGap = object.gapY;
        flags |= Qt::AlignBottom;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Top:
        topGap = object.gapY;
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
    const QRectF box(
        object.absLeft + leftGap, object.absTop + topGap, object.width - rightGap, object.height - bottomGap);
    if (!object.wordWrap)
        fitSingleLine(font, painter.device(), object.text, box.width());
    painter.setFont(font);
    painter.setPen(toColor(object.fontColor));
    painter.save();
    painter.setClipRect(box);
    painter.drawText(box, flags, object.text);
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
