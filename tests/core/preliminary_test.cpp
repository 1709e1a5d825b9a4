// The preliminary figures: billing-period checks and sizing, contracted
// power, and the yearly figures of the results page.

#include "selectionfixture.h"

#include "exceptions.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace selectiontest;

namespace {

// Two months of a small workshop: 250 working hours, target 0.95.
void workedExample(TCProyect& project, TPeriodType type = TPeriodType::monthly)
{
    project.ConsumptionList().setWorkHours(250);
    project.ConsumptionList().setPowerfactor(0.95f);
    project.ConsumptionList().setPeriodType(type);
    addPeriods(project, { { 10000, 8000, 60, 400, 120, 900, 1100 }, { 12000, 6000, 80, 400, 60, 900, 1300 } });
}

} // namespace

TEST(PreliminaryCalculation, WorkedExampleMonthly)
{
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    workedExample(project);
    TSelection& selection = project.Selection();
    selection.CalculatePreliminar();

    const TPreliminar& p = selection.preliminar();
    EXPECT_EQ(p.MDR, 80.0f);
    EXPECT_EQ(p.tang, 0.5f);
    EXPECT_TRUE(showsDigits(p.fff, "0.171316"));
    EXPECT_TRUE(showsDigits(project.ConsumptionList()[0].Fmr2(), "0.780869"));
    EXPECT_TRUE(showsDigits(project.ConsumptionList()[1].Fmr2(), "0.894427"));
    EXPECT_TRUE(showsDigits(p.factor_bajo, "0.780869"));
    EXPECT_TRUE(showsDigits(p.FMR, "0.780869"));
    EXPECT_EQ(p.CPC, 400.0f);
    EXPECT_EQ(p.activo, 22000.0f);
    EXPECT_EQ(p.reactivo, 14000.0f);
    EXPECT_EQ(p.importe, 4200.0f);
    EXPECT_TRUE(showsDigits(p.costo, "0.190909"));
    EXPECT_EQ(p.penalizacion, 180.0f);
    EXPECT_EQ(p.por_factor, 180.0f);
    EXPECT_EQ(p.bonificacion, 0.0f);
    EXPECT_TRUE(showsDigits(p.factor, "0.843661"));
    EXPECT_EQ(p.factor_deseado, 0.95f);
    // Period 1's need (18.8526) beats period 2's (8.22316) and the peak
    // need 80 × 0.171316 = 13.7053.
    EXPECT_TRUE(showsDigits(p.QC, "18.8526"));
    EXPECT_TRUE(p.TADC.isEmpty());

    const TPreliminar out = selection.PreliminarOut();
    EXPECT_EQ(out.penalizacion, 1080.0f);
    EXPECT_EQ(out.average_active_power, 44.0f);
    EXPECT_EQ(out.average_reactive_power, 28.0f);
    EXPECT_EQ(out.saving_term_power, 324.0f);
    EXPECT_EQ(out.saving_term_active_power, 1152.0f);
    EXPECT_EQ(out.QC, p.QC);
    // The selection's own record is not annualised.
    EXPECT_EQ(selection.preliminar().penalizacion, 180.0f);
    EXPECT_EQ(selection.preliminar().average_active_power, 0.0f);
}

TEST(PreliminaryCalculation, ProductLinesAreSizedAtSevenTenths)
{
    for (TBatteryType type : { TBatteryType::ferimont, TBatteryType::lumarest }) {
        TCProyect project(nullptr);
        project.setBatteryType(type);
        workedExample(project);
        project.Selection().CalculatePreliminar();
        EXPECT_TRUE(showsDigits(project.Selection().preliminar().QC, "26.9323"));
    }
}

TEST(PreliminaryCalculation, BimonthlyPeriodsHalveTheNeedAndCoverFourMonths)
{
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    workedExample(project, TPeriodType::bimonthly);
    project.Selection().CalculatePreliminar();

    // 9.42632 and 4.11158 over 500 hours: the peak need 13.7053 wins.
    EXPECT_TRUE(showsDigits(project.Selection().preliminar().QC, "13.7053"));
    const TPreliminar out = project.Selection().PreliminarOut();
    EXPECT_EQ(out.penalizacion, 540.0f);
    EXPECT_EQ(out.average_active_power, 22.0f);
    EXPECT_EQ(out.average_reactive_power, 14.0f);
}

