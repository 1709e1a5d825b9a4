// The whole program driven as a person would: enter a customer and a year
// of bills, calculate, open a candidate, correct its price, save the report
// as a PDF file and read it back, save the project and open it again.
#include "mainformfixture.h"

#include "desktoplocale.h"
#include "dbdatamodule.h"
#include "detailpage.h"
#include "dskproject.h"
#include "equipment.h"
#include "printerform.h"
#include "resultspage.h"
#include "resultsview.h"
#include "selection.h"
#include "testutils.h"
#include "translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `act` on the next modal dialog once it is on screen.
void whenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

template <typename T> T* child(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        throw std::runtime_error(std::string("no widget ") + name);
    return widget;
}

void typeInto(QWidget* widget, const QString& text)
{
    widget->setFocus();
    if (auto* box = qobject_cast<QAbstractSpinBox*>(widget))
        box->selectAll();
    QTest::keyClicks(widget, text);
}

class EndToEnd : public MainFormFixture { };

// As a Spanish desktop runs it: its C library and Qt both write and read
// numbers with a decimal comma and group thousands with a point.
TEST_F(EndToEnd, FromCustomerToPdfReport)
{
    const testutils::ScopedCLocale desktop(testutils::SpanishCLocale);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const testutils::ScopedDefaultLocale format(spanish);
    Translation::setEnglishInForce(false);
    TMainForm& window = create(QStringLiteral("es"), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    typeInto(child<QLineEdit>(&window, "BusinessNameEdit"), QStringLiteral("Talleres Ibarra S.A."));
    typeInto(child<QLineEdit>(&window, "UserNameEdit"), QStringLiteral("Amaia Etxeberria"));
    QTest::mouseClick(child<QRadioButton>(&window, "BatteryType_battery"), Qt::LeftButton);
    typeInto(child<QAbstractSpinBox>(&window, "ConsumptionList_Powerfactor"), QStringLiteral("0,95"));

    const char* months[] = { "Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
        "Octubre", "Noviembre", "Diciembre" };
    for (int i = 0; i < 12; ++i) {
        whenModal([i, &months](QWidget* dialog) {
            auto* period = child<QLineEdit>(dialog, "PeriodEdit");
            period->selectAll();
            QTest::keyClicks(period, QString::fromUtf8(months[i]));
            // As the bill prints it: "18.500".
            typeInto(child<QSpinBox>(dialog, "kwhtEdit"), QLocale().toString(18000 + 500 * i));
            typeInto(child<QSpinBox>(dialog, "kvarhEdit"), QString::number(14000 + 300 * i));
            typeInto(child<QSpinBox>(dialog, "PeakDemandEdit"), QStringLiteral("90"));
            typeInto(child<QSpinBox>(dialog, "InputTransformerEdit"), QStringLiteral("400"));
            typeInto(child<QSpinBox>(dialog, "ReactiveSurchargeEdit"), QStringLiteral("150"));
            typeInto(child<QSpinBox>(dialog, "CostPowerTermEdit"), QStringLiteral("700"));
            typeInto(child<QSpinBox>(dialog, "CostActiveTermEdit"), QStringLiteral("2100"));
            QTest::mouseClick(child<QPushButton>(dialog, "AddButton"), Qt::LeftButton);
        });
        window.EntryAddAction->trigger();
    }
    ASSERT_EQ(window.project().ConsumptionList().Count(), 12);
    EXPECT_EQ(window.project().ConsumptionList()[11].kwht(), 23500);

    QTest::mouseClick(window.FindBatteryButton, Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    ASSERT_EQ(window.Pages.MainTabControl->currentWidget(), window.Pages.ResultData);
    EXPECT_EQ(window.FindBatteryAction->text(), QStringLiteral("Resultados"));
    EXPECT_FALSE(window.PrintAction->isEnabled());

    QListView* list = window.results().resultsPage()->BatteryListView;
    ASSERT_GT(list->model()->rowCount(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_EQ(window.Pages.ResultTabControl->currentWidget(), window.Pages.BatteryDetailTabItem);
    EXPECT_TRUE(window.PrintAction->isEnabled());
    TBattery* candidate = window.activeBattery();
    ASSERT_NE(candidate, nullptr);

    dialogs.inputAnswers.push_back(QStringLiteral("4321,5"));
    QTest::mouseClick(window.results().detailPage()->BatteryPriceButton, Qt::LeftButton);
    EXPECT_EQ(candidate->Price().ticks(), 43215000);
    EXPECT_FALSE(window.project().IsSaved());

    const QString pdf = QDir(folder()).filePath(QStringLiteral("informe.pdf"));
    dialogs.fileAnswers.push_back(pdf);
    whenModal([](QWidget* dialog) {
        auto* printer = qobject_cast<TPrinterForm*>(dialog);
        ASSERT_NE(printer, nullptr);
        QTest::mouseClick(printer->ComboBox1, Qt::LeftButton);
        printer->ComboBox1->hidePopup();
        QTest::mouseClick(printer->AddButton, Qt::LeftButton);
    });
    window.PrintAction->trigger();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Talleres Ibarra S.A."))) << text.toStdString();
    EXPECT_TRUE(text.contains(candidate->Code())) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("4321,50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Datos de facturación"))) << text.toStdString();
    // Every figure has its one decimal comma: none reads "1,54,11" or "8,,3".
    const QRegularExpression garbled(QStringLiteral("\\d,\\d*,|,,"));
    EXPECT_FALSE(garbled.match(text).hasMatch()) << garbled.match(text).captured().toStdString() << "\n"
                                                 << text.toStdString();

    // The saved project opens again as it was.
    const QString project = QDir(folder()).filePath(QStringLiteral("obra.tvk"));
    dialogs.fileAnswers.push_back(project);
    window.SaveAction->trigger();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    window.NewAction->trigger();
    ASSERT_EQ(window.project().ConsumptionList().Count(), 0);
    dialogs.fileAnswers.push_back(project);
    window.OpenAction->trigger();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(window.project().BusinessName(), QStringLiteral("Talleres Ibarra S.A."));
    EXPECT_EQ(window.project().ConsumptionList().Powerfactor(), 0.95f);
    EXPECT_EQ(window.project().ConsumptionList().Count(), 12);
    EXPECT_EQ(child<QAbstractSpinBox>(&window, "ConsumptionList_Powerfactor")->text(), QStringLiteral("0,95"));
    window.project().setIsSaved(true); // no close question when the window goes
}

TEST_F(EndToEnd, ContractedPowerResultsShowWhatTheDataPageHolds)
{
    Translation::setEnglishInForce(false);
    TMainForm& window = create(QStringLiteral("es"), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::mouseClick(child<QRadioButton>(&window, "BatteryType_battery"), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(&window, "CalculationType_contracted_power"), Qt::LeftButton);
    typeInto(child<QSpinBox>(&window, "MaximumPowerEdit"), QStringLiteral("250,6"));
    QTest::mouseClick(child<QAbstractButton>(&window, "HasInputTransformer"), Qt::LeftButton);
    // Still being typed when Calculate is pressed.
    typeInto(child<QSpinBox>(&window, "InputTransformerEdit"), QStringLiteral("630"));
    window.FindBatteryAction->trigger();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    ASSERT_EQ(window.Pages.MainTabControl->currentWidget(), window.Pages.ResultData);
    EXPECT_EQ(window.project().MaximumPower(), 251);
    EXPECT_EQ(window.project().InputTransformer(), 630);

    const ResultsPage& page = *window.results().resultsPage();
    EXPECT_EQ(page.MaximumPowerEdit_2->text(), QStringLiteral("251"));
    EXPECT_EQ(page.InputTransformerEdit_2->text(), QStringLiteral("630"));
    EXPECT_TRUE(page.InputTransformerEdit_2->isVisibleTo(window.Pages.BatteryTabItem));
    EXPECT_TRUE(page.Label41->isVisibleTo(window.Pages.BatteryTabItem));

    // The candidate the detail page shows is the window's active one until
    // New resets the view.
    QListView* list = page.BatteryListView;
    ASSERT_GT(list->model()->rowCount(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_NE(window.activeBattery(), nullptr);
    EXPECT_EQ(window.activeBattery(), &window.project().Selection().BatteryList()[0]);
    EXPECT_TRUE(window.PrintAction->isEnabled());
    window.NewAction->trigger();
    EXPECT_EQ(window.activeBattery(), nullptr);
    EXPECT_EQ(window.results().activeBattery(), nullptr);
    EXPECT_EQ(window.Pages.MainTabControl->currentWidget(), window.Pages.DataTab);
    EXPECT_EQ(window.Pages.ResultTabControl->currentWidget(), window.Pages.BatteryTabItem);
    EXPECT_FALSE(window.PrintAction->isEnabled());
    EXPECT_TRUE(window.FindBatteryAction->isEnabled());
    window.project().setIsSaved(true);
}

} // namespace
