#pragma once

#include "preparedreport.h"
#include "printqstring.h"

#include <QString>

namespace exporthelpers {

// Exports `prepared` with the real PDF document to `path`, chosen in a
// scripted file dialog, with the document information the program sets.
void exportTo(
    const report::PreparedReport& prepared, const QString& path, const QString& version = QStringLiteral("7.1.0"));

} // namespace exporthelpers
