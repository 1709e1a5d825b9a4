#include "catalogue.h"

QImage CatalogueRowSet::fieldAsPicture(const QString& name) const
{
    const QByteArray bytes = fieldAsBlob(name);
    QImage picture;
    if (!bytes.isEmpty() && !picture.loadFromData(bytes))
        throw ECatalogueError(QStringLiteral("La imagen del campo «%1» no es válida.").arg(name));
    return picture;
}
