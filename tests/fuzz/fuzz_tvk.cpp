// Fuzz target: the current project file's reader, and the round trip of
// whatever it opens.
#include "roundtrip.h"

#include "exceptions.h"
#include "fileparse.h"
#include "project.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray contents(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TCProyect project(nullptr);
    try {
        TFileParse(&project).readContents(contents);
    } catch (const EInOutError&) {
        return 0;
    }
    checkRoundTrip(project, true);
    return 0;
}
