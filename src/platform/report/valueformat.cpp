#include "valueformat.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace report {

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isInteger(const QVariant& value)
{
    return isNumber(value) && value.typeId() != QMetaType::Float && value.typeId() != QMetaType::Double;
}

QString localise(QString text, const QLocale& locale)
{
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

// A printf conversion of one floating-point number, "%[-][width][.precision]"
// and one of f, g, e, E, written as printf writes it in the C locale whatever
// locale the process runs under. Anything else in the format is not
// converted: the number is written in the general form.
QString printfNumber(double number, const QString& format)
{
    static const QRegularExpression pattern(QStringLiteral("^%(-?)([0-9]{0,2})(?:\\.([0-9]{1,2}))?([fgeE])$"));
    const QRegularExpressionMatch match = pattern.match(format);
    if (!match.hasMatch())
        return QString::number(number, 'g', 15);
    const bool leftAligned = !match.captured(1).isEmpty();
    const int width = match.captured(2).toInt();
    const int precision = match.captured(3).isEmpty() ? 6 : match.captured(3).toInt();
    const QChar conversion = match.captured(4).front();
    const std::chars_format kind = conversion == QLatin1Char('f') ? std::chars_format::fixed
        : conversion == QLatin1Char('g')                          ? std::chars_format::general
                                                                  : std::chars_format::scientific;
    char buffer[512]; // the largest double in "%.99f" takes 409 characters
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number, kind, precision);
    QString text = written.ec == std::errc() ? QString::fromLatin1(buffer, static_cast<qsizetype>(written.ptr - buffer))
                                             : QString::number(number, 'g', 15);
    if (conversion == QLatin1Char('E'))
        text = text.toUpper();
    return leftAligned ? text.leftJustified(width) : text.rightJustified(width);
}

} // namespace

QString formatValue(const QVariant& value, const DisplayFormat& format, const QLocale& locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (!isNumber(value))
        return value.toString();
    if (isInteger(value) && format.kind != DisplayFormat::Kind::Numeric)
        return localise(QString::number(value.toLongLong()), locale);

    const double number = value.toDouble();
    if (!std::isfinite(number))
        return QString();
    if (format.kind == DisplayFormat::Kind::Numeric && format.writer)
        return format.writer(number, locale);
    if (format.kind == DisplayFormat::Kind::Numeric)
        return localise(printfNumber(number, format.format), locale);
    return localise(QString::number(number, 'g', 15), locale);
}

} // namespace report
