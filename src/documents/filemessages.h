#pragma once

#include <QString>

// The fixed texts of the file operations. They are also translation keys and
// must stay byte for byte as they are.
namespace FileMessages {

// Any failure to open a project file.
QString invalidFormat();
// Any failure to save a project file.
QString saveFailed();
// Asked before a save replaces an existing file whose name the save dialog
// did not show (the chosen name got ".tvk" in place of its extension).
// "%1" stands for the file name.
QString replaceQuestion();

[[noreturn]] void raiseInvalidFormat();
[[noreturn]] void raiseSaveFailed();

} // namespace FileMessages
