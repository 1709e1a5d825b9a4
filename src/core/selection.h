#pragma once

#include "equipment.h"
#include "preliminary.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class CatalogueRowSet;
class IDbDataModule;
class TCProyect;

// The catalogue voltages accepted for the project's voltage.
using TVoltsArray = std::vector<std::int32_t>;
inline bool VoltIn(std::int32_t volt, const TVoltsArray& volts)
{
    return std::find(volts.begin(), volts.end(), volt) != volts.end();
}

// What the bank searches weigh of one row of a bank table.
struct WeighedBankRow {
    QString type; // series code
    float power = 0.0f;
    std::int32_t volt = 0;
    bool harmonic = false;
    bool transform = false;
};
// The rows of a bank table, in table order.
using BankRows = std::vector<WeighedBankRow>;

// The selection engine of a project and the results of its last run: the
// candidate banks, the current transformer of plain banks and the
// preliminary figures.
class TSelection {
public:
    explicit TSelection(TCProyect* ACProyect);
    ~TSelection();

    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

    // Drops the candidates and the current transformer; the preliminary
    // figures stay.
    void Clear();

    // Runs a whole calculation for the project. Every failure is an
    // exception: ESelectionInfoException, ESelectionErrorException, or a
    // catalogue failure passed on unchanged.
    void Execute();

    // The preliminary figures with the yearly and average values filled in.
    TPreliminar PreliminarOut() const;

    // "Ferimont", "Lumarest" or "Baterías".
    QString EquipmentLabel() const;

    TBatteryList& BatteryList() { return *FBatteryList; }
    const TBatteryList& BatteryList() const { return *FBatteryList; }
    TTransformer* Transformer() const { return FTransformer.get(); }
    void setTransformer(std::unique_ptr<TTransformer> value) { FTransformer = std::move(value); }

    TCProyect& project() const { return *FCProyect; }

    // The steps of a run, public so that each can be exercised on its own.
    void CalculatePreliminar();
    void CheckConsumption();
    void CalculateConsumptionQC();
    void CheckContractedPower();
    void CalculateContractedQC();
    void ClearPreliminar();
    void CalculatePreliminarData(std::int32_t hours);

    TVoltsArray GetVolts() const;
    TBattery* FindBattery(const QString& seriesCode) const;
    void CalculateBatteryList(CatalogueRowSet& ADataSet);
    void CalculateTransformBattery(CatalogueRowSet& ADataSet);
    void CalculateBatteryFerimontList(CatalogueRowSet& ADataSet);

    std::int32_t NominalVolt() const;
    float MaxCurrent(CatalogueRowSet& ADataSet) const;
    void CalculateTransformer(CatalogueRowSet& ADataSet);
    void CalculateConductors(CatalogueRowSet& ADataSet);

    // The preliminary figures as the last run left them, not annualised
    // (PreliminarOut gives the figures the results page shows).
    const TPreliminar& preliminar() const { return FPreliminar; }

private:
    // The transformer's own bank, from rows already read.
    void appendTransformBanks(CatalogueRowSet& ADataSet, const BankColumns& columns, const BankRows& rows);

    // The project's catalogue; raises ECatalogueError when none is open.
    IDbDataModule& catalogue() const;

    std::unique_ptr<TBatteryList> FBatteryList;
    std::unique_ptr<TTransformer> FTransformer;
    TPreliminar FPreliminar;
    TCProyect* FCProyect = nullptr; // not owned
};
