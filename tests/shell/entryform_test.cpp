#include "entryform.h"

#include "consumption.h"
#include "translation.h"
#include "widgets/numberbox.h"

#include "desktoplocale.h"
#include "modalhelper.h"
#include "typing.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <utility>

namespace {

NumberBox* box(QWidget* dialog, const char* name)
{
    auto* found = dialog->findChild<NumberBox*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no box ") + name);
    return found;
}

// Types each text over what its box shows, in order; the focus stays in the
// last box.
void typeInto(QWidget* dialog, std::initializer_list<std::pair<const char*, const char*>> typed)
{
    for (const auto& [name, text] : typed) {
        QLineEdit* line = box(dialog, name)->findChild<QLineEdit*>();
        box(dialog, name)->setFocus();
        line->selectAll();
        QTest::keyClicks(line, QString::fromLatin1(text));
    }
}

TConsumption filledPeriod()
{
    TConsumption period;
    period.setPeriod(QStringLiteral("Marzo"));
    period.setYear(2019);
    period.setKwht(12000);
    period.setKvarh(8000);
    period.setPeakDemand(95);
    period.setInputTransformer(630);
    period.setReactiveSurcharge(41);
    period.setCostPowerTerm(350);
    period.setCostActiveTerm(1200);
    return period;
}

} // namespace

