// The main window on screens of several sizes, each under an X server of its
// own (see CMakeLists.txt: every case runs alone, on the screen its name
// says, without a window manager). On a screen too small for the window it
// lies inside the available area with its contents scrolled; on a screen
// that holds it, it is the fixed window of always.
#include "mainformfixture.h"

#include "datapage.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <ostream>

// Sizes and rectangles in failure messages.
void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << " x " << size.height();
}
void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << " x " << rect.height() << " at " << rect.x() << ", " << rect.y();
}

namespace {

QString outputPath(const QString& name)
{
    return QDir(testutils::testOutputFolder()).filePath(name);
}

// The controls a user acts on, as shown now.
QList<QWidget*> shownControls(QWidget& window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const bool spinBoxPart = qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr;
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSpinBox*>(widget)
            || (qobject_cast<QLineEdit*>(widget) && !spinBoxPart))
            controls << widget;
    }
    return controls;
}

class SmallScreenTest : public MainFormFixture {
protected:
    // A window over the shipped catalogue with a capacitor bank for 120 kW
    // contracted power to calculate, shown on the test's screen.
    TMainForm& showWindow()
    {
        TMainForm& w = create(QStringLiteral("es"), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
        project().setBatteryType(TBatteryType::battery);
        project().setVoltage(TVoltage::v400);
        project().setMaximumPower(120);
        w.LoadProjectData();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        QApplication::processEvents();
        return w;
    }

    static QScrollArea* scrollArea(TMainForm& w)
    {
        return w.findChild<QScrollArea*>(QStringLiteral("ClientScrollArea"));
    }

    static void expectFixedAt(TMainForm& w, QSize size)
    {
        EXPECT_EQ(w.size(), size);
        EXPECT_EQ(w.minimumSize(), size);
        EXPECT_EQ(w.maximumSize(), size);
        ASSERT_NE(w.windowHandle(), nullptr);
        EXPECT_EQ(w.windowHandle()->minimumSize(), size);
        EXPECT_EQ(w.windowHandle()->maximumSize(), size);
        EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    }

    // Every control shown can be scrolled into view, whole, on the screen.
    static void expectEveryControlReachable(TMainForm& w, const char* page)
    {
        QScrollArea* scroll = scrollArea(w);
        ASSERT_NE(scroll, nullptr);
        const QRect area = w.screen()->availableGeometry();
        const QList<QWidget*> controls = shownControls(w);
        ASSERT_GT(controls.size(), 5) << page;
        for (QWidget* control : controls) {
            // The whole control, as a user scrolls to it (ensureWidgetVisible
            // would show a text box's cursor only).
            const QRect inClient(control->mapTo(scroll->widget(), QPoint()), control->size());
            const QPoint middle = inClient.topLeft() + QPoint(inClient.width() / 2, inClient.height() / 2);
            const QSize margins = (inClient.size() - inClient.size() / 2).boundedTo(scroll->viewport()->size() / 2);
            scroll->ensureVisible(middle.x(), middle.y(), margins.width(), margins.height());
            QApplication::processEvents();
            // A control wider than the view (a customer text on a narrow
            // screen) shows as much of itself as the view holds.
            const QRect view = scroll->viewport()->rect();
            const QRect shown = QRect(control->mapTo(scroll->viewport(), QPoint()), control->size()) & view;
            const std::string what = std::string(page) + " " + control->objectName().toStdString() + " "
                + control->metaObject()->className();
            EXPECT_EQ(shown.size(), control->size().boundedTo(view.size())) << what;
            const QRect onScreen(scroll->viewport()->mapToGlobal(shown.topLeft()), shown.size());
            EXPECT_TRUE(area.contains(onScreen)) << what;
        }
    }

    // The screen as it shows the window now.
    static void takeScreenshot(TMainForm& w, const QString& name)
    {
        QApplication::processEvents();
        const QPixmap screen = w.screen()->grabWindow(0);
        ASSERT_FALSE(screen.isNull());
        EXPECT_TRUE(screen.save(outputPath(QStringLiteral("smallscreen_%1.png").arg(name))));
    }

    // The whole round on a small screen: the window inside the available
    // area at `expected` (the scroll bars' room in the scroll bar's own
    // width), every control reachable on both data panels, and Calculate
    // scrolled into view and pressed.
    void checkSmallScreen(const QString& name, QSize available, bool cutsWidth)
    {
        TMainForm& w = showWindow();
        const QRect area = w.screen()->availableGeometry();
        ASSERT_EQ(area.size(), available) << "the test's screen";
        EXPECT_TRUE(area.contains(w.frameGeometry())) << "frame";
        EXPECT_EQ(w.frameGeometry(), w.geometry()) << "no window manager, no frame";
        const int bar = QScrollBar(Qt::Vertical).sizeHint().width();
        const QSize expected(cutsWidth ? available.width() : 994 + bar, available.height());
        expectFixedAt(w, expected);
        QScrollArea* scroll = scrollArea(w);
        ASSERT_NE(scroll, nullptr);
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), cutsWidth);
        takeScreenshot(w, name + QStringLiteral("_top"));

