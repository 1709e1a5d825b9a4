// Whole calculations against the catalogue that ships with the program.

#include "selectionfixture.h"

#include "dbdatamodule.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <cmath>

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
            const std::string code = candidate->Code().toStdString();
            EXPECT_EQ(candidate->Count(), 1) << code;
            EXPECT_FALSE(candidate->Description().isEmpty()) << code;
            EXPECT_FALSE(candidate->Image().isNull()) << code;
            if (candidate->Transform()) {
                if (transformerBanks++ == 0)
                    transformerBank = candidate->Power();
                EXPECT_EQ(candidate->Power(), transformerBank) << code;
                EXPECT_GE(candidate->Power(), transformerBankTarget) << code;
            } else {
                EXPECT_EQ(transformerBanks, 0) << code << " follows a transformer bank";
                EXPECT_EQ(candidate->Power(), ordinaryPower) << code;
                EXPECT_FALSE(candidate->Harmonic()) << code;
            }
            const TConductor* cable = candidate->Conductor();
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

TEST_F(ShippedCatalogue, ProductLinesFindUnits)
{
    for (TBatteryType type : { TBatteryType::ferimont, TBatteryType::lumarest }) {
        project.setBatteryType(type);
        setContracted(project, 100);
        project.Selection().Execute();
        EXPECT_FALSE(project.Selection().BatteryList().isEmpty());
        EXPECT_EQ(project.Selection().Transformer(), nullptr);
        for (const auto& unit : project.Selection().BatteryList()) {
            EXPECT_GE(unit->Power() / 100.0f, 0.9f);
            ASSERT_NE(unit->Conductor(), nullptr);
        }
    }
}
