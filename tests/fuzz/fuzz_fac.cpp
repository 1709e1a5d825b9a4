// Fuzz target: the previous version's binary reader, and the round trip of
// whatever it opens through the current format.
#include "roundtrip.h"

#include "exceptions.h"
#include "oldfileparse.h"
#include "project.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray contents(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TCProyect project(nullptr);
    try {
        OldFileRead(project, contents);
    } catch (const EInOutError&) {
        return 0;
    }
    checkRoundTrip(project, false);
    return 0;
}
