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

TEST(Renderer, DrawsAOneLineTextTooWideForItsBoxSmallerAndWhole)
{
    // The same long name in a box where it fits and, kept on one line, in
    // one half as wide: smaller letters, ending inside the box, never
    // wrapped onto a second line nor past the box.
    const auto inkBox = [](double width) {
        PreparedObject text = view(ObjectKind::Memo, 0, 0, width, 20);
        text.text = QStringLiteral("Talleres Metalúrgicos Hermanos Fernández");
        text.wordWrap = false;
        const QImage image = renderSheetToImage(sheetWith({ text }), 2.0);
        QRect ink;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    const QRect wide = inkBox(200);
    const QRect narrow = inkBox(100);
    ASSERT_FALSE(wide.isEmpty());
    ASSERT_FALSE(narrow.isEmpty());
    EXPECT_LT(wide.right(), 2 * 200);
    EXPECT_LT(narrow.right(), 2 * (100 + DefaultGapX));
    EXPECT_GT(narrow.right(), 2 * 100 - 20); // the whole name, not its first words
    EXPECT_LT(narrow.height(), wide.height() * 0.8);
    EXPECT_LT(narrow.bottom(), 2 * 20);
}
