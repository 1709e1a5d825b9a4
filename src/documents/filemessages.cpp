#include "filemessages.h"

#include "exceptions.h"

namespace FileMessages {

QString invalidFormat()
{
    return QStringLiteral("El archivo no tiene un formato válido.");
}

QString saveFailed()
{
    return QStringLiteral("Ha ocurrido un error al guardar el archivo, verifique que tiene los permisos "
                          "necesarios en la carpeta destino.");
}

QString replaceQuestion()
{
    return QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?");
}

void raiseInvalidFormat()
{
    throw EInOutError(invalidFormat());
}

void raiseSaveFailed()
{
    throw EInOutError(saveFailed());
}

} // namespace FileMessages
