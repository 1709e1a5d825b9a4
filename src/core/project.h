#pragma once

#include "consumption.h"
#include "enumerations.h"

#include <QString>

#include <cstdint>
#include <memory>

class IDbDataModule;
class TSelection;

// The in-memory model of one customer study: customer, supply, equipment to
// size and its inputs. Owns its billing periods and its selection engine.
// There is one project for the life of the main window; a new project is a
// Reset of it.
class TCProyect {
public:
    // Builds the project and leaves it in its reset state. A descendant's
    // Reset cannot run from here; descendants finish their own part in
    // their constructors.
    explicit TCProyect(IDbDataModule* ADataModuleInt);
    virtual ~TCProyect();

    TCProyect(const TCProyect&) = delete;
    TCProyect& operator=(const TCProyect&) = delete;

    virtual void Reset();

    TAppLanguage Language() const { return FLanguage; }
    void setLanguage(TAppLanguage value) { FLanguage = value; }
    // "es" for Spanish, "en" for anything else.
    QString LanguageCode() const;

    const QString& BusinessName() const { return FBusinessName; }
    void setBusinessName(const QString& value) { FBusinessName = value; }
    const QString& UserName() const { return FUserName; }
    void setUserName(const QString& value) { FUserName = value; }
    const QString& Address() const { return FAddress; }
    void setAddress(const QString& value) { FAddress = value; }
    const QString& State() const { return FState; }
    void setState(const QString& value) { FState = value; }
    const QString& Place() const { return FPlace; }
    void setPlace(const QString& value) { FPlace = value; }
    const QString& Telephone() const { return FTelephone; }
    void setTelephone(const QString& value) { FTelephone = value; }
    const QString& Distribution() const { return FDistribution; }
    void setDistribution(const QString& value) { FDistribution = value; }

    TCalculationType CalculationType() const { return FCalculationType; }
    void setCalculationType(TCalculationType value) { FCalculationType = value; }
    TBatteryType BatteryType() const { return FBatteryType; }
    void setBatteryType(TBatteryType value) { FBatteryType = value; }
    TTemperature Temperature() const { return FTemperature; }
    void setTemperature(TTemperature value) { FTemperature = value; }
    TVoltage Voltage() const { return FVoltage; }
    void setVoltage(TVoltage value) { FVoltage = value; }
    TFrequency Frequency() const { return FFrequency; }
    void setFrequency(TFrequency value) { FFrequency = value; }
    bool Harmonics() const { return FHarmonics; }
    void setHarmonics(bool value) { FHarmonics = value; }
    std::int32_t MaximumPower() const { return FMaximumPower; }
    void setMaximumPower(std::int32_t value) { FMaximumPower = value; }
    bool HasInputTransformer() const { return FHasInputTransformer; }
    void setHasInputTransformer(bool value) { FHasInputTransformer = value; }
    std::int32_t InputTransformer() const { return FInputTransformer; }
    void setInputTransformer(std::int32_t value) { FInputTransformer = value; }

    TConsumptionList& ConsumptionList() { return *FConsumptionList; }
    const TConsumptionList& ConsumptionList() const { return *FConsumptionList; }
    TSelection& Selection() { return *FSelection; }
    const TSelection& Selection() const { return *FSelection; }

    // The catalogue the selection reads; may be null when the catalogue could
    // not be opened at start-up.
    IDbDataModule* DataModule() const { return FDataModuleInt; }

private:
    void resetProject();

    TAppLanguage FLanguage = TAppLanguage::es;
    QString FBusinessName;
    QString FPlace;
    QString FDistribution;
    QString FState;
    QString FTelephone;
    QString FAddress;
    QString FUserName;
    TBatteryType FBatteryType = TBatteryType::ferimont;
    TCalculationType FCalculationType = TCalculationType::consumption;
    TTemperature FTemperature = TTemperature::less_than_35;
    TVoltage FVoltage = TVoltage::v400;
    TFrequency FFrequency = TFrequency::f50Hz;
    bool FHarmonics = false;
    std::int32_t FInputTransformer = 0;
    std::int32_t FMaximumPower = 0;
    bool FHasInputTransformer = false;
    std::unique_ptr<TConsumptionList> FConsumptionList;
    std::unique_ptr<TSelection> FSelection;
    IDbDataModule* FDataModuleInt = nullptr;
};
