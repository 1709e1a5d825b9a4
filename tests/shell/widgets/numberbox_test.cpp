// The number boxes on every desktop format Qt knows: what a box shows, and
// the number as Qt writes it for the desktop, read back as the same value.

#include "widgets/numberbox.h"

#include "../typing.h"
#include "desktoplocale.h"

#include <QLineEdit>
#include <QLocale>
#include <QSet>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace {

// The boxes of the data page and the billing editor, by their limits. A
// box's locale is the default one when it is built, as on a desktop.
struct Boxes {
    QWidget window;
    NumberBox* hours = new NumberBox("hours", 0, 744, &window);
    NumberBox* field = new NumberBox("field", 0, NumberBox::FieldMaximum, &window);
    NumberBox* year = new NumberBox("year", 2000, 2050, &window);
    DecimalBox* factor = new DecimalBox("factor", 0.0, 1.0, &window);
};

// Types `text` over everything the box shows, then commits it as Calculate
// and Save do. False when a keystroke was refused.
bool retype(QAbstractSpinBox& box, const QString& text)
{
    QLineEdit* line = box.findChild<QLineEdit*>();
    line->selectAll();
    testutils::typeKeys(line, text);
    const bool typed = line->text() == text;
    box.interpretText();
    return typed;
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

TEST(NumberBoxTest, everyDesktopFormatReadsBackWhatItShowsAndWhatQtWrites)
{
    const QList<QLocale> formats
        = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QSet<QString> names;
    std::vector<std::string> faults;
    const auto fault = [&faults](const QLocale& locale, const std::string& box, const std::string& what) {
        faults.push_back(utf8(locale.name()) + " " + box + ": " + what);
    };

    for (const QLocale& locale : formats) {
        names.insert(locale.name());
        const testutils::ScopedDefaultLocale desktop(locale);
        Boxes boxes;
        for (NumberBox* box : { boxes.hours, boxes.field, boxes.year }) {
            const std::string name = utf8(box->objectName());
            std::vector<int> values = { box->minimum(), box->maximum() };
            for (const int value : { 7, 744, 46500, std::numeric_limits<int>::max() })
                if (value >= box->minimum() && value <= box->maximum())
                    values.push_back(value);
            for (const int value : values) {
                const int other = value == box->minimum() ? box->maximum() : box->minimum();
                box->setValue(value);
                box->interpretText();
                if (box->value() != value)
                    fault(locale, name,
                        "committed untouched " + std::to_string(value) + " became " + std::to_string(box->value()));

                const QString shown = box->text();
                box->setValue(other);
                if (!retype(*box, shown))
                    fault(locale, name, "a keystroke of \"" + utf8(shown) + "\" was refused");
                if (box->value() != value)
                    fault(locale, name, "retyped \"" + utf8(shown) + "\" read " + std::to_string(box->value()));

                const QString grouped = locale.toString(value);
                box->setValue(other);
                if (!retype(*box, grouped))
                    fault(locale, name, "a keystroke of \"" + utf8(grouped) + "\" was refused");
                if (box->value() != value)
                    fault(locale, name, "\"" + utf8(grouped) + "\" read " + std::to_string(box->value()));
            }
        }

        // A text that is no number gives back the value held before the
        // typing; an emptied box holds its minimum.
        for (QAbstractSpinBox* box : { static_cast<QAbstractSpinBox*>(boxes.hours),
                 static_cast<QAbstractSpinBox*>(boxes.year), static_cast<QAbstractSpinBox*>(boxes.factor) }) {
            for (const char* typed : { "1e", "1e-", "-", ",", "" }) {
                auto* whole = qobject_cast<NumberBox*>(box);
                const double held = whole ? whole->maximum() : 0.95;
                const double expected = *typed ? held : (whole ? whole->minimum() : 0.0);
                if (whole)
                    whole->setValue(static_cast<int>(held));
                else
                    boxes.factor->setValue(held);
                QLineEdit* line = box->findChild<QLineEdit*>();
                line->selectAll();
                line->del();
                retype(*box, QString::fromLatin1(typed));
                const double read = whole ? whole->value() : boxes.factor->value();
                if (read != expected)
                    fault(locale, utf8(box->objectName()),
                        "\"" + std::string(typed) + "\" over " + std::to_string(held) + " read "
                            + std::to_string(read));
            }
        }

        DecimalBox& factor = *boxes.factor;
        for (const double value : { 0.0, 1.0, 0.95 }) {
            const double other = value == 0.0 ? 1.0 : 0.0;
            factor.setValue(value);
            factor.interpretText();
            if (factor.value() != value)
                fault(locale, "factor",
                    "committed untouched " + std::to_string(value) + " became " + std::to_string(factor.value()));
            for (const QString& typed : { factor.text(), locale.toString(value) }) {
                factor.setValue(other);
                if (!retype(factor, typed))
                    fault(locale, "factor", "a keystroke of \"" + utf8(typed) + "\" was refused");
                if (factor.value() != value)
                    fault(locale, "factor", "\"" + utf8(typed) + "\" read " + std::to_string(factor.value()));
            }
        }
    }

    // Every format Qt knows, not a handful.
    EXPECT_GT(names.size(), 500);
    std::cout << "[ formats  ] " << names.size() << " distinct format names\n";
    std::vector<std::string> shownFaults(faults.begin(), faults.begin() + std::min<std::size_t>(faults.size(), 30));
    std::string listed;
    for (const std::string& f : shownFaults)
        listed += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first:" << listed;
}