TEST(PreliminaryCalculation, TargetTangentIsRoundedTwice)
{
    // acos(0.92) rounded to float, then its tangent rounded: 0.425998181,
    // one float step from tan(acos(0.92)) = 0.425998151.
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setPowerfactor(0.92f);
    addPeriods(project, { { 1000, 500, 10 } });
    project.Selection().CalculatePreliminar();
    EXPECT_EQ(project.Selection().preliminar().fff, 0.0740018189f);
}

TEST(PreliminaryCalculation, PowerAndEnergyTermsAreRoundedOncePerPeriod)
{
    // 2^24 + 1 + 1 is a float; 2^24 + 1 is not. Rounding after each addition
    // would lose both euros of the second period.
    TCProyect project(nullptr);
    addPeriods(project, { { 1000, 500, 10, 0, 0, 16777216, 0 }, { 1000, 500, 10, 0, 0, 1, 1 } });
    project.Selection().CalculatePreliminar();
    EXPECT_EQ(project.Selection().preliminar().importe, 16777218.0f);
}

TEST(PreliminaryCalculation, TiesGoToTheLaterPeriod)
{
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    addPeriods(
        project, { { 1000, 400, 50, 250 }, { 1000, 200, 50, 630 }, { 1000, 400, 20, 800 }, { 1000, 300, 10, 100 } });
    project.Selection().CalculatePreliminar();
    const TPreliminar& p = project.Selection().preliminar();
    // Peak 50 twice: tang from the second period.
    EXPECT_EQ(p.MDR, 50.0f);
    EXPECT_EQ(p.tang, 0.2f);
    // 400 kvarh twice: the third period's power factor and transformer.
    EXPECT_EQ(p.CPC, 800.0f);
    EXPECT_EQ(p.FMR, project.ConsumptionList()[2].Fmr2());
}

TEST(PreliminaryCalculation, NegativeReactiveEnergyNeverGivesTheTransformer)
{
    TCProyect negativeOnly(nullptr);
    addPeriods(negativeOnly, { { 1000, -50, 10, 400 } });
    negativeOnly.Selection().CalculatePreliminar();
    EXPECT_EQ(negativeOnly.Selection().preliminar().CPC, 0.0f);
    EXPECT_EQ(negativeOnly.Selection().preliminar().FMR, 0.0f);

    // No reactive energy at all still qualifies.
    TCProyect withZero(nullptr);
    addPeriods(withZero, { { 1000, -50, 10, 400 }, { 1000, 0, 10, 250 } });
    withZero.Selection().CalculatePreliminar();
    EXPECT_EQ(withZero.Selection().preliminar().CPC, 250.0f);
    EXPECT_EQ(withZero.Selection().preliminar().FMR, 1.0f);
}

struct CheckCase {
    const char* name;
    float target;
    std::vector<Period> periods;
    int code; // 0: the run goes on
};

class BillingCheck : public ::testing::TestWithParam<CheckCase> { };

TEST_P(BillingCheck, RaisesTheFirstMessageThatApplies)
{
    const CheckCase& tc = GetParam();
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    project.setTemperature(TTemperature::greater_than_35);
    project.ConsumptionList().setPowerfactor(tc.target);
    addPeriods(project, tc.periods);
    if (tc.code == 0)
        EXPECT_NO_THROW(project.Selection().CalculatePreliminar());
    else
        EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, tc.code));
}

