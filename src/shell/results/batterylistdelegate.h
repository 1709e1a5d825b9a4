#pragma once

#include <QHash>
#include <QImage>
#include <QRect>
#include <QStyledItemDelegate>

// Paints one candidate of the results list: picture on the left, name and
// code, power and voltage, steps and dimensions, the accessory mark and
// "Ver detalles", at fixed places in an item 85 pixels high. Selection and
// focus are never drawn: the list is for clicking, not for choosing.
class BatteryListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 85;
    static constexpr int ItemWidth = 906;

    // The places of the item's objects, relative to the item's top-left
    // corner; `itemWidth` is needed for the accessory, which is centred.
    static QRect imageRect();
    static QRect accessoryRect(int itemWidth);
    enum class TextObject { Text1, Text9, Text4, Text5, Text8, Text6, Text10 };
    static QRect textRect(TextObject object);

    explicit BatteryListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The catalogue's pictures are drawn for print, many times larger than
    // the list shows them; the painter's filter would drop their thin
    // lines, so the list draws copies reduced by area averaging, made once
    // per picture (by its cache key) and size.
    const QImage& shownPicture(const QImage& picture, const QSize& size) const;
    mutable QHash<qint64, QImage> m_shownPictures;
};
