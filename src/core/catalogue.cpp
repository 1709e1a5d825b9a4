#include "catalogue.h"

QImage CatalogueRowSet::fieldAsPicture(const CatalogueColumn& column) const
{
    const QByteArray bytes = fieldAsBlob(column);
    QImage picture;
    if (!bytes.isEmpty() && !picture.loadFromData(bytes))
        throw ECatalogueError(QStringLiteral("La imagen del campo «%1» no es válida.").arg(column.name()));
    return picture;
}
