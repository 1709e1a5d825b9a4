#pragma once

#include <cstdint>
#include <optional>

// How a feeder is split when its design current exceeds the largest cable
// rating: the number of parallel runs and the current each one carries.
struct ParallelRuns {
    std::int32_t count = 1;
    float perRun = 0.0f; // amperes
};

// The runs for a design current against the largest rating. Runs are added
// one at a time until the per-run current (rounded to float) no longer
// exceeds the rating, and one more when that rounding went down, so that
// the runs together carry at least the design current (350 A over 150 A
// cables gives 4 runs of 116.67 A, not 3). Nothing when no run count in the
// int32 range would do: a rating that is not positive, a current that is
// not finite, or one so large the count would overflow.
std::optional<ParallelRuns> parallelRuns(float designCurrent, float largestRating);
