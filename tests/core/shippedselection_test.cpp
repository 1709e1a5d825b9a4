// Whole calculations against the catalogue that ships with the program.

#include "selectionfixture.h"

#include "dbdatamodule.h"
#include "exceptions.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

using namespace selectiontest;

namespace {

class ShippedCatalogue : public ::testing::Test {
protected:
    ShippedCatalogue()
        : catalogue(QStringLiteral(TENVIK_SHIPPED_CATALOGUE_PATH))
        , project(&catalogue)
    {
        project.setBatteryType(TBatteryType::battery);
    }

    // What every successful plain-bank run must hand over: ordinary banks
    // strictly above the requirement, all of one power, then the
    // transformer's own banks; every candidate with a found cable that
    // carries its design current; a current transformer for 1.5 times the
    // demand current.
    void expectCompleteResult(float transformerBankTarget, float demandCurrent)
    {
        const TSelection& selection = project.Selection();
        const float qc = selection.preliminar().QC;
        ASSERT_FALSE(selection.BatteryList().isEmpty());
        const float ordinaryPower = selection.BatteryList()[0].Power();
        EXPECT_GT(ordinaryPower, qc);
        int transformerBanks = 0;
        float transformerBank = 0.0f;
        for (const auto& candidate : selection.BatteryList()) {
            const std::string code = candidate.Code().toStdString();
            EXPECT_EQ(candidate.Count(), 1) << code;
            EXPECT_FALSE(candidate.Description().isEmpty()) << code;
            EXPECT_FALSE(candidate.Image().isNull()) << code;
            if (candidate.Transform()) {
                if (transformerBanks++ == 0)
                    transformerBank = candidate.Power();
                EXPECT_EQ(candidate.Power(), transformerBank) << code;
                EXPECT_GE(candidate.Power(), transformerBankTarget) << code;
            } else {
                EXPECT_EQ(transformerBanks, 0) << code << " follows a transformer bank";
                EXPECT_EQ(candidate.Power(), ordinaryPower) << code;
                EXPECT_FALSE(candidate.Harmonic()) << code;
            }
            const TConductor* cable = candidate.Conductor();
            ASSERT_NE(cable, nullptr) << code;
            EXPECT_TRUE(cable->Found()) << code;
            EXPECT_GE(cable->Current() * static_cast<float>(cable->Count()), cable->ICalculate()) << code;
            EXPECT_GT(cable->Price(), Money()) << code;
        }
        EXPECT_GT(transformerBanks, 0);

        const TTransformer* transformer = selection.Transformer();
        ASSERT_NE(transformer, nullptr);
        EXPECT_GE(transformer->A(), std::trunc(demandCurrent) * 1.5f);
        EXPECT_EQ(transformer->Volt(), 400);
        EXPECT_GT(transformer->Price(), Money());
    }

    TDbDataModule catalogue;
    TCProyect project;
};

} // namespace

TEST_F(ShippedCatalogue, ConsumptionProjectGetsBanksCableAndCurrentTransformer)
{
    project.ConsumptionList().setWorkHours(250);
    project.ConsumptionList().setPowerfactor(0.95f);
    addPeriods(project, { { 10000, 8000, 60, 400, 120, 900, 1100 }, { 12000, 6000, 80, 400, 60, 900, 1300 } });
    project.Selection().Execute();
    // 18.8526 kvar; 5 % of 400 kVA; 80 kW at a factor of 0.843661.
    EXPECT_TRUE(showsDigits(project.Selection().preliminar().QC, "18.8526"));
    expectCompleteResult(20.0f, 136.87f);
    EXPECT_EQ(project.Selection().Transformer()->SA(), "250/5");
}

TEST_F(ShippedCatalogue, ContractedPowerProjectGetsBanksCableAndCurrentTransformer)
{
    setContracted(project, 250, 630);
    project.Selection().Execute();
    // 203 kvar; 31.5 kvar for 630 kVA; 250 kW at factor 1: 360.84 A.
    EXPECT_EQ(project.Selection().preliminar().QC, 203.0f);
    expectCompleteResult(31.5f, 360.84f);
    EXPECT_EQ(project.Selection().Transformer()->SA(), "600/5");
}

// The largest standard supply transformer still gets the fixed bank made
// for it, after the ordinary banks.
TEST_F(ShippedCatalogue, TheLargestStandardTransformerGetsItsOwnBank)
{
    setContracted(project, 1200, 3150);
    project.Selection().Execute();
    // 157.5 kvar for 3150 kVA; 1200 kW at factor 1: 1732.05 A.
    expectCompleteResult(157.5f, 1732.05f);
    const TBattery& last = project.Selection().BatteryList()[project.Selection().BatteryList().Count() - 1];
    EXPECT_TRUE(last.Transform());
    EXPECT_EQ(last.Power(), 157.5f);
    EXPECT_EQ(last.Code(), "TRS-400-3150");
    EXPECT_EQ(project.Selection().Transformer()->SA(), "3000/5");
}

