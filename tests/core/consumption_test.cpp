#include "consumption.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

std::unique_ptr<TConsumption> period(std::int32_t activeTerm, std::int32_t powerTerm)
{
    auto c = std::make_unique<TConsumption>();
    c->setCostActiveTerm(activeTerm);
    c->setCostPowerTerm(powerTerm);
    return c;
}

} // namespace

TEST(ConsumptionList, NewPeriodIsJanuary2017AndZero)
{
    const TConsumption c;
    EXPECT_EQ(c.Period(), "Enero");
    EXPECT_EQ(c.Year(), 2017);
    EXPECT_EQ(c.kwht(), 0);
    EXPECT_EQ(c.kvarh(), 0);
    EXPECT_EQ(c.PeakDemand(), 0);
    EXPECT_EQ(c.InputTransformer(), 0);
    EXPECT_EQ(c.ReactiveSurcharge(), 0);
    EXPECT_EQ(c.CostPowerTerm(), 0);
    EXPECT_EQ(c.CostActiveTerm(), 0);
    EXPECT_EQ(c.Fmr2(), 0.0f);
}

struct SavingCase {
    TPeriodType type;
    float active;
    float power;
    std::int32_t realHours;
};

class YearlySavings : public ::testing::TestWithParam<SavingCase> {};

TEST_P(YearlySavings, AverageOverTheMonthsCovered)
{
    const SavingCase& tc = GetParam();
    TConsumptionList list;
    list.setPeriodType(tc.type);
    list.Add(period(100, 1000));
    list.Add(period(150, 500));
    EXPECT_FLOAT_EQ(list.AverageCostActiveTerm(), tc.active);
    EXPECT_FLOAT_EQ(list.AverageCostPowerTerm(), tc.power);
    EXPECT_EQ(list.RealHours(), tc.realHours);
}

INSTANTIATE_TEST_SUITE_P(PeriodTypes, YearlySavings,
                         ::testing::Values(SavingCase{TPeriodType::monthly, 120.0f, 270.0f, 300},
                                           SavingCase{TPeriodType::bimonthly, 60.0f, 135.0f, 600}));

TEST(ConsumptionList, EmptyListAveragesAreNotANumber)
{
    const TConsumptionList list;
    EXPECT_TRUE(std::isnan(list.AverageCostActiveTerm()));
    EXPECT_TRUE(std::isnan(list.AverageCostPowerTerm()));
}

TEST(ConsumptionList, RunningSumIsRoundedToFloatAfterEachAddition)
{
    // 16777216 + 1 is not a float: each partial sum falls back to 2^24, so
    // the sum of three periods is 2^24 + 0 + 0 rather than 2^24 + 2.
    TConsumptionList list;
    list.Add(period(16777216, 0));
    list.Add(period(1, 0));
    list.Add(period(1, 0));
    EXPECT_EQ(list.AverageCostActiveTerm(), static_cast<float>(16777216.0L / 3 * 12 * 0.08L));
}

TEST(ConsumptionList, HugeWorkHoursWrapInsteadOfOverflowing)
{
    TConsumptionList list;
    list.setWorkHours(2000000000);
    list.setPeriodType(TPeriodType::bimonthly);
    EXPECT_EQ(list.RealHours(), static_cast<std::int32_t>(4000000000LL - 4294967296LL));
}

TEST(ConsumptionList, RefusesANullPeriod)
{
    TConsumptionList list;
    list.Add(std::make_unique<TConsumption>()).setYear(2020);
    EXPECT_THROW(list.Add(nullptr), std::invalid_argument);
    // What Extract gives for a period the list does not hold is refused too.
    TConsumption stranger;
    EXPECT_THROW(list.Add(list.Extract(&stranger)), std::invalid_argument);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].Year(), 2020);
}

TEST(ConsumptionList, ResetDestroysAndExtractDetaches)
{
    TConsumptionList list;
    list.Add(std::make_unique<TConsumption>());
    TConsumption& second = list.Add(std::make_unique<TConsumption>());
    second.setYear(2020);
    std::unique_ptr<TConsumption> taken = list.Extract(&second);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->Year(), 2020);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Extract(taken.get()), nullptr);
    list.setPowerfactor(0.9f);
    list.Reset();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Powerfactor(), 1.0f);
    EXPECT_EQ(taken->Year(), 2020); // the extracted period survives
}
