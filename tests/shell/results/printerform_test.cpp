#include "printerform.h"

#include "fakeprinters.h"
#include "translation.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QStringList threePrinters{QStringLiteral("Oficina"), QStringLiteral("Planta 2"), QStringLiteral("Almacén")};

struct PrinterCase {
    const char* name;
    QStringList titles;
    int defaultIndex;
    bool printerOption;  // the printer option is enabled and selected
    int selectedIndex;   // the list's preselected entry
    TPrintChoice onOk;
    const char* okTitle; // the printer handed back on OK
};

class PrinterFormCases : public ::testing::TestWithParam<PrinterCase> {};

TEST_P(PrinterFormCases, ListsThePrintersAndPreselects)
{
    const PrinterCase& c = GetParam();
    FakePrinters printers(c.titles, c.defaultIndex);
    TPrinterForm form(printers);

    EXPECT_EQ(printers.refreshes, 1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Imprimir"));
    ASSERT_EQ(form.PrintersComboBox->count(), c.titles.size());
    for (int i = 0; i < c.titles.size(); ++i)
        EXPECT_EQ(form.PrintersComboBox->itemText(i), c.titles[i]);
    EXPECT_EQ(form.PrintersComboBox->currentIndex(), c.selectedIndex);
    EXPECT_EQ(form.RadioButtonPrinter->isEnabled(), c.printerOption);
    EXPECT_EQ(form.PrintersComboBox->isEnabled(), c.printerOption);
    EXPECT_EQ(form.RadioButtonPrinter->isChecked(), c.printerOption);
    EXPECT_EQ(form.RadioButtonPDF->isChecked(), !c.printerOption);
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("Adobe PDF"));

    TPrinterDevice device{QStringLiteral("untouched")};
    EXPECT_EQ(form.choice(QDialog::Accepted, device), c.onOk);
    EXPECT_EQ(device.Title, QString::fromUtf8(c.okTitle));

    TPrinterDevice cancelled{QStringLiteral("untouched")};
    EXPECT_EQ(form.choice(QDialog::Rejected, cancelled), TPrintChoice::cancelled);
    EXPECT_EQ(cancelled.Title, QStringLiteral("untouched"));
}

INSTANTIATE_TEST_SUITE_P(
    Printing, PrinterFormCases,
    ::testing::Values(
        PrinterCase{"SecondIsDefault", threePrinters, 1, true, 1, TPrintChoice::to_printer, "Planta 2"},
        PrinterCase{"NoDefault", threePrinters, -1, true, 0, TPrintChoice::to_printer, "Oficina"},
        PrinterCase{"NoPrinters", {}, -1, false, -1, TPrintChoice::to_file, "untouched"}),
    [](const ::testing::TestParamInfo<PrinterCase>& info) { return std::string(info.param.name); });

TEST(PrinterForm, OpeningAListPicksItsDestination)
{
    FakePrinters printers(threePrinters, 1);
    TPrinterForm form(printers);
    form.show();

    QTest::mouseClick(form.ComboBox1, Qt::LeftButton);
    form.ComboBox1->hidePopup();
    EXPECT_TRUE(form.RadioButtonPDF->isChecked());
    EXPECT_FALSE(form.RadioButtonPrinter->isChecked());
    TPrinterDevice device;
    EXPECT_EQ(form.choice(QDialog::Accepted, device), TPrintChoice::to_file);

    QTest::mouseClick(form.PrintersComboBox, Qt::LeftButton);
    form.PrintersComboBox->hidePopup();
    EXPECT_TRUE(form.RadioButtonPrinter->isChecked());
    EXPECT_FALSE(form.RadioButtonPDF->isChecked());
    EXPECT_EQ(form.choice(QDialog::Accepted, device), TPrintChoice::to_printer);
    EXPECT_EQ(device.Title, QStringLiteral("Planta 2"));
}

TEST(PrinterForm, ReadsThePrintersAfreshEachTime)
{
    FakePrinters printers({QStringLiteral("Oficina")}, 0);
    TPrinterDevice device;
    auto answer = [](std::function<void(TPrinterForm&)> act) {
        QTimer::singleShot(0, [act] {
            auto* form = qobject_cast<TPrinterForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            act(*form);
        });
    };

    answer([](TPrinterForm& form) { form.AddButton->click(); });
    EXPECT_EQ(ShowPrinterForm(device, printers), TPrintChoice::to_printer);
    EXPECT_EQ(device.Title, QStringLiteral("Oficina"));

    // A printer added and made the default since the last print.
    printers.titles.append(QStringLiteral("Nueva"));
    printers.defaultIndex = 1;
    answer([](TPrinterForm& form) { form.AddButton->click(); });
    EXPECT_EQ(ShowPrinterForm(device, printers), TPrintChoice::to_printer);
    EXPECT_EQ(device.Title, QStringLiteral("Nueva"));

    answer([](TPrinterForm& form) { form.CancelButton->click(); });
    device.Title = QStringLiteral("kept");
    EXPECT_EQ(ShowPrinterForm(device, printers), TPrintChoice::cancelled);
    EXPECT_EQ(device.Title, QStringLiteral("kept"));

    answer([](TPrinterForm& form) { form.reject(); });
    EXPECT_EQ(ShowPrinterForm(device, printers), TPrintChoice::cancelled);
    EXPECT_EQ(printers.refreshes, 4);
}

TEST(PrinterForm, EnglishTexts)
{
    Translation::setEnglishInForce(true);
    FakePrinters printers({}, -1);
    TPrinterForm form(printers);
    Translation::setEnglishInForce(false);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Print"));
    EXPECT_EQ(form.RadioButtonPDF->text(), QStringLiteral("Save to file"));
    EXPECT_EQ(form.AddButton->text(), QStringLiteral("Ok"));
    EXPECT_EQ(form.CancelButton->text(), QStringLiteral("Cancel"));
}

} // namespace
