#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

TEST(ProjectModel, NewProjectHoldsEveryDefault)
{
    TCProyect project(nullptr);
    EXPECT_EQ(project.Language(), TAppLanguage::es);
    EXPECT_EQ(project.LanguageCode(), "es");
    for (const QString* text : {&project.BusinessName(), &project.UserName(), &project.Address(), &project.State(),
                                &project.Place(), &project.Telephone(), &project.Distribution()})
        EXPECT_TRUE(text->isEmpty());
    EXPECT_EQ(project.BatteryType(), TBatteryType::ferimont);
    EXPECT_EQ(project.CalculationType(), TCalculationType::consumption);
    EXPECT_EQ(project.Temperature(), TTemperature::less_than_35);
    EXPECT_EQ(project.Voltage(), TVoltage::v400);
    EXPECT_EQ(project.Frequency(), TFrequency::f50Hz);
    EXPECT_FALSE(project.Harmonics());
    EXPECT_EQ(project.MaximumPower(), 0);
    EXPECT_FALSE(project.HasInputTransformer());
    EXPECT_EQ(project.InputTransformer(), 0);
    EXPECT_EQ(project.ConsumptionList().Count(), 0);
    EXPECT_EQ(project.ConsumptionList().WorkHours(), 300);
    EXPECT_EQ(project.ConsumptionList().Powerfactor(), 1.0f);
    EXPECT_EQ(project.ConsumptionList().PeriodType(), TPeriodType::monthly);
    EXPECT_TRUE(project.Selection().BatteryList().isEmpty());
    EXPECT_EQ(project.Selection().Transformer(), nullptr);
    EXPECT_EQ(&project.Selection().project(), &project);
}

TEST(ProjectModel, ResetRestoresDefaultsButKeepsLanguageAndObjects)
{
    TCProyect project(nullptr);
    project.setLanguage(TAppLanguage::en);
    project.setBusinessName("Acme");
    project.setPlace("Sevilla");
    project.setBatteryType(TBatteryType::battery);
    project.setCalculationType(TCalculationType::contracted_power);
    project.setTemperature(TTemperature::greater_than_35);
    project.setVoltage(TVoltage::v230);
    project.setFrequency(TFrequency::f60Hz);
    project.setHarmonics(true);
    project.setMaximumPower(-5);
    project.setHasInputTransformer(true);
    project.setInputTransformer(630);
    project.ConsumptionList().setWorkHours(0);
    project.ConsumptionList().setPeriodType(TPeriodType::bimonthly);
    project.ConsumptionList().Add(std::make_unique<TConsumption>());
    project.Selection().setTransformer(std::make_unique<TTransformer>());
    const TConsumptionList* list = &project.ConsumptionList();
    const TSelection* selection = &project.Selection();

    EXPECT_EQ(project.MaximumPower(), -5); // stored as given, refused only by a calculation

    project.Reset();
    EXPECT_EQ(project.Language(), TAppLanguage::en);
    EXPECT_EQ(project.LanguageCode(), "en");
    EXPECT_TRUE(project.BusinessName().isEmpty());
    EXPECT_TRUE(project.Place().isEmpty());
    EXPECT_EQ(project.BatteryType(), TBatteryType::ferimont);
    EXPECT_EQ(project.CalculationType(), TCalculationType::consumption);
    EXPECT_EQ(project.Temperature(), TTemperature::less_than_35);
    EXPECT_EQ(project.Voltage(), TVoltage::v400);
    EXPECT_EQ(project.Frequency(), TFrequency::f50Hz);
    EXPECT_FALSE(project.Harmonics());
    EXPECT_EQ(project.MaximumPower(), 0);
    EXPECT_FALSE(project.HasInputTransformer());
    EXPECT_EQ(project.InputTransformer(), 0);
    EXPECT_EQ(project.ConsumptionList().Count(), 0);
    EXPECT_EQ(project.ConsumptionList().WorkHours(), 300);
    EXPECT_EQ(project.ConsumptionList().PeriodType(), TPeriodType::monthly);
    EXPECT_EQ(project.Selection().Transformer(), nullptr);
    EXPECT_EQ(&project.ConsumptionList(), list);
    EXPECT_EQ(&project.Selection(), selection);
}

TEST(ProjectModel, EnumerationNamesInTheirFixedOrder)
{
    EXPECT_EQ(enumName(TBatteryType::battery), "battery");
    EXPECT_EQ(enumName(TCalculationType::contracted_power), "contracted_power");
    EXPECT_EQ(enumName(TTemperature::greater_than_35), "greater_than_35");
    EXPECT_EQ(enumName(TVoltage::v230), "v230");
    EXPECT_EQ(enumName(TFrequency::f60Hz), "f60Hz");
    EXPECT_EQ(enumName(TPeriodType::bimonthly), "bimonthly");
    EXPECT_EQ(enumName(TAppLanguage::en), "en");
    EXPECT_EQ(static_cast<int>(TVoltage::v480), 1);
    EXPECT_EQ(sizeof(TVoltage), 1u);
    EXPECT_EQ(enumFromCode<TVoltage>(2), TVoltage::v230);
    EXPECT_EQ(enumFromCode<TVoltage>(3), std::nullopt);
    EXPECT_EQ(enumFromCode<TVoltage>(-1), std::nullopt);
}
