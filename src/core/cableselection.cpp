// The current transformer for the controller of a plain-bank installation,
// sized from the peak demand, and the cable of every candidate, sized from
// its rated power with a margin of 1.5.

#include "cableselection.h"

#include "catalogue.h"
#include "project.h"
#include "rounding.h"
#include "selection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using Ext = long double;

constexpr float kNothingChosen = -1.0f;
constexpr float kTransformerDifferenceStart = -10000.0f;
constexpr float kCableDifferenceStart = -100000.0f;
constexpr float kMargin = 1.5f;
constexpr std::int32_t kMaxRuns = std::numeric_limits<std::int32_t>::max();

Ext sqrt3()
{
    return std::sqrt(3.0L);
}

// The empty cable of a candidate for which no catalogue cable will do.
std::unique_ptr<TConductor> emptyConductor(TBattery& candidate)
{
    auto conductor = std::make_unique<TConductor>();
    conductor->setBattery(&candidate);
    return conductor;
}

} // namespace

std::optional<ParallelRuns> parallelRuns(float designCurrent, float largestRating)
{
    if (!(largestRating > 0) || !std::isfinite(designCurrent))
        return std::nullopt;
    if (!(designCurrent > largestRating))
        return ParallelRuns { 1, designCurrent };

    const auto perRun = [&](std::int64_t runs) { return static_cast<float>(static_cast<Ext>(designCurrent) / runs); };
    // The per-run current only falls as runs are added, so the first count
    // at which it fits the rating is found by bisection rather than by
    // counting up; `fits` is a count known to fit, `tooFew` one known not to.
    const Ext estimate = std::ceil(static_cast<Ext>(designCurrent) / largestRating) + 1;
    std::int64_t tooFew = 1;
    auto fits = static_cast<std::int64_t>(std::min<Ext>(estimate, kMaxRuns));
    if (perRun(fits) > largestRating)
        return std::nullopt; // more runs than a 32-bit count holds
    while (fits - tooFew > 1) {
        const std::int64_t middle = tooFew + (fits - tooFew) / 2;
        if (perRun(middle) > largestRating)
            tooFew = middle;
        else
            fits = middle;
    }

    ParallelRuns runs { static_cast<std::int32_t>(fits), perRun(fits) };
    if (static_cast<Ext>(runs.count) * runs.perRun < designCurrent) {
        if (runs.count == kMaxRuns)
            return std::nullopt;
        ++runs.count;
    }
    return runs;
}

std::int32_t TSelection::NominalVolt() const
{
    switch (FCProyect->Voltage()) {
    case TVoltage::v400:
        return 400;
    case TVoltage::v480:
        return 480;
    case TVoltage::v230:
        return 230;
    }
    return 400;
}

float TSelection::MaxCurrent(CatalogueRowSet& ADataSet) const
{
    float largest = -2147483648.0f;
    const CableColumns columns(ADataSet);
    TConductor scratch;
    for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
        scratch.LoadFromDataSet(ADataSet, columns);
        if (scratch.Current() > largest)
            largest = scratch.Current();
    }
    return largest;
}

void TSelection::CalculateTransformer(CatalogueRowSet& ADataSet)
{
    const TPreliminar& p = FPreliminar;
    if (p.MDR == 0)
        return;
    const std::int32_t volt = NominalVolt();

    // The demand current in whole amperes, truncated. A current that is not
    // finite or does not fit 32 bits (a power factor of 0, say) gets no
    // transformer rather than an undefined conversion.
    const Ext demand = static_cast<Ext>(p.MDR) * 1000 / (volt * sqrt3() * p.factor);
    if (!std::isfinite(demand) || std::trunc(demand) < std::numeric_limits<std::int32_t>::min()
        || std::trunc(demand) > std::numeric_limits<std::int32_t>::max())
        return;
    const auto current = static_cast<std::int64_t>(demand);
    const float target = static_cast<float>(static_cast<Ext>(static_cast<float>(current)) * kMargin);

    // The smallest primary current at or above the target.
    float best = kNothingChosen;
    float bestDifference = kTransformerDifferenceStart;
    const TransformerColumns columns(ADataSet);
    TTransformer scratch;
    for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
        scratch.LoadFromDataSet(ADataSet, columns);
        const Ext difference = static_cast<Ext>(target) - scratch.A();
        if (difference <= 0 && difference > bestDifference) {
            bestDifference = static_cast<float>(difference);
            best = scratch.A();
        }
    }
    if (best == kNothingChosen)
        return;

    // Of equal primaries the last row in the table is the one kept.
    for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
        scratch.LoadFromDataSet(ADataSet, columns);
        if (scratch.A() != best)
            continue;
        auto chosen = std::make_unique<TTransformer>();
        chosen->LoadFromDataSet(ADataSet, columns);
        chosen->setVolt(volt);
        FTransformer = std::move(chosen);
    }
}

void TSelection::CalculateConductors(CatalogueRowSet& ADataSet)
{
    const float largestRating = MaxCurrent(ADataSet);

    // The ratings of the cable table, read once for all candidates.
    std::vector<float> ratings;
    const CableColumns columns(ADataSet);
    TConductor scratch;
    for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
        scratch.LoadFromDataSet(ADataSet, columns);
        ratings.push_back(scratch.Current());
    }

    for (TBattery& candidate : *FBatteryList) {

        // The design current with its margin, each step stored as float. A
        // rated voltage of 0 gives an infinite current: the empty cable.
        float design = static_cast<float>(static_cast<Ext>(candidate.Power()) * 1000 / (sqrt3() * candidate.Volt()));
        design = static_cast<float>(static_cast<Ext>(design) * kMargin);

        const std::optional<ParallelRuns> runs = parallelRuns(design, largestRating);
        if (!runs) {
            candidate.setConductor(emptyConductor(candidate));
            continue;
        }

        // The smallest rating at or above the per-run current.
        float best = kNothingChosen;
        float bestDifference = kCableDifferenceStart;
        for (const float rating : ratings) {
            const Ext difference = static_cast<Ext>(runs->perRun) - rating;
            if (difference <= 0 && difference > bestDifference) {
                bestDifference = static_cast<float>(difference);
                best = rating;
            }
        }
        if (best == kNothingChosen) {
            candidate.setConductor(emptyConductor(candidate));
            continue;
        }
        // Of equal ratings the first row in the table is the one taken. The
        // search itself may have settled on a later one: the difference it
        // keeps in float can round below the next equal row's.
        const auto bestRow = static_cast<std::size_t>(std::find(ratings.begin(), ratings.end(), best) - ratings.begin());

        ADataSet.first();
        for (std::size_t row = 0; row < bestRow; ++row)
            ADataSet.next();
        auto conductor = std::make_unique<TConductor>();
        conductor->LoadFromDataSet(ADataSet, columns);
        conductor->setICalculate(design);
        conductor->setCount(wrapToInt32(static_cast<std::int64_t>(candidate.Count()) * runs->count));
        conductor->setBattery(&candidate);
        candidate.setConductor(std::move(conductor));
    }
}