INSTANTIATE_TEST_SUITE_P(Cases, BillingCheck,
    ::testing::Values(CheckCase { "NoPeriodsBeforeAnythingElse", 0.8f, {}, 281 },
        // The average 0.837648 is at or above 0.8.
        CheckCase { "AverageAboveTarget", 0.8f, { { 10000, 8000, 60 }, { 12000, 6000, 80 } }, 280 },
        CheckCase { "TargetOneWithoutReactiveEnergy", 1.0f, { { 10000, 0, 60 }, { 500, 0, 5 } }, 280 },
        CheckCase { "TargetOneWithSomeReactiveEnergy", 1.0f, { { 10000, 0, 60 }, { 500, 1, 5 } }, 0 },
        // 0/0 makes the average undefined: it stops nothing here.
        CheckCase { "UndefinedAverage", 0.9f, { { 0, 0, 0 }, { 1000, 300, 10 } }, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PreliminaryCalculation, FiniteNeedAtOrBelowZeroIsKept)
{
    // The empty period makes the average undefined, so the check lets a
    // well-compensated period through; without a peak its negative need
    // stays as it is. The empty period's undefined factor is the lowest.
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setPowerfactor(0.95f);
    addPeriods(project, { { 3000, 300, 0 }, { 0, 0, 0 } });
    ASSERT_NO_THROW(project.Selection().CalculatePreliminar());
    EXPECT_LT(project.Selection().preliminar().QC, 0.0f);
    EXPECT_TRUE(std::isnan(project.ConsumptionList()[1].Fmr2()));
    EXPECT_TRUE(std::isnan(project.Selection().preliminar().factor_bajo));
}

struct BadBillingCase {
    const char* name;
    std::int32_t workHours;
    TPeriodType type;
    std::vector<Period> periods;
};

class UnsizableBilling : public ::testing::TestWithParam<BadBillingCase> { };

TEST_P(UnsizableBilling, EndsWithBillingDataError)
{
    const BadBillingCase& tc = GetParam();
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    project.ConsumptionList().setWorkHours(tc.workHours);
    project.ConsumptionList().setPeriodType(tc.type);
    addPeriods(project, tc.periods);
    EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, 481));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnsizableBilling,
    ::testing::Values(BadBillingCase { "NoWorkingHours", 0, TPeriodType::monthly, { { 1000, 500, 10 } } },
        BadBillingCase { "NegativeWorkingHours", -300, TPeriodType::monthly, { { 1000, 500, 10 } } },
        // 2^30 hours twice wraps to a negative figure.
        BadBillingCase { "HoursWrapNegative", 1 << 30, TPeriodType::bimonthly, { { 1000, 500, 10 } } },
        // No active energy in the peak period: the peak need is infinite.
        BadBillingCase { "InfiniteNeed", 300, TPeriodType::monthly, { { 1000, 500, 10 }, { 0, 500, 90 } } },
        // No period yields a need and there is no peak to fall back on.
        BadBillingCase { "NoNeedAtAll", 300, TPeriodType::monthly, { { 0, 500, -1 }, { 0, 0, -1 } } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PreliminaryCalculation, FactorsAreWrittenBeforeTheFiguresAreRefused)
{
    TCProyect project(nullptr);
    project.ConsumptionList().setWorkHours(0);
    addPeriods(project, { { 1000, 500, 10 } });
    EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, 481));
    EXPECT_TRUE(showsDigits(project.ConsumptionList()[0].Fmr2(), "0.894427"));
    EXPECT_EQ(project.Selection().preliminar().activo, 1000.0f);
}

TEST(PreliminaryCalculation, HoursTimesPeriodsWrapsInThirtyTwoBits)
{
    TCProyect project(nullptr);
    project.ConsumptionList().setWorkHours(1500000000);
    addPeriods(project, { { 1000, 500, 10 }, { 1000, 500, 10 } });
    project.Selection().CalculatePreliminar();
    // 3 000 000 000 hours wrap to -1 294 967 296.
    EXPECT_EQ(project.Selection().PreliminarOut().average_active_power, static_cast<float>(2000.0L / -1294967296.0L));
}

struct ContractedCase {
    TBatteryType type;
    std::int32_t maximumPower;
    float qc;
};

class ContractedPower : public ::testing::TestWithParam<ContractedCase> { };

