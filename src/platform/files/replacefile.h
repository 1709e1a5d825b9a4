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
// missing, or raises WriteFailed.
//
// Links are followed as the kernel follows them: the file replaced is the
// one at the end of the whole chain, each link's text taken against its own
// folder, and every link stays a link; a dangling link gets its file
// created; a loop of links is refused.
//
// The contents go to a new file in the same folder, which takes the old
// file's permissions, is synced to disk and only then renamed over the old
// one: after any failure the old file stays byte for byte and the new one is
// removed. Where the folder takes no new files but the file itself may be
// written, the file is written in place: its old contents are read whole
// first (a file that cannot be read is not written at all) and written back
// when the new ones cannot be written, as far as the file system lets; the
// failure is still raised.
void replaceFile(const QString& path, QByteArrayView contents);

} // namespace files
