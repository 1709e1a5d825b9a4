#include "batterylistdelegate.h"

#include "batterylistmodel.h"
#include "equipment.h"

#include <QPainter>
#include <QPainterPath>

namespace {

struct TextPlace {
    BatteryListDelegate::TextObject object;
    int role;
    Qt::Alignment alignment;
};

constexpr TextPlace textPlaces[] = {
    {BatteryListDelegate::TextObject::Text1, BatteryListModel::Text1Role, Qt::AlignLeft | Qt::AlignBottom},
    {BatteryListDelegate::TextObject::Text9, BatteryListModel::Text9Role, Qt::AlignLeft | Qt::AlignTop},
    {BatteryListDelegate::TextObject::Text4, BatteryListModel::Text4Role, Qt::AlignLeft | Qt::AlignVCenter},
    {BatteryListDelegate::TextObject::Text5, BatteryListModel::Text5Role, Qt::AlignLeft | Qt::AlignVCenter},
    {BatteryListDelegate::TextObject::Text8, BatteryListModel::Text8Role, Qt::AlignLeft | Qt::AlignVCenter},
    {BatteryListDelegate::TextObject::Text6, BatteryListModel::Text6Role, Qt::AlignLeft | Qt::AlignVCenter},
};

// The picture scaled into its box with its proportions kept, centred.
QRect fittedRect(const QSize& picture, const QRect& box)
{
    if (picture.isEmpty())
        return {};
    const QSize size = picture.scaled(box.size(), Qt::KeepAspectRatio);
    return QRect(box.x() + (box.width() - size.width()) / 2, box.y() + (box.height() - size.height()) / 2,
                 size.width(), size.height());
}

} // namespace

QRect BatteryListDelegate::imageRect()
{
    return QRect(6, (ItemHeight - 65) / 2, 73, 65);
}

QRect BatteryListDelegate::accessoryRect(int itemWidth)
{
    return QRect((itemWidth - 61) / 2 + 440, (ItemHeight - 100) / 2, 61, 100);
}

QRect BatteryListDelegate::textRect(TextObject object)
{
    switch (object) {
    case TextObject::Text1:
        return QRect(78, 8, 217, 33);
    case TextObject::Text9:
        return QRect(78, 45, 217, 33);
    case TextObject::Text4:
        return QRect(334, 8, 215, 33);
    case TextObject::Text5:
        return QRect(334, 40, 215, 33);
    case TextObject::Text8:
        return QRect(590, 8, 217, 33);
    case TextObject::Text6:
        return QRect(590, 40, 217, 33);
    case TextObject::Text10:
        return QRect(841, -2, 65, 85);
    }
    return {};
}

BatteryListDelegate::BatteryListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void BatteryListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const QRect item = option.rect;
    const QPalette& palette = option.palette;
    painter->save();
    painter->setClipRect(item);
    painter->fillRect(item, palette.base());
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawLine(item.bottomLeft(), item.bottomRight());

    auto placed = [&item](const QRect& r) { return r.translated(item.topLeft()); };

    // The candidate's own picture, drawn from where it lives.
    if (const auto* battery = static_cast<const TBattery*>(index.data(BatteryListModel::BatteryRole).value<void*>())) {
        const QImage& picture = battery->Image();
        const QRect target = fittedRect(picture.size(), placed(imageRect()));
        if (!target.isEmpty()) {
            const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            painter->drawImage(target, shownPicture(picture, (QSizeF(target.size()) * ratio).toSize()));
        }
    }

    painter->setPen(palette.color(QPalette::Text));
    QFont font = option.font;
    for (const TextPlace& place : textPlaces) {
        QFont textFont = font;
        if (place.object == TextObject::Text1)
            textFont.setPixelSize(18);
        painter->setFont(textFont);
        const QRect box = placed(textRect(place.object));
        const QString text = painter->fontMetrics().elidedText(index.data(place.role).toString(), Qt::ElideRight,
                                                               box.width());
        painter->drawText(box, static_cast<int>(place.alignment), text);
    }

    QFont linkFont = font;
    linkFont.setUnderline(true);
    painter->setFont(linkFont);
    painter->setPen(palette.color(QPalette::Link));
    painter->drawText(placed(textRect(TextObject::Text10)), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                      index.data(BatteryListModel::Text10Role).toString());

    // The accessory: a chevron pointing to the detail page.
    const QRect accessory = placed(accessoryRect(item.width()));
    const QPointF centre = QRectF(accessory).center();
    QPainterPath chevron;
    chevron.moveTo(centre + QPointF(-3, -7));
    chevron.lineTo(centre + QPointF(4, 0));
    chevron.lineTo(centre + QPointF(-3, 7));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(palette.color(QPalette::Mid), 2));
    painter->drawPath(chevron);
    painter->restore();
}

const QImage& BatteryListDelegate::shownPicture(const QImage& picture, const QSize& size) const
{
    auto shown = m_shownPictures.find(picture.cacheKey());
    if (shown == m_shownPictures.end() || shown->size() != size)
        shown = m_shownPictures.insert(picture.cacheKey(),
                                       picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return *shown;
}

QSize BatteryListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(ItemWidth, ItemHeight);
}