        expectEveryControlReachable(w, "billing data");
        project().setCalculationType(TCalculationType::contracted_power);
        w.LoadProjectData();
        QApplication::processEvents();
        expectEveryControlReachable(w, "contracted power");

        // The keyboard brings what it reaches into view.
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        scroll->verticalScrollBar()->setValue(0);
        scroll->horizontalScrollBar()->setValue(0);
        w.findChild<QWidget*>(QStringLiteral("InputTransformerEdit"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), w.FindBatteryButton);
        EXPECT_TRUE(area.contains(QRect(w.FindBatteryButton->mapToGlobal(QPoint()), w.FindBatteryButton->size())));

        scroll->verticalScrollBar()->setValue(0);
        scroll->horizontalScrollBar()->setValue(0);
        scroll->ensureWidgetVisible(w.FindBatteryButton, 0, 0);
        QApplication::processEvents();
        takeScreenshot(w, name + QStringLiteral("_calculate"));
        EXPECT_TRUE(area.contains(QRect(w.FindBatteryButton->mapToGlobal(QPoint()), w.FindBatteryButton->size())));
        QTest::mouseClick(w.FindBatteryButton, Qt::LeftButton);
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(w.Pages.MainTabControl->currentWidget(), w.Pages.ResultData);
        takeScreenshot(w, name + QStringLiteral("_results"));
        expectEveryControlReachable(w, "results");
        project().setIsSaved(true);
    }
};

} // namespace

// 1366 × 768 at a scale of 1.25: 1093 × 614 logical pixels.
TEST_F(SmallScreenTest, laptopScreenAtAScaleOfOneAndAQuarter)
{
    checkSmallScreen(QStringLiteral("scaled"), QSize(1093, 614), false);
}

// 1366 × 768 with a 48-pixel panel at the bottom.
TEST_F(SmallScreenTest, laptopScreenWithAPanel)
{
    checkSmallScreen(QStringLiteral("panel"), QSize(1366, 720), false);
}

// 1280 × 1024 at a scale of 1.5: too narrow and too low.
TEST_F(SmallScreenTest, squareScreenAtAScaleOfOneAndAHalf)
{
    checkSmallScreen(QStringLiteral("square"), QSize(853, 683), true);
}

// 1280 × 1024 at a scale of 1 holds the window: fixed, centred, unscrolled.
TEST_F(SmallScreenTest, largeScreenShowsTheWindowAsAlways)
{
    TMainForm& w = showWindow();
    ASSERT_EQ(w.screen()->availableGeometry(), QRect(0, 0, 1280, 1024)) << "the test's screen";
    expectFixedAt(w, QSize(994, 757));
    EXPECT_EQ(w.geometry(), QRect(143, 133, 994, 757));
    EXPECT_EQ(w.centralWidget()->geometry(), QRect(0, 0, 994, 757));
    QWidget* client = w.findChild<QWidget*>(QStringLiteral("ClientArea"));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->mapTo(&w, QPoint()), QPoint(0, 0));
    EXPECT_EQ(client->size(), QSize(994, 757));
    EXPECT_EQ(QRect(w.FindBatteryButton->mapTo(&w, QPoint()), w.FindBatteryButton->size()), QRect(850, 693, 140, 64));
    if (QScrollArea* scroll = scrollArea(w)) {
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    }
    project().setIsSaved(true);
}
