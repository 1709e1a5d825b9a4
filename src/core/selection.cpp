#include "selection.h"

#include "catalogue.h"
#include "exceptions.h"
#include "project.h"

TSelection::TSelection(TCProyect* ACProyect)
    : FBatteryList(std::make_unique<TBatteryList>())
    , FCProyect(ACProyect)
{
}

// The transformer goes before the candidates.
TSelection::~TSelection()
{
    FTransformer.reset();
    FBatteryList.reset();
}

void TSelection::Clear()
{
    FTransformer.reset();
    FBatteryList->Clear();
}

QString TSelection::EquipmentLabel() const
{
    switch (FCProyect->BatteryType()) {
    case TBatteryType::ferimont:
        return QStringLiteral("Ferimont");
    case TBatteryType::lumarest:
        return QStringLiteral("Lumarest");
    case TBatteryType::battery:
        return QStringLiteral("Baterías");
    }
    return QString();
}

IDbDataModule& TSelection::catalogue() const
{
    IDbDataModule* catalogue = FCProyect->DataModule();
    if (!catalogue)
        throw ECatalogueError(QStringLiteral("No hay catálogo abierto."));
    return *catalogue;
}

void TSelection::Execute()
{
    Clear();

    // Plain banks cannot be offered at 50 Hz with harmonics: such a project
    // becomes a Ferimont project, and stays one even if this run fails.
    TCProyect& project = *FCProyect;
    if (project.BatteryType() == TBatteryType::battery && project.Frequency() == TFrequency::f50Hz
        && project.Harmonics())
        project.setBatteryType(TBatteryType::ferimont);

    CalculatePreliminar();

    switch (project.BatteryType()) {
    case TBatteryType::ferimont:
        CalculateBatteryFerimontList(catalogue().GetBbfTable());
        break;
    case TBatteryType::lumarest:
        CalculateBatteryFerimontList(catalogue().GetBbeTable());
        break;
    case TBatteryType::battery:
        if (project.Temperature() == TTemperature::greater_than_35)
            SelectionMessages::raise(SelectionMessages::TemperatureAbove35);
        if (project.Temperature() != TTemperature::less_than_35)
            SelectionMessages::raise(SelectionMessages::NoEquipment);
        CalculateBatteryList(
            project.Frequency() == TFrequency::f50Hz ? catalogue().GetBbTable() : catalogue().GetBb6Table());
        if (!FBatteryList->isEmpty())
            CalculateTransformer(catalogue().GetTransTable());
        break;
    }

    if (FBatteryList->isEmpty())
        SelectionMessages::raise(SelectionMessages::NoEquipment);

    CalculateConductors(catalogue().GetCondTable());
}
