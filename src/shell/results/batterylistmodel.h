#pragma once

#include "enumerations.h"

#include <QAbstractListModel>
#include <QString>

#include <vector>

class TBattery;
class TBatteryList;

// The candidate list of the results page. Each row keeps a reference to its
// candidate and the texts of its item, set when the list is filled; the
// pictures stay the candidates' own and are handed out shared.
class BatteryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The item's named texts, as the delegate paints them.
    enum Role {
        BatteryRole = Qt::UserRole + 1, // TBattery*, the item's candidate
        Text1Role,                      // series name and code
        Text9Role,                      // "Código: …"
        Text10Role,                     // "Ver detalles"
        Text4Role,                      // "Potencia (kVAr): …"
        Text5Role,                      // "Tensión (Voltios): …"
        Text8Role,                      // "Escalones: …"
        Text6Role,                      // "Dimensiones: …"
    };

    explicit BatteryListModel(QObject* parent = nullptr);

    // Rebuilds every row from `list` in one reset, so that views lay out
    // once. The power label follows `productLine` as it is now. The model
    // refers to the candidates: refill it whenever they are replaced.
    void fill(TBatteryList& list, TBatteryType productLine);
    void clear();

    TBattery* battery(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Item {
        TBattery* battery = nullptr;
        QString text1, text9, text10, text4, text5, text8, text6;
    };
    std::vector<Item> m_items;
};
