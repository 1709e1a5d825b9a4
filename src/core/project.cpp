#include "project.h"

#include "selection.h"

TCProyect::TCProyect(IDbDataModule* ADataModuleInt)
    : FLanguage(TAppLanguage::es),
      FConsumptionList(std::make_unique<TConsumptionList>()),
      FDataModuleInt(ADataModuleInt)
{
    FSelection = std::make_unique<TSelection>(this);
    resetProject();
}

// The selection goes first, then the periods.
TCProyect::~TCProyect()
{
    FSelection.reset();
    FConsumptionList.reset();
}

QString TCProyect::LanguageCode() const
{
    return FLanguage == TAppLanguage::es ? QStringLiteral("es") : QStringLiteral("en");
}

void TCProyect::Reset()
{
    resetProject();
}

// Language, the catalogue and the identity of the list and the selection
// survive a reset.
void TCProyect::resetProject()
{
    FBusinessName.clear();
    FPlace.clear();
    FDistribution.clear();
    FState.clear();
    FTelephone.clear();
    FAddress.clear();
    FUserName.clear();
    FBatteryType = TBatteryType::ferimont;
    FCalculationType = TCalculationType::consumption;
    FTemperature = TTemperature::less_than_35;
    FVoltage = TVoltage::v400;
    FFrequency = TFrequency::f50Hz;
    FHarmonics = false;
    FMaximumPower = 0;
    FHasInputTransformer = false;
    FInputTransformer = 0;
    FConsumptionList->Reset();
    FSelection->Clear();
}
