#include "selection.h"

#include "project.h"

TSelection::TSelection(TCProyect* ACProyect)
    : FBatteryList(std::make_unique<TBatteryList>()), FCProyect(ACProyect)
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
