// A whole calculation: the order of the steps, which message wins, and what
// the selection holds afterwards.

#include "selectionfixture.h"

#include "exceptions.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

using namespace selectiontest;

namespace {

QString runCatalogue()
{
    return bankRowsSql("bb",
               { { "B-90", "Corsel", 400, 90 }, { "B-95", "Elmora", 440, 95 },
                   { "T-20", "Tirsa", 400, 20, false, true } })
        + bankRowsSql("bb6", { { "S-90", "Fenwa", 400, 90 }, { "S-90h", "Fenwa", 400, 90, true } })
        + bankRowsSql("bbf", { { "F-30", "Fenwa", 400, 30 }, { "F-30z", "Elmora", 0, 30 } })
        + bankRowsSql("bbe", { { "L-30", "Isquel", 400, 30 } })
        + cableRowsSql({ { 16, 100 }, { 25, 150 }, { 95, 240 } })
        + transformerRowsSql({ { "CT-250", 250 }, { "CT-400", 400 }, { "CT-2500", 2500 } });
}

class SelectionRun : public ::testing::Test {
protected:
    SelectionRun()
        : catalogue(runCatalogue())
        , counting(catalogue.module())
        , project(&counting)
    {
    }

    TSelection& selection() { return project.Selection(); }

    // A plain-bank project of 100 kW contracted (81 kvar) and 400 kVA.
    void plainContracted()
    {
        project.setBatteryType(TBatteryType::battery);
        setContracted(project, 100, 400);
    }

    std::vector<QString> codes() const
    {
        std::vector<QString> result;
        for (const auto& candidate : project.Selection().BatteryList())
            result.push_back(candidate.Code());
        return result;
    }

    Catalogue catalogue;
    CountingCatalogue counting;
    TCProyect project;
};

using Codes = std::vector<QString>;

} // namespace

TEST_F(SelectionRun, PlainBanksGetTransformerBankCurrentTransformerAndCables)
{
    plainContracted();
    selection().Execute();
    EXPECT_EQ(codes(), (Codes { "B-90", "T-20" }));
    // 100 kW at factor 1 and 400 V: 144 A, target 216.
    ASSERT_NE(selection().Transformer(), nullptr);
    EXPECT_EQ(selection().Transformer()->TType(), "CT-250");
    EXPECT_EQ(selection().Transformer()->Volt(), 400);
    for (const auto& candidate : selection().BatteryList()) {
        ASSERT_NE(candidate.Conductor(), nullptr) << candidate.Code().toStdString();
        EXPECT_TRUE(candidate.Conductor()->Found()) << candidate.Code().toStdString();
        EXPECT_EQ(candidate.Count(), 1);
    }
    EXPECT_EQ(counting.asked("bb"), 1);
    EXPECT_EQ(counting.asked("bb6"), 0);
}

TEST_F(SelectionRun, SixtyHertzPlainBanksReadTheirOwnTable)
{
    plainContracted();
    project.setFrequency(TFrequency::f60Hz);
    selection().Execute();
    EXPECT_EQ(codes(), (Codes { "S-90" }));
    EXPECT_EQ(counting.asked("bb"), 0);
    EXPECT_EQ(project.BatteryType(), TBatteryType::battery);
}

TEST_F(SelectionRun, ProductLinesGetNoCurrentTransformer)
{
    plainContracted();
    selection().Execute();
    ASSERT_NE(selection().Transformer(), nullptr);

    project.setBatteryType(TBatteryType::ferimont);
    setContracted(project, 30);
    selection().Execute();
    EXPECT_EQ(selection().Transformer(), nullptr);
    EXPECT_EQ(codes(), (Codes { "F-30z", "F-30" }));
    // The unit without a voltage gets the empty cable; the other a real one.
    EXPECT_FALSE(selection().BatteryList()[0].Conductor()->Found());
    EXPECT_TRUE(selection().BatteryList()[1].Conductor()->Found());
    EXPECT_EQ(counting.asked("trans"), 1);

    project.setBatteryType(TBatteryType::lumarest);
    selection().Execute();
    EXPECT_EQ(codes(), (Codes { "L-30" }));
}

