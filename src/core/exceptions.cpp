#include "exceptions.h"

EInOutError::EInOutError(const QString& message, int errorCode)
    : std::runtime_error(message.toStdString()), ErrorCode(errorCode), m_message(message)
{
}

namespace SelectionMessages {

QString text(Code code)
{
    switch (code) {
    case NoCompensationNeeded:
        return QStringLiteral("No es necesario realizar la compensación.");
    case NoBillingData:
        return QStringLiteral("No existen datos de facturación.");
    case TemperatureAbove35:
        return QStringLiteral("Para baterías con temperatura de instalación mayor de 35ºC, consulte con "
                              "nuestro departamento comercial para diseñar un equipo serie Tirsa especial "
                              "con sistema de frío incorporado.");
    case NoEquipment:
        return QStringLiteral("No existe disponibilidad de equipos para los datos introducidos, por favor, "
                              "contacte con el departamento técnico de ORVEL Energía.");
    case ProcessingError:
        return QStringLiteral("Ha ocurrido un error al procesar los datos.");
    case BillingDataError:
        return QStringLiteral("Error en los datos de facturación.");
    case MaximumPowerNotPositive:
        return QStringLiteral("El valor de potencia máxima deber ser mayor que 0.");
    case InputTransformerNotPositive:
        return QStringLiteral("El valor del transformador de entrada deber ser mayor que 0.");
    default:
        return QString();
    }
}

void raise(Code code)
{
    if (code < ProcessingError)
        throw ESelectionInfoException(text(code), code);
    throw ESelectionErrorException(text(code), code);
}

} // namespace SelectionMessages
