// The choice of capacitor banks: the plain banks of the closest power above
// the required one, the supply transformer's own bank, and the product-line
// units of the closest power that reaches 90 % of the requirement.
//
// Each search keeps its best power and best difference in float, starts at
// -1 (nothing chosen) and -1000, and replaces the best only on a strictly
// greater difference, so that the first of equal rows is the one met first.

#include "selection.h"

#include "catalogue.h"
#include "project.h"

#include <algorithm>
#include <optional>

namespace {

using Ext = long double;

constexpr float kNothingChosen = -1.0f;
constexpr float kBankDifferenceStart = -1000.0f;

// The product lines take a unit from 90 % of the required power, the ratio
// held in single precision (0.8999999762): a 2.75 kW unit reaches a
// requirement of 3.05555558 kW only this way.
constexpr float kProductLineRatio = 0.9f;

bool equalsIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'A' && u <= u'Z') ? static_cast<char16_t>(u + (u'a' - u'A')) : u;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// One search over a bank row set: the row is offered to `offer`, which
// returns the difference to weigh or nothing when the row does not count.
// Returns the best power, or kNothingChosen.
template <typename Offer> float searchBest(TSelection& selection, CatalogueRowSet& rows, Offer offer)
{
    float best = kNothingChosen;
    float bestDifference = kBankDifferenceStart;
    TBattery scratch(&selection);
    for (rows.first(); !rows.eof(); rows.next()) {
        scratch.LoadFromDataSet(rows);
        const std::optional<Ext> difference = offer(scratch);
        if (difference && *difference > bestDifference) {
            bestDifference = static_cast<float>(*difference);
            best = scratch.Power();
        }
    }
    return best;
}

} // namespace

bool VoltIn(std::int32_t volt, const TVoltsArray& volts)
{
    return std::find(volts.begin(), volts.end(), volt) != volts.end();
}

TVoltsArray TSelection::GetVolts() const
{
    switch (FCProyect->Voltage()) {
    case TVoltage::v400:
        return {400, 440, 450};
    case TVoltage::v480:
        return {480};
    case TVoltage::v230:
        return {220, 230, 240};
    }
    return {};
}

TBattery* TSelection::FindBattery(const QString& seriesCode) const
{
    for (const auto& candidate : *FBatteryList) {
        if (equalsIgnoringAsciiCase(candidate->BType(), seriesCode))
            return candidate.get();
    }
    return nullptr;
}

// A new candidate from the current row, with its picture and texts.
static TBattery& addCandidate(TSelection& selection, TBatteryList& list, CatalogueRowSet& rows,
                              CatalogueRowSet& descriptions)
{
    auto candidate = std::make_unique<TBattery>(&selection);
    candidate->LoadFromDataSet(rows, &descriptions);
    candidate->setCount(1);
    return list.Add(std::move(candidate));
}

void TSelection::CalculateBatteryList(CatalogueRowSet& ADataSet)
{
    FBatteryList->Clear();
    const TVoltsArray volts = GetVolts();
    const float required = FPreliminar.QC;
    const bool harmonics = FCProyect->Harmonics();

    // "Tirsa" is built to order; it is never an ordinary candidate.
    const auto ordinary = [&](const TBattery& row) {
        return VoltIn(row.Volt(), volts) && row.BType() != QLatin1String("Tirsa") && row.Harmonic() == harmonics
            && !row.Transform();
    };

    // The smallest power strictly above the requirement; a second pass
    // without that power when the first one's result lies below it (which,
    // for a positive requirement, means it found nothing).
    const auto above = [&](std::optional<float> excluded) {
        return [&, excluded](const TBattery& row) -> std::optional<Ext> {
            if (!ordinary(row) || (excluded && row.Power() == *excluded))
                return std::nullopt;
            const Ext difference = static_cast<Ext>(required) - row.Power();
            return difference < 0 ? std::optional<Ext>(difference) : std::nullopt;
        };
    };
    float best = searchBest(*this, ADataSet, above(std::nullopt));
    if (static_cast<Ext>(best) / required < 1)
        best = searchBest(*this, ADataSet, above(best));

    if (best != kNothingChosen) {
        CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
        TBattery scratch(this);
        for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
            scratch.LoadFromDataSet(ADataSet);
            if (!ordinary(scratch))
                continue;
            if (harmonics) {
                // One candidate per series from the best power up, carrying
                // its last such row in table order.
                if (!(scratch.Power() >= best))
                    continue;
                if (TBattery* existing = FindBattery(scratch.BType()))
                    existing->LoadFromDataSet(ADataSet, &descriptions);
                else
                    addCandidate(*this, *FBatteryList, ADataSet, descriptions);
            } else if (scratch.Power() == best) {
                addCandidate(*this, *FBatteryList, ADataSet, descriptions);
            }
        }
    }

    if (!FBatteryList->isEmpty())
        FBatteryList->SortByRank();

    CalculateTransformBattery(ADataSet);
}

