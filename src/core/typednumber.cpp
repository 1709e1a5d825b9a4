#include "typednumber.h"

#include <QChar>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

using Symbols = TypedNumber::Reader::Symbols;
using Grouping = TypedNumber::Reader::Grouping;

bool isDirectionMark(char32_t c)
{
    return c == 0x200E || c == 0x200F || c == 0x061C;
}

// The text's code points without its direction marks.
std::u32string codePoints(const QString& text)
{
    std::u32string result;
    for (const char32_t c : text.toUcs4())
        if (!isDirectionMark(c))
            result += c;
    return result;
}

std::u32string trimmed(const std::u32string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && QChar::isSpace(text[begin]))
        ++begin;
    while (end > begin && QChar::isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool isSpaceCharacter(char32_t c)
{
    return QChar::category(c) == QChar::Separator_Space;
}

// The sizes of the digit runs between the group separators of a number the
// locale writes.
std::vector<int> groupSizes(const std::u32string& written, const std::u32string& group)
{
    std::vector<int> sizes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = written.find(group, start);
        sizes.push_back(static_cast<int>((at == std::u32string::npos ? written.size() : at) - start));
        if (at == std::u32string::npos)
            return sizes;
        start = at + group.size();
    }
}

Grouping groupingOf(const QLocale& locale, const std::u32string& group)
{
    Grouping grouping;
    if (group.empty())
        return grouping;
    QLocale writing = locale;
    writing.setNumberOptions(QLocale::DefaultNumberOptions);
    // Numbers of 4 to 9 digits show every first group the locale writes;
    // one of 18 digits shows the inner groups.
    qlonglong value = 1000;
    for (int digits = 4; digits <= 9; ++digits, value *= 10) {
        const std::vector<int> sizes = groupSizes(codePoints(writing.toString(value)), group);
        if (sizes.size() >= 2) {
            grouping.last = sizes.back();
            grouping.firstMaximum = std::max(grouping.firstMaximum, sizes.front());
        }
    }
    const std::vector<int> sizes = groupSizes(codePoints(writing.toString(100000000000000000LL)), group);
    if (sizes.size() >= 3)
        grouping.inner = sizes[sizes.size() - 2];
    if (grouping.last == 0)
        return Grouping {};
    if (grouping.inner == 0)
        grouping.inner = grouping.last;
    return grouping;
}

enum class Kind { Digit, Minus, Plus, Decimal, Group, Either, Exponent };

struct Token {
    Kind kind;
    char digit = 0;
};

Kind separatorKind(const std::u32string& text, const Symbols& symbols)
{
    const bool decimal = text == U"," || text == U"." || text == symbols.decimal;
    const bool group = text == symbols.group;
    if (decimal && group)
        return Kind::Either;
    return decimal ? Kind::Decimal : Kind::Group;
}

// The text as the symbols it is made of; nothing when a character is none.
std::optional<std::vector<Token>> tokens(const std::u32string& text, const Symbols& symbols)
{
    const std::pair<const std::u32string*, Kind> named[] = {
        { &symbols.exponential, Kind::Exponent },
        { &symbols.negative, Kind::Minus },
        { &symbols.positive, Kind::Plus },
        { &symbols.decimal, separatorKind(symbols.decimal, symbols) },
        { &symbols.group, separatorKind(symbols.group, symbols) },
    };
    std::vector<Token> result;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = text[i];
        if (c >= U'0' && c <= U'9') {
            result.push_back({ Kind::Digit, static_cast<char>('0' + (c - U'0')) });
            ++i;
            continue;
        }
        if (c >= symbols.zero && c <= symbols.zero + 9) {
            result.push_back({ Kind::Digit, static_cast<char>('0' + (c - symbols.zero)) });
            ++i;
            continue;
        }
        // The longest of the locale's symbols that stands here.
        std::size_t length = 0;
        Kind kind = Kind::Digit;
        for (const auto& [symbol, symbolKind] : named) {
            if (symbol->size() > length && text.compare(i, symbol->size(), *symbol) == 0) {
                length = symbol->size();
                kind = symbolKind;
            }
        }
        if (length == 0) {
            length = 1;
            if (c == U'-')
                kind = Kind::Minus;
            else if (c == U'+')
                kind = Kind::Plus;
            else if (c == U',' || c == U'.')
                kind = separatorKind(std::u32string(1, c), symbols);
            else if (c == U'e' || c == U'E')
                kind = Kind::Exponent;
            else if ((symbols.spaceGroups && isSpaceCharacter(c)) || (symbols.apostropheGroups && c == U'\''))
                kind = Kind::Group;
            else
                return std::nullopt;
        }
        result.push_back({ kind, 0 });
        i += length;
    }
    return result;
}

