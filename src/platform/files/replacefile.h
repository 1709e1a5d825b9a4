#pragma once

#include <QByteArrayView>
#include <QString>

#include <stdexcept>

namespace files {

// A file that could not be written whole. It tells the user nothing: each
// caller gives its own message.
class WriteFailed : public std::runtime_error {
public:
    WriteFailed()
        : std::runtime_error("the file could not be written whole")
    {
    }
};

// Puts `contents` in place of the file at `path`, which is created when
// missing (a symbolic link keeps its place: the file it points to is
// replaced), or raises WriteFailed.
//
// The contents go to a new file in the same folder, which takes the old
// file's permissions, is synced to disk and only then renamed over the old
// one: after any failure the old file stays byte for byte and the new one is
// removed. Where the folder takes no new files but the file itself may be
// written, the file is written in place; a failure is still raised, but the
// old contents are then lost.
void replaceFile(const QString& path, QByteArrayView contents);

} // namespace files
