#include "batterylistdelegate.h"

#include "batterylistmodel.h"
#include "dbdatamodule.h"
#include "equipment.h"
#include "project.h"
#include "selection.h"
#include "testutils.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// A series picture as large as the catalogue's (drawn to print sharp), white
// with one dark vertical line a few pixels wide, like a symbol's lead.
constexpr int PictureSize = 600;
constexpr int LineLeft = 302;
constexpr int LineWidth = 4;

QString pictureSqlLiteral()
{
    QImage picture(PictureSize, PictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 100; y < 500; ++y)
        for (int x = LineLeft; x < LineLeft + LineWidth; ++x)
            picture.setPixel(x, y, qRgb(0x34, 0x49, 0x5E));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QStringLiteral("X'%1'").arg(QString::fromLatin1(png.toHex()));
}

QString catalogueSql()
{
    return testutils::catalogueSchemaSql()
        + QStringLiteral(
            "INSERT INTO bb VALUES ('QV-75', 'Quelva', 400, 7.5, 1234.56, 1, 0, 0, '3x2.5', '300x400x200');\n"
            "INSERT INTO description VALUES ('Quelva', ")
        + pictureSqlLiteral() + QStringLiteral(", '', 'Batería.', 'Bank.');\n");
}

} // namespace

// The list shows a picture many times smaller than it is drawn: its thin
// lines must survive the reduction.
TEST(BatteryListDelegate, APictureScaledDownKeepsItsThinLines)
{
    testutils::TemporaryCatalogue file(catalogueSql());
    TDbDataModule catalogue(file.path());
    TCProyect project(&catalogue);
    CatalogueRowSet& bb = catalogue.GetBbTable();
    bb.first();
    auto battery = std::make_unique<TBattery>(&project.Selection());
    battery->LoadFromDataSet(bb, &catalogue.GetDescriptionTable());
    ASSERT_EQ(battery->Image().width(), PictureSize);
    project.Selection().BatteryList().Add(std::move(battery));

    BatteryListModel model;
    model.fill(project.Selection().BatteryList(), TBatteryType::battery);
    BatteryListDelegate delegate;
    QImage item(BatteryListDelegate::ItemWidth, BatteryListDelegate::ItemHeight, QImage::Format_RGB32);
    QStyleOptionViewItem option;
    option.rect = item.rect();
    // Painted twice: the second paint must look like the first.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        item.fill(Qt::white);
        {
            QPainter painter(&item);
            delegate.paint(&painter, option, model.index(0));
        }
        // The square picture fills the height of its box, centred across.
        const QRect box = BatteryListDelegate::imageRect();
        const int shown = box.height();
        const QRect target(box.x() + (box.width() - shown) / 2, box.y(), shown, shown);
        const int middleRow = target.y() + shown / 2;
        int darkest = 255;
        for (int x = target.left(); x <= target.right(); ++x)
            darkest = std::min(darkest, qRed(item.pixel(x, middleRow)));
        // A line of 4 in 600 pixels covers about 40 % of one of the 65
        // columns; averaged over its area it shows clearly.
        EXPECT_LT(darkest, 200);
    }
}
