#pragma once

#include <QString>

// The maker's lines in the report's page headers. Sample texts of our own.
namespace MakerInfo {

inline QString ownershipLine()
{
    return QStringLiteral("© Orvel Energía, S.L. · Polígono Río Gállego, nave 14 · 50840 Zaragoza (España)");
}
inline QString telephoneLine()
{
    return QStringLiteral("Tel.: 976 690 210");
}
inline QString faxLine()
{
    return QStringLiteral("Fax: 976 690 211");
}

} // namespace MakerInfo