TEST_P(ContractedPower, SizesFromTheMaximumPower)
{
    const ContractedCase& tc = GetParam();
    TCProyect project(nullptr);
    project.setBatteryType(tc.type);
    setContracted(project, tc.maximumPower);
    project.setInputTransformer(630); // kept even without HasInputTransformer
    project.Selection().CalculatePreliminar();
    const TPreliminar& p = project.Selection().preliminar();
    EXPECT_EQ(p.QC, tc.qc);
    EXPECT_EQ(p.MDR, static_cast<float>(tc.maximumPower));
    EXPECT_EQ(p.factor, 1.0f);
    EXPECT_EQ(p.CPC, 630.0f);
}

INSTANTIATE_TEST_SUITE_P(Cases, ContractedPower,
    ::testing::Values(ContractedCase { TBatteryType::battery, 100, 81.0f },
        ContractedCase { TBatteryType::battery, 250, 203.0f },
        // A double 0.81 gives 487 here.
        ContractedCase { TBatteryType::battery, 600, 486.0f },
        ContractedCase { TBatteryType::battery, 2147483647, 1739461760.0f },
        ContractedCase { TBatteryType::ferimont, 600, 600.0f },
        ContractedCase { TBatteryType::lumarest, 250, 250.0f }));

struct ContractedCheckCase {
    std::int32_t maximumPower;
    bool hasInputTransformer;
    std::int32_t inputTransformer;
    int code; // 0: no message
};

class ContractedCheck : public ::testing::TestWithParam<ContractedCheckCase> { };

TEST_P(ContractedCheck, MaximumPowerComesFirst)
{
    const ContractedCheckCase& tc = GetParam();
    TCProyect project(nullptr);
    setContracted(project, tc.maximumPower);
    project.setHasInputTransformer(tc.hasInputTransformer);
    project.setInputTransformer(tc.inputTransformer);
    if (tc.code == 0)
        EXPECT_NO_THROW(project.Selection().CalculatePreliminar());
    else
        EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, tc.code));
}

INSTANTIATE_TEST_SUITE_P(Cases, ContractedCheck,
    ::testing::Values(ContractedCheckCase { 0, true, 0, 482 }, ContractedCheckCase { -5, false, 0, 482 },
        ContractedCheckCase { 100, true, 0, 483 }, ContractedCheckCase { 100, true, -630, 483 },
        ContractedCheckCase { 100, false, 0, 0 }, ContractedCheckCase { 100, false, -630, 0 }));

TEST(PreliminaryCalculation, ContractedPowerKeepsTheRestOfTheRecord)
{
    TCProyect project(nullptr);
    workedExample(project);
    project.Selection().CalculatePreliminar();
    setContracted(project, 100);
    project.Selection().CalculatePreliminar();
    const TPreliminar& p = project.Selection().preliminar();
    EXPECT_EQ(p.QC, 100.0f);
    EXPECT_EQ(p.activo, 22000.0f);
    EXPECT_EQ(p.penalizacion, 180.0f);
    EXPECT_EQ(p.CPC, 0.0f);

    // PreliminarOut leaves the averages at 0 outside consumption mode.
    const TPreliminar out = project.Selection().PreliminarOut();
    EXPECT_EQ(out.average_active_power, 0.0f);
    EXPECT_EQ(out.saving_term_power, 0.0f);
}

TEST(PreliminaryCalculation, StoppedRunLeavesTheRecordAsItWas)
{
    TCProyect project(nullptr);
    project.setBatteryType(TBatteryType::battery);
    workedExample(project);
    project.Selection().CalculatePreliminar();

    project.ConsumptionList().setPowerfactor(0.8f);
    EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, 280));
    setContracted(project, -1);
    EXPECT_TRUE(raisesMessage([&] { project.Selection().CalculatePreliminar(); }, 482));
    EXPECT_TRUE(showsDigits(project.Selection().preliminar().QC, "18.8526"));
    EXPECT_EQ(project.Selection().preliminar().factor_deseado, 0.95f);
}
