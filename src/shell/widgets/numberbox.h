#pragma once

#include "typednumber.h"

#include <QDoubleSpinBox>
#include <QLocale>
#include <QSpinBox>

#include <limits>
#include <optional>

// The reading rules of a box's locale, worked out again only when the
// locale changes: a box reads its text at every keystroke.
class BoxReader {
public:
    const TypedNumber::Reader& of(const QLocale& locale);

private:
    QLocale m_locale;
    std::optional<TypedNumber::Reader> m_reader;
};

// A whole-number box. What is typed is read as TypedNumber::grouped reads
// it: the desktop's digits and separators, its group separator where it
// groups ("46.500" is 46500 under Spanish), any other separator a decimal
// one. A decimal is rounded to the nearest whole number when the box is
// committed, a half to the even neighbour, and a number beyond a limit
// becomes that limit; a text that is no number puts the box back to the
// value it held when the user began typing, an emptied box holds its
// minimum. The box then shows the value it holds. `userEdited` comes for
// the user's own changes only: typing in the box, its step keys, arrows and
// the wheel; never for a value set by the program.
class NumberBox : public QSpinBox {
    Q_OBJECT
public:
    // The fields behind the boxes are 32-bit: no box goes beyond what its
    // field holds.
    static constexpr int FieldMaximum = std::numeric_limits<int>::max();

    // A box named `name`, right-aligned, that brings a value outside
    // `minimum` to `maximum` to the nearer limit.
    NumberBox(const char* name, int minimum, int maximum, QWidget* parent = nullptr);

    // A number typed beyond a limit ("-5" in a box that starts at 0) is
    // accepted while typing and becomes the limit, rather than losing the
    // keystroke that went past.
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;

signals:
    void userEdited();

private:
    mutable BoxReader m_reader;
};

// A decimal box that shows its value with two decimals in the locale's
// format, by the rule of every other figure (NumberFormat::twoDecimals), but
// keeps every decimal the user typed: 0.955 stays 0.955 while it shows
// "0.96" (a plain QDoubleSpinBox would round the value itself). What is
// typed is read as TypedNumber::decimal reads it: "," and "." alike are the
// decimal separator, in every locale. A text that is no number, or an
// emptied box, is taken as a NumberBox takes it.
class DecimalBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    // Named, aligned and limited as a NumberBox is.
    DecimalBox(const char* name, double minimum, double maximum, QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    // A typed number outside the limits becomes the nearer limit.
    void fixup(QString& input) const override;
    void stepBy(int steps) override;

signals:
    void userEdited();

private:
    mutable BoxReader m_reader;
};

// Commits the number being typed into the focused box of `window`, if any,
// so that what reads the box next sees the typed value.
void commitTypedNumber(QWidget* window);
