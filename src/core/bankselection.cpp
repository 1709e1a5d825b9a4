// The choice of capacitor banks: the plain banks of the closest power above
// the required one, the supply transformer's own bank, and the product-line
// units of the closest power that reaches 90 % of the requirement.
//
// Each table is read once per list; the searches then weigh the records.
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

// Every row of a bank table, read once by one scratch record (without
// picture, description, code, dimensions or steps), which keeps what the
// searches weigh: the searches and the final walk weigh these rows instead
// of reading the table again for each pass.
BankRows readRows(TSelection& selection, CatalogueRowSet& rows, const BankColumns& columns)
{
    BankRows weighed;
    TBattery scratch(&selection);
    for (rows.first(); !rows.eof(); rows.next()) {
        scratch.LoadSearchFields(rows, columns);
        weighed.push_back(
            { scratch.BType(), scratch.Power(), scratch.Volt(), scratch.Harmonic(), scratch.Transform() });
    }
    return weighed;
}

// One search: each row is offered to `offer`, which returns the difference
// to weigh or nothing when the row does not count. Returns the best power,
// or kNothingChosen.
template <typename Offer> float searchBest(const BankRows& rows, Offer offer)
{
    float best = kNothingChosen;
    float bestDifference = kBankDifferenceStart;
    for (const auto& row : rows) {
        const std::optional<Ext> difference = offer(row);
        if (difference && *difference > bestDifference) {
            bestDifference = static_cast<float>(*difference);
            best = row.power;
        }
    }
    return best;
}

// Walks the row set again beside its weighed rows, so that `visit` can read
// the current row in full where it takes it.
template <typename Visit> void revisit(CatalogueRowSet& dataSet, const BankRows& rows, Visit visit)
{
    std::size_t index = 0;
    for (dataSet.first(); !dataSet.eof() && index < rows.size(); dataSet.next(), ++index)
        visit(rows[index]);
}

// A new candidate from the current row, with its picture and texts.
TBattery& addCandidate(TSelection& selection, TBatteryList& list, CatalogueRowSet& rows, const BankColumns& columns,
    CatalogueRowSet& descriptions)
{
    auto candidate = std::make_unique<TBattery>(&selection);
    candidate->LoadFromDataSet(rows, columns, &descriptions);
    candidate->setCount(1);
    return list.Add(std::move(candidate));
}

} // namespace

TVoltsArray TSelection::GetVolts() const
{
    switch (FCProyect->Voltage()) {
    case TVoltage::v400:
        return { 400, 440, 450 };
    case TVoltage::v480:
        return { 480 };
    case TVoltage::v230:
        return { 220, 230, 240 };
    }
    return {};
}

TBattery* TSelection::FindBattery(const QString& seriesCode) const
{
    for (TBattery& candidate : *FBatteryList) {
        if (equalsIgnoringAsciiCase(candidate.BType(), seriesCode))
            return &candidate;
    }
    return nullptr;
}

void TSelection::CalculateBatteryList(CatalogueRowSet& ADataSet)
{
    FBatteryList->Clear();
    const TVoltsArray volts = GetVolts();
    const float required = FPreliminar.QC;
    const bool harmonics = FCProyect->Harmonics();

    // "Tirsa" is built to order; it is never an ordinary candidate.
    const auto ordinary = [&](const WeighedBankRow& row) {
        return VoltIn(row.volt, volts) && row.type != QLatin1String("Tirsa") && row.harmonic == harmonics
            && !row.transform;
    };

    // The smallest power strictly above the requirement; a second pass
    // without that power when the first one's result lies below it (which,
    // for a positive requirement, means it found nothing).
    const auto above = [&](std::optional<float> excluded) {
        return [&, excluded](const WeighedBankRow& row) -> std::optional<Ext> {
            if (!ordinary(row) || (excluded && row.power == *excluded))
                return std::nullopt;
            const Ext difference = static_cast<Ext>(required) - row.power;
            return difference < 0 ? std::optional<Ext>(difference) : std::nullopt;
        };
    };
    const BankColumns columns(ADataSet);
    const BankRows rows = readRows(*this, ADataSet, columns);
    float best = searchBest(rows, above(std::nullopt));
    if (static_cast<Ext>(best) / required < 1)
        best = searchBest(rows, above(best));

    if (best != kNothingChosen) {
        CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
        revisit(ADataSet, rows, [&](const WeighedBankRow& row) {
            if (!ordinary(row))
                return;
            if (harmonics) {
                // One candidate per series from the best power up, carrying
                // its last such row in table order.
                if (!(row.power >= best))
                    return;
                if (TBattery* existing = FindBattery(row.type))
                    existing->LoadFromDataSet(ADataSet, columns, &descriptions);
                else
                    addCandidate(*this, *FBatteryList, ADataSet, columns, descriptions);
            } else if (row.power == best) {
                addCandidate(*this, *FBatteryList, ADataSet, columns, descriptions);
            }
        });
    }

    if (!FBatteryList->isEmpty())
        FBatteryList->SortByRank();

    appendTransformBanks(ADataSet, columns, rows);
}