TEST(EntryFormTest, showsThePeriodAndStoresEveryEditedFieldOnAccept)
{
    TConsumption period = filledPeriod();
    ModalScript answer1([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("PeriodEdit")->text(), "Marzo");
        EXPECT_EQ(box(dialog, "YearEdit")->value(), 2019);
        EXPECT_EQ(box(dialog, "kwhtEdit")->value(), 12000);
        EXPECT_EQ(box(dialog, "kvarhEdit")->value(), 8000);
        EXPECT_EQ(box(dialog, "PeakDemandEdit")->value(), 95);
        EXPECT_EQ(box(dialog, "InputTransformerEdit")->value(), 630);
        EXPECT_EQ(box(dialog, "ReactiveSurchargeEdit")->value(), 41);
        EXPECT_EQ(box(dialog, "CostPowerTermEdit")->value(), 350);
        EXPECT_EQ(box(dialog, "CostActiveTermEdit")->value(), 1200);

        dialog->findChild<QLineEdit*>("PeriodEdit")->setText(QStringLiteral(" Abril "));
        const char* names[] = { "YearEdit", "kwhtEdit", "kvarhEdit", "PeakDemandEdit", "InputTransformerEdit",
            "ReactiveSurchargeEdit", "CostPowerTermEdit", "CostActiveTermEdit" };
        int value = 2020;
        for (const char* name : names)
            box(dialog, name)->setValue(value++);
        // The last number is still being typed when Enter confirms.
        QLineEdit* typing = box(dialog, "CostActiveTermEdit")->findChild<QLineEdit*>();
        box(dialog, "CostActiveTermEdit")->setFocus();
        typing->selectAll();
        QTest::keyClicks(typing, QStringLiteral("777"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(EditConsumption(period));
    EXPECT_TRUE(answer1.ran());
    EXPECT_EQ(period.Period(), " Abril "); // no trimming
    EXPECT_EQ(period.Year(), 2020);
    EXPECT_EQ(period.kwht(), 2021);
    EXPECT_EQ(period.kvarh(), 2022);
    EXPECT_EQ(period.PeakDemand(), 2023);
    EXPECT_EQ(period.InputTransformer(), 2024);
    EXPECT_EQ(period.ReactiveSurcharge(), 2025);
    EXPECT_EQ(period.CostPowerTerm(), 2026);
    EXPECT_EQ(period.CostActiveTerm(), 777);
}

TEST(EntryFormTest, aPeriodTextOfAnyLengthIsKept)
{
    TConsumption period = filledPeriod();
    const QString longText = QString(40000, QLatin1Char('m')) + QStringLiteral("Z");
    period.setPeriod(longText);
    ModalScript answer([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    ASSERT_TRUE(EditConsumption(period));
    EXPECT_TRUE(answer.ran());
    EXPECT_EQ(period.Period(), longText);
}

TEST(EntryFormTest, cancelAndEscapeLeaveThePeriodUntouched)
{
    for (bool escape : { false, true }) {
        TConsumption period = filledPeriod();
        ModalScript answer2([escape](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("PeriodEdit")->setText(QStringLiteral("Otro"));
            box(dialog, "kwhtEdit")->setValue(1);
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        });
        EXPECT_FALSE(EditConsumption(period));
        EXPECT_TRUE(answer2.ran());
        EXPECT_EQ(period, filledPeriod()) << (escape ? "escape" : "cancel");
    }
}

TEST(EntryFormTest, valuesOutsideTheBoxesAreShownAndStoredAtTheNearerLimit)
{
    TConsumption period = filledPeriod();
    period.setYear(1999);
    period.setKvarh(-5);
    period.setPeakDemand(std::numeric_limits<std::int32_t>::max());
    ModalScript answer3([](QWidget* dialog) {
        EXPECT_EQ(box(dialog, "YearEdit")->value(), 2000);
        EXPECT_EQ(box(dialog, "kvarhEdit")->value(), 0);
        EXPECT_EQ(box(dialog, "PeakDemandEdit")->value(), std::numeric_limits<int>::max());
        QTest::mouseClick(dialog->findChild<QPushButton*>("AddButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(EditConsumption(period));
    EXPECT_TRUE(answer3.ran());
    EXPECT_EQ(period.Year(), 2000);
    EXPECT_EQ(period.kvarh(), 0);
    EXPECT_EQ(period.PeakDemand(), std::numeric_limits<std::int32_t>::max());
}

TEST(EntryFormTest, numbersTypedOutsideTheBoxesAreStoredAtTheNearerLimit)
{
    TConsumption period = filledPeriod();
    ModalScript answer([](QWidget* dialog) {
        typeInto(dialog,
            {
                { "YearEdit", "2099" },
                { "kwhtEdit", "10000000000" },
                { "CostActiveTermEdit", "2147483648" },
            });
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(EditConsumption(period));
    EXPECT_TRUE(answer.ran());
    EXPECT_EQ(period.Year(), 2050);
    EXPECT_EQ(period.kwht(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(period.CostActiveTerm(), std::numeric_limits<std::int32_t>::max());
}

TEST(EntryFormTest, aDecimalTypedIntoAWholeNumberBoxIsRoundedWhenConfirmed)
{
    // On a Spanish desktop, where "." groups thousands: "46.500" is the
    // figure as the bill prints it.
    const testutils::ScopedDefaultLocale desktop(QLocale(QLocale::Spanish, QLocale::Spain));
    TConsumption period = filledPeriod();
    ModalScript answer([](QWidget* dialog) {
        typeInto(dialog,
            {
                { "kvarhEdit", "46500,7" },
                { "kwhtEdit", "46.500" },
                { "YearEdit", "2019,5" },
                { "CostPowerTermEdit", "350,5" },
            });
        QTest::keyClick(dialog, Qt::Key_Return); // still in the last box
    });
    ASSERT_TRUE(EditConsumption(period));
    EXPECT_TRUE(answer.ran());
    EXPECT_EQ(period.kvarh(), 46501);
    EXPECT_EQ(period.kwht(), 46500);
    EXPECT_EQ(period.Year(), 2020);
    EXPECT_EQ(period.CostPowerTerm(), 350);
}

TEST(EntryFormTest, englishShowsTranslatedLabelsUnderTheSpanishCaption)
{
    Translation::setEnglishInForce(true);
    TConsumption period;
    TEntryForm form(period);
    Translation::setEnglishInForce(false);
    EXPECT_EQ(form.windowTitle(), "Editar consumo");
    EXPECT_EQ(form.size(), QSize(680, 304));
    EXPECT_EQ(form.findChild<QPushButton*>("AddButton")->text(), "Ok");
    EXPECT_EQ(form.findChild<QPushButton*>("CancelButton")->text(), "Cancel");
    QStringList labels;
    for (QLabel* label : form.findChildren<QLabel*>())
        labels << label->text();
    for (const char* english :
        { "Month/Bimonthly", "Year", "Totals kWh", "Totals kVArh", "Peak demand (kW)", "Input transformer (kVA)",
            "Reactive power surcharge (€)", "Amount of power term (€)", "Amount of active term (€)" })
        EXPECT_TRUE(labels.contains(QString::fromUtf8(english))) << english;
}

// On desktops whose digits are not ASCII the boxes show the desktop's digits
// and read them back: OK keeps every value, the one in the focused box too,
// and a figure typed as the desktop writes it is taken.
TEST(EntryFormTest, desktopDigitsAreReadBackOnOk)
{
    const QLocale desktops[] = { QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Marathi, QLocale::India), QLocale(QLocale::Bengali, QLocale::Bangladesh) };
    for (const QLocale& locale : desktops) {
        SCOPED_TRACE(locale.name().toStdString());
        const testutils::ScopedDefaultLocale desktop(locale);
        TConsumption period = filledPeriod();
        ModalScript untouched([&locale](QWidget* dialog) {
            EXPECT_EQ(box(dialog, "kwhtEdit")->text(), locale.toString(12000).remove(locale.groupSeparator()));
            box(dialog, "YearEdit")->setFocus();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        ASSERT_TRUE(EditConsumption(period));
        EXPECT_TRUE(untouched.ran());
        EXPECT_EQ(period, filledPeriod());

        ModalScript typed([&locale](QWidget* dialog) {
            QLineEdit* line = box(dialog, "kwhtEdit")->findChild<QLineEdit*>();
            box(dialog, "kwhtEdit")->setFocus();
            line->selectAll();
            testutils::typeKeys(line, locale.toString(46500));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        ASSERT_TRUE(EditConsumption(period));
        EXPECT_TRUE(typed.ran());
        EXPECT_EQ(period.kwht(), 46500);
        EXPECT_EQ(period.Year(), 2019);
    }
}
