// The current transformer for the controller and the cable of every
// candidate.

#include "selectionfixture.h"

#include "cableselection.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace selectiontest;

TEST(ParallelRuns, SplitsUntilEachRunFitsTheLargestRating)
{
    struct Case {
        float design;
        float largest;
        std::int32_t count;
        float perRun;
    };
    const std::vector<Case> cases {
        { 216.50635f, 240.0f, 1, 216.50635f },
        { 240.0f, 240.0f, 1, 240.0f },
        { 480.0f, 240.0f, 2, 240.0f },
        // 350 / 3 rounds down to 116.666664, which three runs do not quite
        // carry: a fourth run is added, the per-run current kept.
        { 350.0f, 150.0f, 4, 116.666664f },
        { 450.0f, 150.0f, 3, 150.0f },
        // From 999 999 941 runs on, 1e9 / n rounds to 1.0 (within 2^-24 of
        // it); those runs carry a little less than 1e9, so one more.
        { 1.0e9f, 1.0f, 999999942, 1.0f },
        // 2^31 A over 1 A cables still fits a 32-bit count the same way.
        { 2147483648.0f, 1.0f, 2147483522, 1.0f },
        { -5.0f, 100.0f, 1, -5.0f },
    };
    for (const Case& c : cases) {
        const std::optional<ParallelRuns> runs = parallelRuns(c.design, c.largest);
        ASSERT_TRUE(runs.has_value()) << c.design << " A over " << c.largest << " A";
        EXPECT_EQ(runs->count, c.count) << c.design << " A over " << c.largest << " A";
        EXPECT_EQ(runs->perRun, c.perRun) << c.design << " A over " << c.largest << " A";
    }
}

TEST(ParallelRuns, NoRunCountWhenNoneWouldDo)
{
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(parallelRuns(100.0f, 0.0f));
    EXPECT_FALSE(parallelRuns(100.0f, -2147483648.0f));
    EXPECT_FALSE(parallelRuns(infinity, 240.0f));
    EXPECT_FALSE(parallelRuns(std::nanf(""), 240.0f));
    EXPECT_FALSE(parallelRuns(1.0e30f, 1.0f));
    EXPECT_FALSE(parallelRuns(100.0f, std::nanf("")));
}

namespace {

// Units of the Ferimont line that a contracted power of 1 kW reaches: each
// becomes a candidate of its own power.
QString units(std::initializer_list<BankRow> rows)
{
    return bankRowsSql("bbf", rows);
}

class CableSelection : public ::testing::Test {
protected:
    // Builds the catalogue, makes every unit of `bbfRows` at its power a
    // candidate and gives each its cable.
    TSelection& cabled(const QString& rowsSql, float unitPower)
    {
        catalogue = std::make_unique<Catalogue>(rowsSql);
        project = std::make_unique<TCProyect>(&catalogue->module());
        setContracted(*project, static_cast<std::int32_t>(std::ceil(unitPower)));
        TSelection& selection = project->Selection();
        selection.CalculatePreliminar();
        selection.CalculateBatteryFerimontList(catalogue->module().GetBbfTable());
        EXPECT_FALSE(selection.BatteryList().isEmpty());
        selection.CalculateConductors(catalogue->module().GetCondTable());
        return selection;
    }

    std::unique_ptr<Catalogue> catalogue;
    std::unique_ptr<TCProyect> project;
};

const QString kCables = cableRowsSql({ { 16, 100, 2.0 }, { 25, 150, 3.0 }, { 35, 150, 4.0 }, { 95, 240, 9.0 },
    { 120, 240, 11.0 }, { 150, 275, 14.0 }, { 185, 275, 16.0 } });

} // namespace

TEST_F(CableSelection, SmallestRatingAtOrAboveTheDesignCurrent)
{
    // 100 kvar at 400 V: 144.33757 A, 216.50635 A with the margin.
    TSelection& selection = cabled(units({ { "F-100", "Fenwa", 400, 100 } }) + kCables, 100);
    const TConductor* cable = selection.BatteryList()[0].Conductor();
    ASSERT_NE(cable, nullptr);
    EXPECT_TRUE(cable->Found());
    EXPECT_EQ(cable->Current(), 240.0f);
    EXPECT_EQ(cable->Gauge(), 95.0f); // the first of the two 240 A rows
    EXPECT_EQ(cable->Price(), Money::fromTicks(90000));
    EXPECT_EQ(cable->ICalculate(), 216.506348f);
    EXPECT_EQ(cable->Count(), 1);
    EXPECT_EQ(cable->Length(), 0.0f);
    EXPECT_EQ(cable->Battery(), &selection.BatteryList()[0]);
}