void TSelection::CalculateTransformBattery(CatalogueRowSet& ADataSet)
{
    const BankColumns columns(ADataSet);
    appendTransformBanks(ADataSet, columns, readRows(*this, ADataSet, columns));
}

void TSelection::appendTransformBanks(CatalogueRowSet& ADataSet, const BankColumns& columns, const BankRows& rows)
{
    Ext rating = 0; // kVA
    if (FCProyect->CalculationType() == TCalculationType::consumption) {
        std::int32_t largest = 0;
        const TConsumptionList& periods = FCProyect->ConsumptionList();
        for (int i = 0; i < periods.Count(); ++i)
            largest = std::max(largest, periods[i].InputTransformer());
        rating = largest;
    } else if (FCProyect->HasInputTransformer()) {
        rating = FPreliminar.CPC;
    }
    if (rating == 0)
        return;

    // The transformer's own no-load compensation: 5 % of its rating, met by
    // the smallest transformer bank at or above it.
    const float target = static_cast<float>(0.05L * rating);
    const TVoltsArray volts = GetVolts();
    const auto transformBank = [&](const WeighedBankRow& row) { return VoltIn(row.volt, volts) && row.transform; };

    const float best = searchBest(rows, [&](const WeighedBankRow& row) -> std::optional<Ext> {
        if (!transformBank(row))
            return std::nullopt;
        const Ext difference = static_cast<Ext>(target) - row.power;
        return difference <= 0 ? std::optional<Ext>(difference) : std::nullopt;
    });
    if (best == kNothingChosen)
        return;

    // Appended after the ordinary candidates' sort, whatever the series or
    // the harmonics flag.
    CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
    revisit(ADataSet, rows, [&](const WeighedBankRow& row) {
        if (transformBank(row) && row.power == best)
            addCandidate(*this, *FBatteryList, ADataSet, columns, descriptions);
    });
}

void TSelection::CalculateBatteryFerimontList(CatalogueRowSet& ADataSet)
{
    FBatteryList->Clear();
    const float required = FPreliminar.QC;

    // The product lines have no voltage or series condition.
    const auto plainUnit = [](const WeighedBankRow& row) { return !row.harmonic && !row.transform; };
    const auto reaches = [&](std::optional<float> excluded) {
        return [&, excluded](const WeighedBankRow& row) -> std::optional<Ext> {
            if (!plainUnit(row) || (excluded && row.power == *excluded))
                return std::nullopt;
            if (!(static_cast<Ext>(row.power) / required >= kProductLineRatio))
                return std::nullopt;
            return static_cast<Ext>(required) - row.power;
        };
    };
    const BankColumns columns(ADataSet);
    const BankRows rows = readRows(*this, ADataSet, columns);
    float best = searchBest(rows, reaches(std::nullopt));
    if (static_cast<Ext>(best) / required < kProductLineRatio)
        best = searchBest(rows, reaches(best));

    if (best != kNothingChosen) {
        CatalogueRowSet& descriptions = catalogue().GetDescriptionTable();
        revisit(ADataSet, rows, [&](const WeighedBankRow& row) {
            if (plainUnit(row) && row.power == best)
                addCandidate(*this, *FBatteryList, ADataSet, columns, descriptions);
        });
    }

    if (!FBatteryList->isEmpty())
        FBatteryList->SortByRank();
}
