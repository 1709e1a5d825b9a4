#include "renderer.h"

#include <QColor>

#include <gtest/gtest.h>

using namespace report;

namespace {

PreparedObject view(ObjectKind kind, double left, double top, double width, double height)
{
    PreparedObject object;
    object.kind = kind;
    object.absLeft = left;
    object.absTop = top;
    object.width = width;
    object.height = height;
    object.pageHeight = 300;
    return object;
}

// Pixels darker than mid-grey inside the rectangle.
int darkPixels(const QImage& image, const QRect& rect)
{
    int dark = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

PreparedPage sheetWith(std::vector<PreparedObject> children)
{
    PreparedPage sheet;
    sheet.width = 200;
    sheet.height = 300;
    PreparedObject background = view(ObjectKind::Picture, 0, 0, 200, 300);
    background.hasPage = false;
    // A picture that belongs to no page is never drawn.
    background.picture = QImage(2, 2, QImage::Format_ARGB32);
    background.picture.fill(Qt::black);
    sheet.objects.push_back(background);
    PreparedObject band = view(ObjectKind::Band, 0, 0, 200, 300);
    band.children = std::move(children);
    sheet.objects.push_back(std::move(band));
    return sheet;
}

} // namespace

TEST(Renderer, DrawsEachKindOfObjectWhereThePreparedSheetPutsIt)
{
    PreparedObject shape = view(ObjectKind::Shape, 10, 10, 100, 20);
    shape.color = ColorSilver;
    shape.frameColor = ColorSilver;
    PreparedObject line = view(ObjectKind::Line, 10, 50, 100, 0);
    PreparedObject text = view(ObjectKind::Memo, 10, 60, 180, 30);
    text.text = QStringLiteral("TENVIK");
    text.fontSize = 16;
    text.bold = true;
    PreparedObject hidden = view(ObjectKind::Shape, 10, 100, 50, 50);
    hidden.color = 0xFFFF0000u;
    hidden.visible = false;
    PreparedObject notPrinted = hidden;
    notPrinted.absTop = 160;
    notPrinted.visible = true;
    notPrinted.printable = false;
    PreparedObject picture = view(ObjectKind::Picture, 100, 200, 80, 40);
    picture.picture = QImage(10, 10, QImage::Format_ARGB32);
    picture.picture.fill(QColor(0, 0, 255));
    picture.center = true;
    PreparedObject framed = view(ObjectKind::Memo, 10, 250, 60, 30);
    framed.frame = { true, false, false, true };

    const QImage image = renderSheetToImage(sheetWith({ shape, line, text, hidden, notPrinted, picture, framed }), 2.0);
    ASSERT_EQ(image.size(), QSize(400, 600));

    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)); // the paper, not the background picture
    EXPECT_EQ(image.pixelColor(120, 40), QColor(192, 192, 192));
    EXPECT_LT(qGray(image.pixel(100, 100)), 128); // the line at y 50
    EXPECT_GT(darkPixels(image, QRect(20, 120, 360, 60)), 100); // the text
    EXPECT_EQ(image.pixelColor(60, 250), QColor(Qt::white)); // invisible
    EXPECT_EQ(image.pixelColor(60, 370), QColor(Qt::white)); // not printable
    // A square picture kept square and centred in its 80 × 40 box: blue
    // from x 120 to 160 only.
    EXPECT_EQ(image.pixelColor(280, 440), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(215, 440), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(345, 440), QColor(Qt::white));
    // Frame sides top and right only.
    EXPECT_LT(qGray(image.pixel(60, 500)), 128);
    EXPECT_LT(qGray(image.pixel(140, 530)), 128);
    EXPECT_EQ(image.pixelColor(60, 560), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 530), QColor(Qt::white));
}