bool isSeparator(Kind kind)
{
    return kind == Kind::Decimal || kind == Kind::Group || kind == Kind::Either;
}

// A typed number taken apart: its sign, the digit runs of its mantissa with
// the separators between them, and its exponent.
struct Parts {
    bool negative = false;
    std::vector<std::string> runs { std::string() };
    std::vector<Kind> separators;
    std::string exponent; // "" without one, else signed digits: "-3"
};

std::optional<Parts> parts(const QString& text, const Symbols& symbols)
{
    const std::optional<std::vector<Token>> found = tokens(trimmed(codePoints(text)), symbols);
    if (!found)
        return std::nullopt;
    const std::vector<Token>& t = *found;
    Parts result;
    std::size_t i = 0;
    if (i < t.size() && (t[i].kind == Kind::Minus || t[i].kind == Kind::Plus))
        result.negative = t[i++].kind == Kind::Minus;
    bool digits = false;
    for (; i < t.size() && (t[i].kind == Kind::Digit || isSeparator(t[i].kind)); ++i) {
        if (t[i].kind == Kind::Digit) {
            result.runs.back() += t[i].digit;
            digits = true;
        } else {
            result.separators.push_back(t[i].kind);
            result.runs.emplace_back();
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < t.size() && t[i].kind == Kind::Exponent) {
        ++i;
        result.exponent = "+";
        if (i < t.size() && (t[i].kind == Kind::Minus || t[i].kind == Kind::Plus))
            result.exponent = t[i++].kind == Kind::Minus ? "-" : "+";
        if (i == t.size())
            return std::nullopt;
        for (; i < t.size() && t[i].kind == Kind::Digit; ++i)
            result.exponent += t[i].digit;
    }
    if (i != t.size())
        return std::nullopt;
    return result;
}

bool startsGroup(const std::string& run, int maximum)
{
    return !run.empty() && static_cast<int>(run.size()) <= maximum && run.front() != '0';
}

// Whether the runs are a whole part grouped in threes, as bills print it.
bool groupedInThrees(const std::vector<std::string>& runs)
{
    return runs.size() >= 2 && startsGroup(runs.front(), 3)
        && std::all_of(runs.begin() + 1, runs.end(), [](const std::string& run) { return run.size() == 3; });
}

// Whether the runs are a whole part grouped as the locale groups.
bool groupedAsLocale(const std::vector<std::string>& runs, const Grouping& grouping)
{
    if (runs.size() < 2 || grouping.last == 0 || !startsGroup(runs.front(), grouping.firstMaximum))
        return false;
    if (static_cast<int>(runs.back().size()) != grouping.last)
        return false;
    return std::all_of(runs.begin() + 1, runs.end() - 1,
        [&grouping](const std::string& run) { return static_cast<int>(run.size()) == grouping.inner; });
}

std::string joined(std::vector<std::string>::const_iterator begin, std::vector<std::string>::const_iterator end)
{
    std::string result;
    for (; begin != end; ++begin)
        result += *begin;
    return result;
}

// The mantissa in C form ("12.5"), read as `decimal` reads it.
std::optional<std::string> decimalMantissa(const Parts& number)
{
    if (number.separators.empty())
        return number.runs.front();
    if (number.separators.size() == 1 && number.separators.front() != Kind::Group)
        return number.runs.front() + "." + number.runs.back();
    return std::nullopt;
}

// The mantissa in C form, read as `grouped` reads it.
std::optional<std::string> groupedMantissa(const Parts& number, const Grouping& grouping)
{
    const auto& runs = number.runs;
    const auto& separators = number.separators;
    const auto groups = [&grouping](const std::vector<std::string>& whole) {
        return groupedInThrees(whole) || groupedAsLocale(whole, grouping);
    };
    const auto decimalAt = std::find(separators.begin(), separators.end(), Kind::Decimal);
    if (decimalAt != separators.end()) {
        // A decimal separator after the whole part ends the mantissa.
        if (decimalAt + 1 != separators.end())
            return std::nullopt;
        const std::vector<std::string> whole(runs.begin(), runs.end() - 1);
        if (whole.size() > 1 && !groups(whole))
            return std::nullopt;
        return joined(whole.begin(), whole.end()) + "." + runs.back();
    }
    if (separators.empty())
        return runs.front();
    if (groups(runs))
        return joined(runs.begin(), runs.end());
    if (separators.size() == 1 && separators.front() == Kind::Either)
        return runs.front() + "." + runs.back();
    return std::nullopt;
}

std::optional<long double> value(const Parts& number, const std::optional<std::string>& mantissa)
{
    if (!mantissa)
        return std::nullopt;
    std::string plain = (number.negative ? "-" : "") + *mantissa;
    if (!number.exponent.empty())
        plain += "e" + number.exponent;
    // from_chars reads the C form whatever the process's C locale is.
    long double result = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, result);
    if (error != std::errc() || stop != end || !std::isfinite(result))
        return std::nullopt;
    return result;
}

} // namespace

