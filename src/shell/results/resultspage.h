#pragma once

#include "equipment.h"

#include <QIcon>
#include <QString>
#include <QWidget>

class BatteryListModel;
class ConsumptionChart;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QStackedWidget;
class TCProyect;

// The results page: the preliminary figures of the service, the chart of
// the billing periods and the list of candidates. Nothing on it can be
// edited; it shows what the last fill put there. A click on a candidate
// asks for its detail page.
class ResultsPage : public QWidget {
    Q_OBJECT
public:
    // In contracted-power mode the preliminary panel copies the data page's
    // controls as they stand, not the project.
    struct DataPageInputs {
        QString maximumPowerText;
        bool hasInputTransformer = false;
        QString inputTransformerText;
    };

    // `project` is the document the page shows; it must outlive the page.
    explicit ResultsPage(TCProyect& project, QWidget* parent = nullptr);
    ~ResultsPage() override;

    // The yes and no marks of the main window's picture list.
    void setMarks(const QIcon& markYes, const QIcon& markNo);

    void ShowPreliminar(const DataPageInputs& inputs);
    void ShowConsumptionChart();
    void ShowBatteryList();

    BatteryListModel* batteryListModel() const { return m_model; }

    QLabel* Label10 = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QListView* BatteryListView = nullptr;
    QStackedWidget* PreliminarTabControl = nullptr;
    QWidget* PreliminarConsumptionTabItem = nullptr;
    QWidget* PreliminarPowerTabItem = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* paverage_active_power_edit = nullptr;
    QLineEdit* paverage_reactive_power_edit = nullptr;
    QLineEdit* pmdr_Edit = nullptr;
    QLineEdit* pfactor_edit = nullptr;
    QLineEdit* pfactordeseado_edit = nullptr;
    QLineEdit* pPenalizacionEdit = nullptr;
    QLineEdit* psaving_term_active_powerEdit = nullptr;
    QLineEdit* psaving_term_powerEdit = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QLineEdit* MaximumPowerEdit_2 = nullptr;
    QLabel* ExistInputTransformerMark = nullptr;
    QLabel* Label41 = nullptr;
    QLineEdit* InputTransformerEdit_2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    // Also drawn into the printed report, as it stands.
    ConsumptionChart* Chart1 = nullptr;
    QLabel* LabelPreliminarChart = nullptr;

signals:
    // A click anywhere on a candidate's item.
    void batteryClicked(TBattery* battery);

private:
    void BatteryListViewItemClickEx(int index);
    QWidget* buildConsumptionPanel();
    QWidget* buildPowerPanel();

    TCProyect& m_project; // its candidates are handed out for editing
    BatteryListModel* m_model = nullptr;
    QIcon m_markYes;
    QIcon m_markNo;
};