void TSelection::CalculateTransformBattery(CatalogueRowSet& ADataSet)
{
    float rating = 0.0f; // kVA
    if (FCProyect->CalculationType() == TCalculationType::consumption) {
        std::int32_t largest = 0;
        const TConsumptionList& periods = FCProyect->ConsumptionList();
        for (int i = 0; i < periods.Count(); ++i)
            largest = std::max(largest, periods[i].InputTransformer());
        rating = static_cast<float>(largest);
    } else if (FCProyect->HasInputTransformer()) {
        rating = FPreliminar.CPC;
    }
    if (rating == 0)
        return;

    // The transformer's own no-load compensation: 5 % of its rating, met by
    // the smallest transformer bank at or above it.
    const float target = static_cast<float>(0.05L * rating);
    const TVoltsArray volts = GetVolts();
    const auto transformBank = [&](const TBattery& row) { return VoltIn(row.Volt(), volts) && row.Transform(); };

    const float best = searchBest(*this, ADataSet, [&](const TBattery& row) -> std::optional<Ext> {
        if (!transformBank(row))
            return std::nullopt;
        const Ext difference = static_cast<Ext>(target) - row.Power();
        return difference <= 0 ? std::optional<Ext>(difference) : std::nullopt;
    });
    if (best == kNothingChosen)
        return;

    // Appended after the ordinary candidates' sort, whatever the series or
    // the harmonics flag.
    CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
    TBattery scratch(this);
    for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
        scratch.LoadFromDataSet(ADataSet);
        if (transformBank(scratch) && scratch.Power() == best)
            addCandidate(*this, *FBatteryList, ADataSet, descriptions);
    }
}

void TSelection::CalculateBatteryFerimontList(CatalogueRowSet& ADataSet)
{
    FBatteryList->Clear();
    const float required = FPreliminar.QC;

    // The product lines have no voltage or series condition.
    const auto plainUnit = [](const TBattery& row) { return !row.Harmonic() && !row.Transform(); };
    const auto reaches = [&](std::optional<float> excluded) {
        return [&, excluded](const TBattery& row) -> std::optional<Ext> {
            if (!plainUnit(row) || (excluded && row.Power() == *excluded))
                return std::nullopt;
            if (!(static_cast<Ext>(row.Power()) / required >= kProductLineRatio))
                return std::nullopt;
            return static_cast<Ext>(required) - row.Power();
        };
    };
    float best = searchBest(*this, ADataSet, reaches(std::nullopt));
    if (static_cast<Ext>(best) / required < kProductLineRatio)
        best = searchBest(*this, ADataSet, reaches(best));

    if (best != kNothingChosen) {
        CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
        TBattery scratch(this);
        for (ADataSet.first(); !ADataSet.eof(); ADataSet.next()) {
            scratch.LoadFromDataSet(ADataSet);
            if (plainUnit(scratch) && scratch.Power() == best)
                addCandidate(*this, *FBatteryList, ADataSet, descriptions);
        }
    }

    if (!FBatteryList->isEmpty())
        FBatteryList->SortByRank();
}
