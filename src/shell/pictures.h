#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The shell's pictures, drawn as SVG sources in the shell's resources.

// The main window's image list: fifteen pictures by index, in this order:
// 0 new, 1 open, 2 save, 3 print, 4 config, 5 help, 6 exit, 7 searchBat,
// 8 entryData (a back arrow), 9 add, 10 edit, 11 delete, 12 view,
// 13 mark_yes, 14 mark_no.
namespace ImageList {

inline constexpr int Count = 15;

// The picture's name ("new", "searchBat", ...); empty outside 0..14.
QString name(int index);
// The picture at `index`; a null icon outside 0..14.
QIcon icon(int index);
// The picture drawn at `size` pixels square.
QPixmap pixmap(int index, int size);

} // namespace ImageList

namespace Pictures {

// The maker's logo, 260 × 90.
QPixmap logo();
// The splash pictures, 528 × 350.
QPixmap splash(bool english);
// The flags of the options dialog's language list ("español", "english").
QIcon flag(bool english);

} // namespace Pictures
