#include "roundtrip.h"

#include "exceptions.h"
#include "fileparse.h"
#include "project.h"
#include "projectcomparison.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "round trip: %s\n", what);
    std::abort();
}

// What the format's fixed-point reading can hold (a little under 2^63 ten-thousandths).
bool carriable(float powerFactor)
{
    return std::isfinite(powerFactor) && std::fabs(static_cast<double>(powerFactor)) < 9.2e14;
}

} // namespace

void checkRoundTrip(TCProyect& opened, bool exactPowerFactor)
{
    QByteArray saved;
    try {
        saved = TFileParse(&opened).fileContents();
    } catch (const EInOutError&) {
        if (carriable(opened.ConsumptionList().Powerfactor()))
            fail("a project the format can carry was refused");
        return;
    }

    TCProyect reopened(nullptr);
    try {
        TFileParse(&reopened).readContents(saved);
    } catch (const EInOutError&) {
        fail("a saved file does not open");
    }

    const float before = opened.ConsumptionList().Powerfactor();
    const float after = reopened.ConsumptionList().Powerfactor();
    if (!exactPowerFactor) {
        // Four decimals kept, then the nearest float; from then on the
        // round trip must be exact.
        const double tolerance = 0.00005 + std::fabs(static_cast<double>(before)) * 1e-7;
        if (!(std::fabs(static_cast<double>(after) - static_cast<double>(before)) <= tolerance))
            fail("the power factor moved by more than the four decimals allow");
        opened.ConsumptionList().setPowerfactor(after);
        if (!sameFileContents(opened, reopened))
            fail("the reopened project differs");
        checkRoundTrip(reopened, true);
        return;
    }
    if (!sameFileContents(opened, reopened))
        fail("the reopened project differs");
    if (TFileParse(&reopened).fileContents() != saved)
        fail("the second save differs from the first");
}
