#include "exporthelpers.h"

#include "testutils.h"
#include "ufrxPDFExport.h"

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

} // namespace exporthelpers
