#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string>

// How the program reads a number the user typed, in a box or a prompt.
//
// The symbols are the desktop's, compared as whole strings by code point, as
// QLocale writes them: its digits (ASCII digits are taken too), its decimal
// and group separators, its signs and exponent; "-", "+", "e" and "E" are
// taken in every locale. The direction marks some formats put around a sign
// (U+200E, U+200F, U+061C) are passed over wherever they stand. Where the
// group separator is a space of some kind, any space stands for it; where it
// is U+2019, so does an ASCII apostrophe.
namespace TypedNumber {

// The reading rules of one locale, worked out once for the many texts a box
// reads while the user types.
class Reader {
public:
    explicit Reader(const QLocale& locale = QLocale());

    // A decimal as typed: blanks around it ignored, an optional sign, digits
    // with at most one decimal separator, an optional exponent (marker,
    // optional sign, digits); at least one digit, on either side of the
    // separator ("630," and ",5" are numbers). Both "," and "." are the
    // decimal separator in every locale, as is the locale's own: the numeric
    // keypad gives one or the other. A second separator, or a group
    // separator that is no decimal one, makes no number. Read exactly, to
    // the nearest long double; nothing when the text is no such number or
    // its value is not finite.
    std::optional<long double> decimal(const QString& text) const;

    // A price or a length typed into a prompt: as `decimal`, except that a
    // text whose one separator is the locale's group separator standing where
    // it groups thousands (a first group of one to three digits not starting
    // with 0, then three digits: "1.250" under Spanish, "1,250" under
    // English) is no number: it means a thousands figure to some users and a
    // decimal to others.
    std::optional<long double> amount(const QString& text) const;

    // A number typed into a whole-number box: as `decimal`, except that the
    // locale's group separator groups the whole part where it stands in
    // threes, as bills print amounts ("46.500" is 46500 and "1.000.000" a
    // million under Spanish), or as the locale itself groups ("1,25,00,000"
    // under English (India), "1000.000" under Spanish). The first group does
    // not start with 0; a decimal separator may follow the last group
    // ("46.500,7"). A separator that does not group so is a decimal one
    // ("46.5", "46500,7").
    std::optional<long double> grouped(const QString& text) const;

    // A text that is a number of `grouped`'s or `decimal`'s form, or that
    // more typing may still turn into one: empty, a lone sign or separator, a
    // number that ends in a separator or an exponent marker ("46.",
    // "1.000.", "1e-").
    bool mayBecomeNumber(const QString& text) const;

    // How the locale groups the whole part of a number: the size of the last
    // group, of those before it, and the largest first group it writes (four
    // where a lone leading digit joins the next group, as in Spanish); none
    // (0) where it does not group.
    struct Grouping {
        int last = 0;
        int inner = 0;
        int firstMaximum = 0;
    };

    // The locale's symbols, without direction marks.
    struct Symbols {
        char32_t zero = U'0';
        std::u32string negative;
        std::u32string positive;
        std::u32string decimal;
        std::u32string group;
        std::u32string exponential;
        bool spaceGroups = false;
        bool apostropheGroups = false;
        Grouping grouping;
    };

private:
    Symbols m_symbols;
};

// Whether the text holds nothing but blanks and direction marks: what is
// left of a number the user emptied.
bool isBlank(const QString& text);

// One text read by a Reader of `locale`.
std::optional<long double> decimal(const QString& text, const QLocale& locale = QLocale());
std::optional<long double> amount(const QString& text, const QLocale& locale = QLocale());
std::optional<long double> grouped(const QString& text, const QLocale& locale = QLocale());
bool mayBecomeNumber(const QString& text, const QLocale& locale = QLocale());

} // namespace TypedNumber
