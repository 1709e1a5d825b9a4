#pragma once

#include <QImage>
#include <QSize>

// The maker's pictures, drawn from the SVG sources in the program's
// resources: the report's emblem and logo, and the yes and no marks that
// the report and the main window share.
namespace ReportPictures {

inline constexpr QSize EmblemSize { 142, 142 };
inline constexpr QSize LogoSize { 227, 84 };
inline constexpr QSize MarkSize { 48, 48 };

QImage makerEmblem();
QImage makerLogo();
// A green tick; at any size, 48 × 48 in the report.
QImage markYes(const QSize& size = MarkSize);
// An orange square marked NA.
QImage markNo(const QSize& size = MarkSize);

} // namespace ReportPictures