TEST_F(SelectionRun, FiftyHertzHarmonicsSwitchPlainBanksToFerimont)
{
    project.setBatteryType(TBatteryType::battery);
    project.setHarmonics(true);
    project.setTemperature(TTemperature::greater_than_35);
    setContracted(project, 30);
    selection().Execute();
    // Sized as a product line (QC = 30, not 25) and never refused for heat.
    EXPECT_EQ(project.BatteryType(), TBatteryType::ferimont);
    EXPECT_EQ(selection().preliminar().QC, 30.0f);
    EXPECT_EQ(codes(), (Codes { "F-30z", "F-30" }));
    EXPECT_EQ(selection().EquipmentLabel(), "Ferimont");
}

TEST_F(SelectionRun, HarmonicsSwitchStaysWhenTheRunFails)
{
    project.setBatteryType(TBatteryType::battery);
    project.setHarmonics(true);
    addPeriods(project, {});
    EXPECT_TRUE(raisesMessage([&] { selection().Execute(); }, 281));
    EXPECT_EQ(project.BatteryType(), TBatteryType::ferimont);
}

TEST_F(SelectionRun, SixtyHertzHarmonicsKeepPlainBanksAndTheirHeatLimit)
{
    project.setBatteryType(TBatteryType::battery);
    project.setFrequency(TFrequency::f60Hz);
    project.setHarmonics(true);
    project.setTemperature(TTemperature::greater_than_35);
    setContracted(project, 100);
    EXPECT_TRUE(raisesMessage([&] { selection().Execute(); }, 282));
    EXPECT_EQ(project.BatteryType(), TBatteryType::battery);
}

struct PrecedenceCase {
    const char* name;
    TFrequency frequency;
    TTemperature temperature;
    std::vector<Period> periods; // consumption when not empty, else 100 kW contracted
    bool noPeriods; // consumption without any period
    int code;
};

class RunPrecedence : public ::testing::TestWithParam<PrecedenceCase> { };

