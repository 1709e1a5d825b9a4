// Reading a project file: the descriptor a regular file is read through, and
// a path that changes under the reader, where a named pipe and a regular file
// take turns at one path while it is opened again and again. Those opens run
// in a child process with an alarm, so that an open that waits for ever ends
// the child rather than the test run.

#include "exceptions.h"
#include "filemessages.h"
#include "filereading.h"
#include "testutils.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <thread>

#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testutils::ChildFailed;
using testutils::inChild;

namespace {

// The status flags of each descriptor of a regular file, taken as the code
// under test calls read() on it.
std::vector<int>& regularFileReadFlags()
{
    static std::vector<int> flags;
    return flags;
}

} // namespace

// This test program is linked with --wrap=read: the calls to read() of the
// code linked into it come here first, and then go on to the C library's.
extern "C" ssize_t __real_read(int descriptor, void* buffer, size_t count);
extern "C" ssize_t __wrap_read(int descriptor, void* buffer, size_t count)
{
    struct stat status { };
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        regularFileReadFlags().push_back(::fcntl(descriptor, F_GETFL));
    return __real_read(descriptor, buffer, count);
}

namespace {

enum Broken : int {
    OtherContents = 1 << 0,
    OtherMessage = 1 << 1,
    OneKindOnly = 1 << 2, // the swaps never showed the reader both kinds
};

// Puts `source` at `target` by a rename of a fresh hard link, so that the
// path always names one or the other and never nothing. A rename between two
// links of one file does nothing and leaves the spare link behind.
bool putInPlace(const QByteArray& source, const QByteArray& spare, const QByteArray& target)
{
    return (::unlink(spare.constData()) == 0 || errno == ENOENT) && ::link(source.constData(), spare.constData()) == 0
        && ::rename(spare.constData(), target.constData()) == 0;
}

} // namespace

// The open does not wait for a named pipe's writer, but a regular file is
// then read through a blocking descriptor: a network or FUSE file system may
// answer a non-blocking read with EAGAIN, which would call a sound file
// broken.
TEST(ReadProjectFile, ARegularFileIsReadThroughABlockingDescriptor)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray contents = "{\"BusinessName\": \"Obra\"}\r\n";
    const QString target = dir.filePath(QStringLiteral("obra.tvk"));
    ASSERT_TRUE(testutils::writeFile(target, contents));
    regularFileReadFlags().clear();
    EXPECT_EQ(readProjectFile(target, 1000), contents);
    ASSERT_FALSE(regularFileReadFlags().empty()) << "the file was not read through read()";
    for (const int flags : regularFileReadFlags()) {
        EXPECT_NE(flags, -1);
        EXPECT_EQ(flags & O_NONBLOCK, 0) << "read through a non-blocking descriptor";
    }
}

// Every open either reads the file or refuses it with the format message,
// and none waits: a pipe found at the path after any look at its name must
// not keep the open waiting for a writer.
TEST(ReadProjectFile, APipeSwappedInAtAnyMomentIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray contents = "{\"BusinessName\": \"Obra\"}\r\n";
    const QByteArray regular = QFile::encodeName(dir.filePath(QStringLiteral("regular")));
    const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe")));
    const QByteArray spare = QFile::encodeName(dir.filePath(QStringLiteral("spare")));
    const QString target = dir.filePath(QStringLiteral("obra.tvk"));
    ASSERT_TRUE(testutils::writeFile(QFile::decodeName(regular), contents));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    ASSERT_TRUE(putInPlace(regular, spare, QFile::encodeName(target)));

    constexpr unsigned WatchdogSeconds = 60;
    const int code = inChild([&] {
        alarm(WatchdogSeconds); // an open that waits ends the child with SIGALRM
        std::atomic<bool> stop { false };
        std::atomic<bool> swapFailed { false };
        std::thread swapper([&] {
            for (unsigned i = 0; !stop; ++i) {
                if (!putInPlace(i % 2 ? pipe : regular, spare, QFile::encodeName(target)))
                    swapFailed = true;
            }
        });
        int broken = 0;
        int reads = 0;
        int refusals = 0;
        // Many opens, until each kind has been met often; bounded in case
        // the swaps never show one of them.
        for (int opens = 0; opens < 2000 || reads < 200 || refusals < 200; ++opens) {
            if (opens == 1000000) {
                broken |= OneKindOnly;
                break;
            }
            try {
                if (readProjectFile(target, 1000) == contents)
                    ++reads;
                else
                    broken |= OtherContents;
            } catch (const EInOutError& e) {
                if (e.message() == FileMessages::invalidFormat())
                    ++refusals;
                else
                    broken |= OtherMessage;
            }
        }
        stop = true;
        swapper.join();
        return swapFailed ? ChildFailed : broken;
    });
    if (code == 0x100 + SIGALRM)
        FAIL() << "an open was still waiting after " << WatchdogSeconds << " s";
    EXPECT_EQ(code, 0) << testutils::describeChildResult(
        code, { "another file's contents were read", "another message was raised", "only one kind was met" });
}
