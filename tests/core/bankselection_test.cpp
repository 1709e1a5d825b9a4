// The choice of banks from the catalogue: plain banks above the required
// power, the supply transformer's own bank, and the product-line units.

#include "selectionfixture.h"

#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <vector>

using namespace selectiontest;

namespace {

// 50 Hz plain banks around a requirement of 81 kvar (100 kW contracted),
// and transformer banks around 20 kvar (5 % of 400 kVA).
QString plainBanks()
{
    return bankRowsSql("bb",
        {
            { "B-81", "Corsel", 400, 81 }, // exactly the requirement
            { "B-90a", "Corsel", 400, 90 }, // the best power...
            { "B-90b", "Elmora", 440, 90 }, // ...in a second series
            { "B-90c", "Corsel", 450, 90 }, // ...twice in one series
            { "B-90d", "Fenwa", 480, 90 }, // 480 V only
            { "B-85x", "Galvix", 500, 85 }, // a voltage never accepted
            { "B-85t", "Tirsa", 400, 85 }, // built to order
            { "B-85h", "Dravia", 400, 85, true }, // for harmonics
            { "B-85r", "Hormea", 400, 85, false, true },
            { "B-120", "Quelva", 400, 120 },
            { "B-1200", "Quelva", 400, 1200 },
            { "T-15", "Isquel", 400, 15, false, true },
            { "T-20", "Tirsa", 400, 20, false, true },
            { "T-20h", "Brunia", 440, 20, true, true },
            { "T-20v", "Isquel", 480, 20, false, true },
            { "T-25", "Isquel", 400, 25, false, true },
        });
}

// 60 Hz banks for harmonics around a requirement of 24 kvar (29 kW).
QString harmonicBanks()
{
    return bankRowsSql("bb6",
        {
            { "Q-35", "QUELVA", 400, 35, true }, { "H-30", "Galvix", 400, 30, true },
            { "H-40", "Galvix", 400, 40, true }, { "Q-26", "Quelva", 400, 26, true },
            { "H-25", "Galvix", 400, 25, true }, { "D-24", "Dravia", 400, 24, true }, // exactly the requirement
            { "M-20", "Hormea", 400, 20, true }, // a series entirely below
            { "M-22", "Hormea", 400, 22, true }, { "N-50", "Brunia", 400, 50 }, // not for harmonics
            { "X-60", "Tirsa", 400, 60, true }, { "V-50", "Isquel", 480, 50, true }, // 480 V only
        });
}

// Ferimont units around 100 kW contracted (90 % = 90 kW).
QString productUnits()
{
    return bankRowsSql("bbf",
               {
                   { "F-89", "Fenwa", 400, 89.99 },
                   { "F-90", "Fenwa", 400, 90 }, // exactly 0.9 of the requirement
                   { "F-90h", "Corsel", 400, 90, true },
                   { "F-90t", "Corsel", 400, 90, false, true },
                   { "F-90z", "Elmora", 0, 90 }, // no voltage at all
                   { "F-95", "Quelva", 480, 95 },
               })
        // 2.75 kW reaches 90 % of 3.05555558 kW only with the float ratio.
        + bankRowsSql("bbe", { { "L-3", "Fenwa", 230, 3.0 }, { "L-2.75", "Fenwa", 230, 2.75 } });
}

std::vector<QString> codesOf(const TSelection& selection)
{
    std::vector<QString> codes;
    for (const auto& candidate : selection.BatteryList())
        codes.push_back(candidate.Code());
    return codes;
}

class BankSelection : public ::testing::Test {
protected:
    BankSelection()
        : catalogue(plainBanks() + harmonicBanks() + productUnits())
        , project(&catalogue.module())
    {
    }

    TSelection& selection() { return project.Selection(); }

    // Plain banks against ⌈0.81 × maximum power⌉.
    std::vector<QString> plainCandidates(std::int32_t maximumPower, std::optional<std::int32_t> inputTransformer = {})
    {
        project.setBatteryType(TBatteryType::battery);
        setContracted(project, maximumPower, inputTransformer);
        selection().CalculatePreliminar();
        selection().CalculateBatteryList(catalogue.module().GetBbTable());
        return codesOf(selection());
    }

    Catalogue catalogue;
    TCProyect project;
};

using Codes = std::vector<QString>;

} // namespace