TEST_F(CableSelection, FirstRowOfTheBestRatingEvenWhenItsDifferenceRoundsDown)
{
    // 10 kW at 400 V: 21.6506348 A with the margin. Its difference to 5000 A
    // rounds down when it is kept in single precision, so the second 5000 A
    // row weighs "better" in the search; the cable is still the first row
    // of that rating.
    TSelection& selection = cabled(units({ { "F-10", "Fenwa", 400, 10 } })
                                       + cableRowsSql({ { 240, 5000, 50.0 }, { 300, 5000, 60.0 } }),
                                   10);
    const TConductor* cable = selection.BatteryList()[0].Conductor();
    ASSERT_NE(cable, nullptr);
    EXPECT_TRUE(cable->Found());
    EXPECT_EQ(cable->Gauge(), 240.0f);
    EXPECT_EQ(cable->Price(), Money::fromTicks(500000));
}

TEST_F(CableSelection, ExactRatingIsEnough)
{
    // 480 A in two runs of exactly 240 A over 240 A cables.
    const QString cables = cableRowsSql({ { 25, 150 }, { 95, 240 }, { 120, 240 } });
    TSelection& selection = cabled(units({ { "F-480", "Fenwa", 400, 221.702499 } }) + cables, 221.702499f);
    const TConductor* cable = selection.BatteryList()[0].Conductor();
    EXPECT_EQ(cable->ICalculate(), 480.0f);
    EXPECT_EQ(cable->Count(), 2);
    EXPECT_EQ(cable->Gauge(), 95.0f);
}

TEST_F(CableSelection, RoundedDownSplitGetsOneMoreRun)
{
    // 350 A over 150 A cables: four runs of 116.67 A, each on the first
    // 150 A row; the design current stays the whole 350 A.
    const QString cables = cableRowsSql({ { 16, 100 }, { 25, 150 }, { 35, 150 } });
    TSelection& selection = cabled(units({ { "F-350", "Fenwa", 400, 161.658081 } }) + cables, 161.658081f);
    const TConductor* cable = selection.BatteryList()[0].Conductor();
    EXPECT_EQ(cable->ICalculate(), 350.0f);
    EXPECT_EQ(cable->Count(), 4);
    EXPECT_EQ(cable->Gauge(), 25.0f);
    EXPECT_EQ(cable->Current(), 150.0f);
}

TEST_F(CableSelection, EmptyCableWhenNothingWillDo)
{
    struct Case {
        const char* what;
        QString rows;
        float power;
    };
    const std::vector<Case> cases {
        { "no positive rating", units({ { "F-10", "Fenwa", 400, 10 } }) + cableRowsSql({ { 10, 0 }, { 16, -5 } }), 10 },
        { "no cable table rows", units({ { "F-10", "Fenwa", 400, 10 } }), 10 },
        // Rated voltage 0: an infinite design current.
        { "no voltage", units({ { "F-10", "Fenwa", 0, 10 } }) + kCables, 10 },
    };
    for (const Case& c : cases) {
        TSelection& selection = cabled(c.rows, c.power);
        const TConductor* cable = selection.BatteryList()[0].Conductor();
        ASSERT_NE(cable, nullptr) << c.what;
        EXPECT_FALSE(cable->Found()) << c.what;
        EXPECT_EQ(cable->Count(), 0) << c.what;
        EXPECT_EQ(cable->Gauge(), 0.0f) << c.what;
        EXPECT_EQ(cable->ICalculate(), 0.0f) << c.what;
        EXPECT_EQ(cable->Price(), Money()) << c.what;
        EXPECT_EQ(cable->Battery(), &selection.BatteryList()[0]) << c.what;
    }
}

TEST_F(CableSelection, EveryCandidateGetsItsOwnCable)
{
    // Two units of the same power at different voltages.
    TSelection& selection
        = cabled(units({ { "F-100a", "Fenwa", 400, 100 }, { "F-100b", "Fenwa", 230, 100 } }) + kCables, 100);
    ASSERT_EQ(selection.BatteryList().Count(), 2);
    const TConductor* at400 = selection.BatteryList()[0].Conductor();
    const TConductor* at230 = selection.BatteryList()[1].Conductor();
    EXPECT_EQ(at400->Gauge(), 95.0f);
    // 376.53 A at 230 V: two runs of 188.27 A on 240 A cable.
    EXPECT_EQ(at230->Count(), 2);
    EXPECT_EQ(at230->Current(), 240.0f);
    EXPECT_EQ(at230->Battery(), &selection.BatteryList()[1]);
}

