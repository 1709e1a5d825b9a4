#include "priceprompts.h"

#include "dialogservice.h"
#include "equipment.h"
#include "money.h"
#include "numberformat.h"
#include "selection.h"
#include "translation.h"

#include <cmath>
#include <charconv>
#include <limits>
#include <string>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c, const QLocale& locale)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || QString(c) == locale.negativeSign() ||
           QString(c) == locale.positiveSign();
}

bool isNegative(QChar c, const QLocale& locale)
{
    return c == QLatin1Char('-') || QString(c) == locale.negativeSign();
}

} // namespace

namespace PricePrompts {

std::optional<long double> readLocaleNumber(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    const QString decimal = locale.decimalPoint();
    // The program's locales all have a one-character separator; a locale
    // with a longer one reads nothing rather than something wrong.
    if (decimal.size() != 1)
        return std::nullopt;
    const QChar separator = decimal.at(0);

    // Rebuilt in the C form so that strtold reads exactly what was checked.
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    if (i < n && isSign(trimmed.at(i), locale)) {
        if (isNegative(trimmed.at(i), locale))
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && isAsciiDigit(trimmed.at(i))) {
        plain += trimmed.at(i).toLatin1();
        ++mantissaDigits;
        ++i;
    }
    if (i < n && trimmed.at(i) == separator) {
        plain += '.';
        ++i;
        while (i < n && isAsciiDigit(trimmed.at(i))) {
            plain += trimmed.at(i).toLatin1();
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (trimmed.at(i) == QLatin1Char('e') || trimmed.at(i) == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < n && isSign(trimmed.at(i), locale)) {
            plain += isNegative(trimmed.at(i), locale) ? '-' : '+';
            ++i;
        }
        int exponentDigits = 0;
        while (i < n && isAsciiDigit(trimmed.at(i))) {
            plain += trimmed.at(i).toLatin1();
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    // from_chars reads the C form whatever the process's C locale is.
    long double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString promptLine(PriceField field)
{
    switch (field) {
    case PriceField::BatteryPrice:
        return QStringLiteral("Actualizar precio del equipo a instalar (€)");
    case PriceField::TransformerPrice:
        return QStringLiteral("Actualizar precio del transformador a instalar (€)");
    case PriceField::ConductorPrice:
        return QStringLiteral("Actualizar precio del conductor (€/m)");
    case PriceField::ConductorLength:
        return QStringLiteral("Actualizar la longitud del conductor (m)");
    }
    return QString();
}

QString valueText(PriceField field, const TBattery& battery, const TSelection& selection, const QLocale& locale)
{
    switch (field) {
    case PriceField::BatteryPrice:
        return NumberFormat::money(battery.Price(), locale);
    case PriceField::TransformerPrice:
        if (const TTransformer* transformer = selection.Transformer())
            return NumberFormat::money(transformer->Price(), locale);
        return QString();
    case PriceField::ConductorPrice:
        if (const TConductor* conductor = battery.Conductor())
            return NumberFormat::money(conductor->Price(), locale);
        return QString();
    case PriceField::ConductorLength:
        if (const TConductor* conductor = battery.Conductor())
            return NumberFormat::twoDecimals(conductor->Length(), locale);
        return QString();
    }
    return QString();
}

bool storeAnswer(PriceField field, TBattery& battery, TSelection& selection, const QString& answer,
                 const QLocale& locale)
{
    const std::optional<long double> value = readLocaleNumber(answer, locale);
    if (!value)
        return false;

    if (field == PriceField::ConductorLength) {
        TConductor* conductor = battery.Conductor();
        if (!conductor || std::fabs(*value) > std::numeric_limits<float>::max())
            return false;
        conductor->setLength(static_cast<float>(*value));
        return true;
    }

    const std::optional<Money> money = Money::fromDecimal(*value);
    if (!money)
        return false;
    switch (field) {
    case PriceField::BatteryPrice:
        battery.setPrice(*money);
        return true;
    case PriceField::TransformerPrice:
        if (TTransformer* transformer = selection.Transformer()) {
            transformer->setPrice(*money);
            return true;
        }
        return false;
    case PriceField::ConductorPrice:
        if (TConductor* conductor = battery.Conductor()) {
            conductor->setPrice(*money);
            return true;
        }
        return false;
    case PriceField::ConductorLength:
        break;
    }
    return false;
}

bool queryClose(PriceField field, TBattery& battery, TSelection& selection, bool accepted, const QString& answer,
                IDialogService& dialogs, const QLocale& locale)
{
    if (!accepted)
        return false;
    if (storeAnswer(field, battery, selection, answer, locale))
        return true;
    dialogs.showMessage(IDialogService::MessageKind::Plain,
                        TranslateText(QStringLiteral("El valor entrado no es válido.")));
    return false;
}

bool ask(PriceField field, TBattery& battery, TSelection& selection, IDialogService& dialogs, const QLocale& locale)
{
    const QString value = valueText(field, battery, selection, locale);
    const std::optional<QString> answer = dialogs.inputQuery(TranslateText(QStringLiteral("Cambiar valor")),
                                                             TranslateText(promptLine(field)), value);
    return queryClose(field, battery, selection, answer.has_value(), answer.value_or(QString()), dialogs, locale);
}

} // namespace PricePrompts