TEST_F(BankSelection, PlainBanksTakeTheSmallestPowerStrictlyAboveTheRequirement)
{
    // Every 90 kvar row at 400, 440 or 450 V, whatever its series, highest
    // rank first and table order within a rank: Elmora, then Corsel twice.
    EXPECT_EQ(plainCandidates(100), (Codes { "B-90b", "B-90a", "B-90c" }));
    for (const auto& candidate : selection().BatteryList()) {
        EXPECT_EQ(candidate.Count(), 1);
        EXPECT_EQ(candidate.Power(), 90.0f);
        EXPECT_EQ(candidate.Conductor(), nullptr);
        EXPECT_EQ(candidate.Description(), "Serie " + candidate.BType());
        EXPECT_FALSE(candidate.Image().isNull());
    }
}

TEST_F(BankSelection, VoltageDecidesTheRowsAccepted)
{
    project.setVoltage(TVoltage::v480);
    EXPECT_EQ(plainCandidates(100), (Codes { "B-90d" }));
    project.setVoltage(TVoltage::v230);
    EXPECT_EQ(plainCandidates(100), (Codes {}));
}

TEST_F(BankSelection, NothingWithinAThousandAboveTheRequirement)
{
    // 122 kvar: only 1200 lies above, 1078 away...
    EXPECT_EQ(plainCandidates(150), (Codes {}));
    // ...243 kvar: 957 away.
    EXPECT_EQ(plainCandidates(300), (Codes { "B-1200" }));
}

TEST_F(BankSelection, TransformerBankIsTheSmallestAtOrAboveFivePercent)
{
    // 400 kVA: 20 kvar, met exactly; Tirsa and harmonics rows qualify here,
    // appended in table order after the sorted ordinary candidates.
    EXPECT_EQ(plainCandidates(100, 400), (Codes { "B-90b", "B-90a", "B-90c", "T-20", "T-20h" }));
    // 401 kVA: 20.05 kvar, so 25.
    EXPECT_EQ(plainCandidates(100, 401), (Codes { "B-90b", "B-90a", "B-90c", "T-25" }));
    // No transformer of its own: no bank for it, whatever the rating says.
    project.setHasInputTransformer(false);
    project.setInputTransformer(400);
    selection().CalculatePreliminar();
    selection().CalculateBatteryList(catalogue.module().GetBbTable());
    EXPECT_EQ(codesOf(selection()), (Codes { "B-90b", "B-90a", "B-90c" }));
}

TEST_F(BankSelection, TransformerBankAloneWhenNoOrdinaryBankFits)
{
    EXPECT_EQ(plainCandidates(150, 300), (Codes { "T-15" }));
}

TEST_F(BankSelection, ConsumptionProjectsTakeTheLargestPeriodTransformer)
{
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setWorkHours(100);
    // Needs of 80 and 70 kvar; the transformers 300, 401 and 0 kVA: the
    // largest, 401, needs 20.05 kvar, met by 25.
    addPeriods(project, { { 10000, 8000, 0, 300 }, { 10000, 7000, 0, 401 }, { 10000, 5000, 0, 0 } });
    project.setInputTransformer(5000); // the project's own rating plays no part here
    project.setHasInputTransformer(true);
    selection().CalculatePreliminar();
    selection().CalculateBatteryList(catalogue.module().GetBbTable());
    EXPECT_EQ(codesOf(selection()), (Codes { "B-81", "T-25" }));

    TCProyect noTransformer(&catalogue.module());
    noTransformer.setBatteryType(TBatteryType::battery);
    noTransformer.ConsumptionList().setWorkHours(100);
    addPeriods(noTransformer, { { 10000, 8000, 0, 0 }, { 10000, 7000, 0, -5 } });
    noTransformer.Selection().CalculatePreliminar();
    noTransformer.Selection().CalculateBatteryList(catalogue.module().GetBbTable());
    EXPECT_EQ(codesOf(noTransformer.Selection()), (Codes { "B-81" }));
}

TEST_F(BankSelection, NegativeRequirementTakesTheSecondSmallestPower)
{
    // Every bank lies above a negative need; the first pass's smallest
    // power divided by it is below 1, so a second pass without 81 kvar
    // takes the next accepted power.
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setPowerfactor(0.95f);
    addPeriods(project, { { 3000, 300, 0 }, { 0, 0, 0 } });
    selection().CalculatePreliminar();
    ASSERT_LT(selection().preliminar().QC, 0.0f);
    selection().CalculateBatteryList(catalogue.module().GetBbTable());
    EXPECT_EQ(codesOf(selection()), (Codes { "B-90b", "B-90a", "B-90c" }));
}