TEST_P(RunPrecedence, FirstFailingStepDecides)
{
    const PrecedenceCase& tc = GetParam();
    Catalogue catalogue(runCatalogue());
    CountingCatalogue counting(catalogue.module());
    TCProyect project(&counting);
    project.setBatteryType(TBatteryType::battery);
    project.setFrequency(tc.frequency);
    project.setTemperature(tc.temperature);
    if (tc.noPeriods || !tc.periods.empty())
        addPeriods(project, tc.periods);
    else
        setContracted(project, 100, 400);
    EXPECT_TRUE(raisesMessage([&] { project.Selection().Execute(); }, tc.code));
    EXPECT_TRUE(project.Selection().BatteryList().isEmpty());
    EXPECT_EQ(project.Selection().Transformer(), nullptr);
    EXPECT_EQ(counting.asked("bb") + counting.asked("bb6") + counting.asked("cond") + counting.asked("trans"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RunPrecedence,
    ::testing::Values(
        PrecedenceCase { "NoBillingDataBeforeHeat", TFrequency::f60Hz, TTemperature::greater_than_35, {}, true, 281 },
        // No reactive energy against the default target of 1.0.
        PrecedenceCase { "NoCompensationBeforeHeat", TFrequency::f60Hz, TTemperature::greater_than_35,
            { { 1000, 0, 10 } }, false, 280 },
        PrecedenceCase { "HeatAt60Hz", TFrequency::f60Hz, TTemperature::greater_than_35, {}, false, 282 },
        PrecedenceCase {
            "HeatAt50HzWithoutHarmonics", TFrequency::f50Hz, TTemperature::greater_than_35, {}, false, 282 },
        PrecedenceCase {
            "TemperatureOutsideItsValues", TFrequency::f50Hz, static_cast<TTemperature>(2), {}, false, 283 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SelectionRun, NothingFitsWithoutAskingForCurrentTransformers)
{
    project.setBatteryType(TBatteryType::battery);
    setContracted(project, 1000); // 810 kvar, no transformer of its own
    EXPECT_TRUE(raisesMessage([&] { selection().Execute(); }, 283));
    EXPECT_EQ(counting.asked("bb"), 1);
    EXPECT_EQ(counting.asked("trans"), 0);
    EXPECT_EQ(counting.asked("cond"), 0);
    EXPECT_EQ(selection().Transformer(), nullptr);
}

TEST_F(SelectionRun, TransformerBankAloneIsEnough)
{
    project.setBatteryType(TBatteryType::battery);
    setContracted(project, 1000, 400);
    selection().Execute();
    EXPECT_EQ(codes(), (Codes { "T-20" }));
    ASSERT_NE(selection().Transformer(), nullptr);
    EXPECT_EQ(selection().Transformer()->TType(), "CT-2500");
    EXPECT_NE(selection().BatteryList()[0].Conductor(), nullptr);
}

TEST_F(SelectionRun, ProductLineWithNothingFittingRaisesNoEquipment)
{
    setContracted(project, 500);
    EXPECT_TRUE(raisesMessage([&] { selection().Execute(); }, 283));
    EXPECT_EQ(counting.asked("bbf"), 1);
    EXPECT_EQ(counting.asked("cond"), 0);
}

TEST_F(SelectionRun, EveryRunStartsFromAnEmptySelection)
{
    plainContracted();
    selection().Execute();
    ASSERT_FALSE(selection().BatteryList().isEmpty());
    setContracted(project, 0);
    EXPECT_TRUE(raisesMessage([&] { selection().Execute(); }, 482));
    EXPECT_TRUE(selection().BatteryList().isEmpty());
    EXPECT_EQ(selection().Transformer(), nullptr);
    // The figures of the run before stay.
    EXPECT_EQ(selection().preliminar().QC, 81.0f);
}

TEST(SelectionRunWithoutCatalogue, PreliminaryChecksStillComeFirst)
{
    TCProyect project(nullptr);
    addPeriods(project, {});
    EXPECT_TRUE(raisesMessage([&] { project.Selection().Execute(); }, 281));

    setContracted(project, 100);
    EXPECT_THROW(project.Selection().Execute(), ECatalogueError);
}

TEST(SelectionRunLabels, EquipmentLabelFollowsTheLine)
{
    TCProyect project(nullptr);
    EXPECT_EQ(project.Selection().EquipmentLabel(), "Ferimont");
    project.setBatteryType(TBatteryType::lumarest);
    EXPECT_EQ(project.Selection().EquipmentLabel(), "Lumarest");
    project.setBatteryType(TBatteryType::battery);
    EXPECT_EQ(project.Selection().EquipmentLabel(), QStringLiteral("Baterías"));
}

TEST(SelectionRunCatalogueFailure, PassesUnchanged)
{
    // A price beyond any number fails the row's read; the run reports the
    // catalogue's failure, not a calculation message.
    Catalogue catalogue(
        QStringLiteral("INSERT INTO bbf (code, type, volt, power, price, automatic, harmonic, "
                       "transform, steps, dim) VALUES ('F-30', 'Fenwa', 400, 30, 9e999, 1, 0, 0, '', '');"));
    TCProyect project(&catalogue.module());
    setContracted(project, 30);
    EXPECT_THROW(project.Selection().Execute(), ECatalogueError);
}

// Every row of the bank table is read in full as a search weighs it, not
// only the rows taken: a column missing from the table fails the run even
// when no row could ever be a candidate.
TEST(SelectionRunCatalogueFailure, AMissingTextColumnFailsEvenWithoutCandidates)
{
    for (const char* column : { "code", "dim", "steps" }) {
        SCOPED_TRACE(column);
        Catalogue catalogue(bankRowsSql("bb", { { "B-10", "Corsel", 400, 10 } })
            + QStringLiteral("ALTER TABLE bb DROP COLUMN %1;\n").arg(QLatin1String(column)));
        TCProyect project(&catalogue.module());
        project.setBatteryType(TBatteryType::battery);
        setContracted(project, 100);
        try {
            project.Selection().Execute();
            FAIL() << "ran without the column";
        } catch (const ECatalogueError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(column))) << e.message().toStdString();
        }
    }
}