TEST_F(ShippedCatalogue, ProductLinesFindUnits)
{
    for (TBatteryType type : { TBatteryType::ferimont, TBatteryType::lumarest }) {
        project.setBatteryType(type);
        setContracted(project, 100);
        project.Selection().Execute();
        EXPECT_FALSE(project.Selection().BatteryList().isEmpty());
        EXPECT_EQ(project.Selection().Transformer(), nullptr);
        for (const auto& unit : project.Selection().BatteryList()) {
            EXPECT_GE(unit.Power() / 100.0f, 0.9f);
            ASSERT_NE(unit.Conductor(), nullptr);
        }
    }
}

// Every combination the data page allows, over the sizes a customer can
// reasonably bring: each must end with equipment, and each plain-bank
// candidate with a cable that carries it.
TEST_F(ShippedCatalogue, EveryReasonableProjectFindsEquipment)
{
    const TBatteryType types[] = { TBatteryType::battery, TBatteryType::ferimont, TBatteryType::lumarest };
    const TVoltage voltages[] = { TVoltage::v400, TVoltage::v480, TVoltage::v230 };
    const TFrequency frequencies[] = { TFrequency::f50Hz, TFrequency::f60Hz };
    // Contracted powers in kW with the supply transformer's rating in kVA.
    const std::pair<std::int32_t, std::int32_t> contracted[] = { { 1, 50 },      { 5, 50 },     { 15, 100 },
                                                                 { 40, 160 },    { 90, 250 },   { 200, 400 },
                                                                 { 450, 630 },   { 800, 1000 }, { 950, 1250 },
                                                                 { 1200, 1600 }, { 1450, 2500 } };
    // Monthly billing of a customer with a power factor of about 0.8, from a
    // small shop to a large plant: kWh per month.
    const std::int32_t monthlyEnergy[] = { 1500, 10000, 60000, 250000, 400000 };
    // A 230 V supply stops well short of the largest plants: about 1 MW.
    const auto reasonable = [](TVoltage voltage, std::int32_t contractedPower, std::int32_t energy) {
        return voltage != TVoltage::v230 || (contractedPower <= 950 && energy <= 250000);
    };

    for (TBatteryType type : types)
        for (TVoltage voltage : voltages)
            for (TFrequency frequency : frequencies)
                for (bool harmonics : { false, true }) {
                    const auto configure = [&] {
                        project.setBatteryType(type);
                        project.setVoltage(voltage);
                        project.setFrequency(frequency);
                        project.setHarmonics(harmonics);
                        project.setTemperature(TTemperature::less_than_35);
                    };
                    const auto check = [&](const std::string& what) {
                        SCOPED_TRACE(what + " type " + enumName(type).toStdString() + " " +
                                     enumName(voltage).toStdString() + " " + enumName(frequency).toStdString() +
                                     (harmonics ? " harmonics" : ""));
                        try {
                            project.Selection().Execute();
                        } catch (const ESelectionException& e) {
                            ADD_FAILURE() << e.ErrorCode << " " << e.message().toStdString();
                            return;
                        }
                        for (const auto& candidate : project.Selection().BatteryList()) {
                            ASSERT_NE(candidate.Conductor(), nullptr);
                            EXPECT_TRUE(candidate.Conductor()->Found()) << candidate.Code().toStdString();
                        }
                        if (project.BatteryType() == TBatteryType::battery) {
                            EXPECT_NE(project.Selection().Transformer(), nullptr);
                        }
                    };
                    for (const auto& [power, transformer] : contracted) {
                        if (!reasonable(voltage, power, 0))
                            continue;
                        for (bool own : { false, true }) {
                            project.Reset();
                            configure();
                            setContracted(project, power, own ? std::optional<std::int32_t>(transformer)
                                                              : std::nullopt);
                            check("contracted " + std::to_string(power) + (own ? " own transformer" : ""));
                        }
                    }
                    for (std::int32_t energy : monthlyEnergy) {
                        if (!reasonable(voltage, 0, energy))
                            continue;
                        project.Reset();
                        configure();
                        project.ConsumptionList().setWorkHours(300);
                        project.ConsumptionList().setPowerfactor(0.95f);
                        const std::int32_t peak = energy / 250;
                        addPeriods(project, { { energy, energy * 3 / 4, peak, 100 + energy / 300, 50, 900, 1100 },
                                              { energy * 9 / 10, energy * 2 / 3, peak, 100 + energy / 300, 40, 900, 1000 } });
                        check("consumption " + std::to_string(energy));
                    }
                }
}