TEST(Renderer, AlignsTextToTheSideItNames)
{
    const auto inkColumns = [](HAlign align) {
        PreparedObject text = view(ObjectKind::Memo, 0, 0, 200, 40);
        text.text = QStringLiteral("ab");
        text.hAlign = align;
        const QImage image = renderSheetToImage(sheetWith({ text }));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (darkPixels(image, QRect(x, 0, 1, 40)) > 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        return std::pair(first, last);
    };
    const auto [leftFirst, leftLast] = inkColumns(HAlign::Left);
    const auto [rightFirst, rightLast] = inkColumns(HAlign::Right);
    const auto [centreFirst, centreLast] = inkColumns(HAlign::Center);
    ASSERT_GE(leftFirst, 0);
    EXPECT_LT(leftFirst, 10);
    EXPECT_GT(rightLast, 190);
    EXPECT_NEAR((centreFirst + centreLast) / 2.0, 100, 4);
    EXPECT_EQ(leftLast - leftFirst, rightLast - rightFirst);
}

// The ink of a sheet drawn at 4 device pixels per report pixel, in report
// pixels.
QRectF inkOf(const PreparedObject& text, const QRectF& within)
{
    constexpr double Scale = 4.0;
    const QImage image = renderSheetToImage(sheetWith({ text }), Scale);
    QRect ink;
    const QRect area = QRectF(within.topLeft() * Scale, within.size() * Scale).toAlignedRect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    return QRectF(QPointF(ink.left(), ink.top()) / Scale, QSizeF(ink.width(), ink.height()) / Scale);
}

TEST(Renderer, AOneLineTextTooWideShrinksToSixPointsOnItsBaselineAndIsThenCut)
{
    // One-line texts in a 100 × 20 box at (0, 0): one that fits, one a
    // little too wide, one far too wide, a figure too wide, right-aligned.
    const auto oneLine = [](const char* content, HAlign align = HAlign::Left) {
        PreparedObject text = view(ObjectKind::Memo, 0, 0, 100, 20);
        text.text = QString::fromUtf8(content);
        text.wordWrap = false;
        text.hAlign = align;
        return text;
    };
    const QRectF sheet(0, 0, 200, 60);
    // Capitals only: the ink's height is the capital height, its bottom
    // the baseline.
    const QRectF fits = inkOf(oneLine("ANA PEREZ"), sheet);
    const QRectF shrunk = inkOf(oneLine("TALLERES DEL NORTE"), sheet);
    const QRectF cut
        = inkOf(oneLine("COOPERATIVA AGRICOLA Y GANADERA DEL VALLE MEDIO DEL EBRO, SOCIEDAD COOPERATIVA"), sheet);
    const QRectF figure = inkOf(oneLine("12345678901234,56", HAlign::Right), sheet);
    ASSERT_FALSE(fits.isEmpty());
    ASSERT_FALSE(shrunk.isEmpty());
    ASSERT_FALSE(cut.isEmpty());
    ASSERT_FALSE(figure.isEmpty());

    // Nothing reaches past the box, nor below it.
    for (const QRectF& ink : { fits, shrunk, cut, figure }) {
        EXPECT_GE(ink.left(), 0);
        EXPECT_LE(ink.right(), 100);
        EXPECT_LE(ink.bottom(), 20);
    }
    // Smaller letters, whole, filling the box, on the baseline of the
    // fitting text.
    EXPECT_LT(shrunk.height(), fits.height() * 0.95);
    EXPECT_GT(shrunk.height(), fits.height() * 0.6);
    EXPECT_GT(shrunk.right(), 100 - 4);
    EXPECT_NEAR(shrunk.bottom(), fits.bottom(), 0.3);
    // At 6 of the 10 points, cut at the edge, on the same baseline.
    EXPECT_NEAR(cut.height() / fits.height(), 0.6, 0.04);
    EXPECT_GT(cut.right(), 100 - 10);
    EXPECT_NEAR(cut.bottom(), fits.bottom(), 0.3);
    // The figure ends at the right gap, whole.
    EXPECT_NEAR(figure.right(), 100 - DefaultGapX, 1.0);
    EXPECT_GT(figure.width(), 100 - DefaultGapX - 4);
}
