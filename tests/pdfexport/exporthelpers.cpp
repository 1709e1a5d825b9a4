#include "exporthelpers.h"

#include "testutils.h"
#include "ufrxPDFExport.h"

#include <QFile>

namespace exporthelpers {

void exportTo(const report::PreparedReport& prepared, const QString& path, const QString& version)
{
    testutils::ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(path);
    TfrxPDFExport filter(dialogs);
    filter.Title = QStringLiteral("Informe TENVIK versión 7");
    filter.Version = version;
    filter.Author = QStringLiteral("Orvel Energía");
    filter.Creator = QStringLiteral("Orvel Energía");
    report::runExport(prepared, filter);
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace exporthelpers
