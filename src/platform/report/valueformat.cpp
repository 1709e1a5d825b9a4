#include "valueformat.h"

#include "numberformat.h"

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

} // namespace

QString formatValue(const QVariant& value, const DisplayFormat& format, const QLocale& locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (!isNumber(value))
        return value.toString();
    if (isInteger(value) && !format.writer)
        return NumberFormat::localise(QString::number(value.toLongLong()), locale);

    const double number = value.toDouble();
    if (!std::isfinite(number))
        return QString();
    if (format.writer)
        return format.writer(number, locale);
    return NumberFormat::localise(QString::number(number, 'g', 15), locale);
}

} // namespace report