namespace TypedNumber {

Reader::Reader(const QLocale& locale)
{
    const std::u32string zero = codePoints(locale.zeroDigit());
    if (zero.size() == 1)
        m_symbols.zero = zero.front();
    m_symbols.negative = codePoints(locale.negativeSign());
    m_symbols.positive = codePoints(locale.positiveSign());
    m_symbols.decimal = codePoints(locale.decimalPoint());
    m_symbols.group = codePoints(locale.groupSeparator());
    m_symbols.exponential = codePoints(locale.exponential());
    // Spaces and apostrophes the keyboard gives for separators it has no key for.
    m_symbols.spaceGroups = m_symbols.group.size() == 1 && isSpaceCharacter(m_symbols.group.front());
    m_symbols.apostropheGroups = m_symbols.group == U"\u2019";
    m_symbols.grouping = groupingOf(locale, m_symbols.group);
}

std::optional<long double> Reader::decimal(const QString& text) const
{
    const std::optional<Parts> number = parts(text, m_symbols);
    return number ? value(*number, decimalMantissa(*number)) : std::nullopt;
}

std::optional<long double> Reader::amount(const QString& text) const
{
    const std::optional<Parts> number = parts(text, m_symbols);
    if (!number)
        return std::nullopt;
    if (number->separators.size() == 1 && number->separators.front() == Kind::Either && groupedInThrees(number->runs))
        return std::nullopt;
    return value(*number, decimalMantissa(*number));
}

std::optional<long double> Reader::grouped(const QString& text) const
{
    const std::optional<Parts> number = parts(text, m_symbols);
    return number ? value(*number, groupedMantissa(*number, m_symbols.grouping)) : std::nullopt;
}

bool Reader::mayBecomeNumber(const QString& text) const
{
    for (const char* more : { "", "0", "00", "000" }) {
        const QString longer = text.trimmed() + QLatin1String(more);
        if (grouped(longer) || decimal(longer))
            return true;
    }
    return false;
}

bool isBlank(const QString& text)
{
    return trimmed(codePoints(text)).empty();
}

std::optional<long double> decimal(const QString& text, const QLocale& locale)
{
    return Reader(locale).decimal(text);
}

std::optional<long double> amount(const QString& text, const QLocale& locale)
{
    return Reader(locale).amount(text);
}

std::optional<long double> grouped(const QString& text, const QLocale& locale)
{
    return Reader(locale).grouped(text);
}

bool mayBecomeNumber(const QString& text, const QLocale& locale)
{
    return Reader(locale).mayBecomeNumber(text);
}

} // namespace TypedNumber
