#include "batterylistmodel.h"

#include "equipment.h"
#include "numberformat.h"
#include "translation.h"

#include <QScopeGuard>

namespace {

// A translated label followed by ": " and its value.
QString labelled(const char* label, const QString& value)
{
    return TranslateText(QString::fromUtf8(label)) + QStringLiteral(": ") + value;
}

} // namespace

BatteryListModel::BatteryListModel(QObject* parent) : QAbstractListModel(parent) {}

void BatteryListModel::fill(TBatteryList& list, TBatteryType productLine)
{
    beginResetModel();
    // The reset is ended however the fill ends, so views never stay frozen.
    const auto endReset = qScopeGuard([this] { endResetModel(); });
    m_items.clear();
    const char* powerLabel = productLine == TBatteryType::battery ? "Potencia (kVAr)" : "Potencia (kW)";
    for (TBattery& candidate : list) {
        Item item;
        item.battery = &candidate;
        item.text1 = candidate.BTypeName();
        item.text9 = labelled("Código", candidate.Code());
        item.text10 = TranslateText(QStringLiteral("Ver detalles"));
        // "%2.15g" of the float widened to double.
        item.text4 = labelled(powerLabel, NumberFormat::general(static_cast<double>(candidate.Power())));
        item.text5 = labelled("Tensión (Voltios)", QString::number(candidate.Volt()));
        item.text8 = labelled("Escalones", candidate.Steps());
        item.text6 = labelled("Dimensiones", candidate.Dim());
        m_items.push_back(std::move(item));
    }
}

void BatteryListModel::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

TBattery* BatteryListModel::battery(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[static_cast<std::size_t>(row)].battery;
}

int BatteryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

QVariant BatteryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_items.size()))
        return {};
    const Item& item = m_items[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Text1Role:
        return item.text1;
    case Qt::DecorationRole:
        // QImage is implicitly shared: this hands out the candidate's own
        // picture data, no copy of the pixels.
        return item.battery->Image();
    case BatteryRole:
        return QVariant::fromValue(static_cast<void*>(item.battery));
    case Text9Role:
        return item.text9;
    case Text10Role:
        return item.text10;
    case Text4Role:
        return item.text4;
    case Text5Role:
        return item.text5;
    case Text8Role:
        return item.text8;
    case Text6Role:
        return item.text6;
    default:
        return {};
    }
}
