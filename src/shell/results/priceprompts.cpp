#include "priceprompts.h"

#include "dialogservice.h"
#include "equipment.h"
#include "money.h"
#include "numberformat.h"
#include "selection.h"
#include "translation.h"
#include "typednumber.h"

#include <cmath>
#include <limits>
#include <optional>

namespace PricePrompts {

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
    const std::optional<long double> value = TypedNumber::amount(answer, locale);
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
