#include "valueformat.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>

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

// Only a single floating-point conversion is accepted, so a template text
// can never make snprintf read an argument it was not given.
QString printfNumber(double number, const QString& format)
{
    static const QRegularExpression pattern(QStringLiteral("^%-?[0-9]{0,2}(\\.[0-9]{1,2})?[fgeE]$"));
    if (!pattern.match(format).hasMatch())
        return QString::number(number, 'g', 15);
    char buffer[128];
    const QByteArray spec = format.toLatin1();
    std::snprintf(buffer, sizeof buffer, spec.constData(), number);
    return QString::fromLatin1(buffer);
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