namespace {

const QString kCurrentTransformers = transformerRowsSql({ { "CT-150", 150, 12.5 }, { "CT-200", 200 },
    { "CT-250a", 250, 20.0 }, { "CT-250b", 250, 22.0 }, { "CT-400", 400 }, { "CT-600", 600 } });

struct TransformerCase {
    const char* name;
    TVoltage voltage;
    std::vector<Period> periods; // consumption mode when not empty
    std::int32_t maximumPower; // contracted power otherwise
    const char* type; // nullptr: no current transformer
    std::int32_t volt;
};

class CurrentTransformer : public ::testing::TestWithParam<TransformerCase> { };

} // namespace

TEST_P(CurrentTransformer, SmallestPrimaryAtOrAboveOneAndAHalfTimesTheDemand)
{
    const TransformerCase& tc = GetParam();
    Catalogue catalogue(kCurrentTransformers);
    TCProyect project(&catalogue.module());
    project.setBatteryType(TBatteryType::battery);
    project.setVoltage(tc.voltage);
    if (tc.periods.empty())
        setContracted(project, tc.maximumPower);
    else
        addPeriods(project, tc.periods);
    TSelection& selection = project.Selection();
    selection.CalculatePreliminar();
    selection.CalculateTransformer(catalogue.module().GetTransTable());

    if (!tc.type) {
        EXPECT_EQ(selection.Transformer(), nullptr);
        return;
    }
    ASSERT_NE(selection.Transformer(), nullptr);
    EXPECT_EQ(selection.Transformer()->TType(), tc.type);
    EXPECT_EQ(selection.Transformer()->Volt(), tc.volt);
}

INSTANTIATE_TEST_SUITE_P(Cases, CurrentTransformer,
    ::testing::Values(
        // 100 kW at a power factor of 0.9: 160.375 A, so 160, target 240:
        // the later of the two 250 A rows.
        TransformerCase {
            "PeakDemandAtPowerFactorNinety", TVoltage::v400, { { 10000, 4843, 100 } }, 0, "CT-250b", 400 },
        // 100 kW, factor 1: 144 A, target 216.
        TransformerCase { "ContractedAt400", TVoltage::v400, {}, 100, "CT-250b", 400 },
        // 120 A, target 180.
        TransformerCase { "ContractedAt480", TVoltage::v480, {}, 100, "CT-200", 480 },
        // 251 A, target 376.5.
        TransformerCase { "ContractedAt230", TVoltage::v230, {}, 100, "CT-400", 230 },
        // 133 A, target exactly 199.5: 200.
        TransformerCase { "JustBelowAPrimary", TVoltage::v400, {}, 92, "CT-200", 400 },
        TransformerCase { "NoPeakDemand", TVoltage::v400, { { 10000, 4843, 0 } }, 0, nullptr, 0 },
        // 1443 A, target 2164.5: above every primary.
        TransformerCase { "AboveEveryPrimary", TVoltage::v400, {}, 1000, nullptr, 0 },
        // No net active energy: the overall power factor is about 1e-20 and
        // the demand current far beyond any integer.
        TransformerCase {
            "DemandBeyondAnyInteger", TVoltage::v400, { { 1000, 500, 100 }, { -1000, 0, 0 } }, 0, nullptr, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CurrentTransformerRows, ExactTargetIsEnoughAndEachRowIsReadIn)
{
    // 277 A for 192 kW at 400 V: target 415.5 below 416; and 416 exactly
    // taken at or above.
    Catalogue catalogue(transformerRowsSql({ { "CT-415", 415.5, 30.25 }, { "CT-416", 416 } }));
    TCProyect project(&catalogue.module());
    project.setBatteryType(TBatteryType::battery);
    setContracted(project, 192);
    project.Selection().CalculatePreliminar();
    project.Selection().CalculateTransformer(catalogue.module().GetTransTable());
    ASSERT_NE(project.Selection().Transformer(), nullptr);
    EXPECT_EQ(project.Selection().Transformer()->TType(), "CT-415");
    EXPECT_EQ(project.Selection().Transformer()->A(), 415.5f);
    EXPECT_EQ(project.Selection().Transformer()->Price(), Money::fromTicks(302500));
}