TEST_F(BankSelection, HarmonicsKeepOneCandidatePerSeriesFromTheBestPowerUp)
{
    project.setBatteryType(TBatteryType::battery);
    project.setFrequency(TFrequency::f60Hz);
    project.setHarmonics(true);
    setContracted(project, 29); // 23.49, so 24 kvar
    selection().CalculatePreliminar();
    selection().CalculateBatteryList(catalogue.module().GetBb6Table());

    // Best 25 kvar. Galvix carries its last row at or above it (H-25);
    // QUELVA and Quelva are one series, read last from Q-26 and ranked as
    // Quelva. Hormea lies below, Dravia at the requirement itself.
    EXPECT_EQ(codesOf(selection()), (Codes { "H-25", "Q-26" }));
    EXPECT_EQ(selection().BatteryList()[1].BType(), "Quelva");
    EXPECT_EQ(selection().BatteryList()[1].Order(), 1);
    EXPECT_EQ(selection().BatteryList()[1].Count(), 1);
    EXPECT_EQ(selection().FindBattery("gALVIX"), &selection().BatteryList()[0]);
    EXPECT_EQ(selection().FindBattery("Galvi"), nullptr);
}

TEST_F(BankSelection, FindBatteryFoldsOnlyAsciiLetters)
{
    project.setBatteryType(TBatteryType::battery);
    setContracted(project, 100);
    selection().CalculatePreliminar();
    selection().CalculateBatteryList(catalogue.module().GetBbTable());
    EXPECT_NE(selection().FindBattery("ELMORA"), nullptr);
    EXPECT_EQ(selection().FindBattery("ELMORA")->Code(), "B-90b");
    EXPECT_EQ(selection().FindBattery("CORSEL")->Code(), "B-90a");
    EXPECT_EQ(selection().FindBattery(""), nullptr);
    EXPECT_EQ(selection().FindBattery(QStringLiteral("Corſel")), nullptr);
}

TEST_F(BankSelection, ProductLinesTakeTheSmallestUnitFromNinetyPercent)
{
    setContracted(project, 100);
    selection().CalculatePreliminar();
    selection().CalculateBatteryFerimontList(catalogue.module().GetBbfTable());
    // 90 kW is exactly 0.9 × 100 (a double ratio would refuse it); harmonic
    // and transformer units never count; the voltage does not matter.
    EXPECT_EQ(codesOf(selection()), (Codes { "F-90z", "F-90" }));
    EXPECT_EQ(selection().BatteryList()[0].Volt(), 0);
}

TEST_F(BankSelection, ProductLineRatioIsHeldInSinglePrecision)
{
    // 77 kvarh over 36 hours with no target tangent: 2.13888884 kvar, and
    // 3.05555558 kW at 0.7.
    project.setBatteryType(TBatteryType::lumarest);
    project.ConsumptionList().setWorkHours(36);
    addPeriods(project, { { 1000, 77, 1 } });
    selection().CalculatePreliminar();
    ASSERT_EQ(selection().preliminar().QC, 3.05555558f);
    selection().CalculateBatteryFerimontList(catalogue.module().GetBbeTable());
    EXPECT_EQ(codesOf(selection()), (Codes { "L-2.75" }));
}

TEST_F(BankSelection, EachListStartsEmpty)
{
    plainCandidates(100);
    setContracted(project, 1000);
    selection().CalculatePreliminar();
    selection().CalculateBatteryFerimontList(catalogue.module().GetBbfTable());
    EXPECT_EQ(codesOf(selection()), (Codes {}));
}

TEST(SeriesVoltages, AcceptedByNetworkVoltage)
{
    TCProyect project(nullptr);
    const std::vector<std::pair<TVoltage, TVoltsArray>> cases { { TVoltage::v400, { 400, 440, 450 } },
        { TVoltage::v480, { 480 } }, { TVoltage::v230, { 220, 230, 240 } } };
    for (const auto& [voltage, volts] : cases) {
        project.setVoltage(voltage);
        EXPECT_EQ(project.Selection().GetVolts(), volts);
    }
    EXPECT_TRUE(VoltIn(440, { 400, 440, 450 }));
    EXPECT_FALSE(VoltIn(430, { 400, 440, 450 }));
    EXPECT_FALSE(VoltIn(400, {}));
}
