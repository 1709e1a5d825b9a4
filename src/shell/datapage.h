#pragma once

#include <QWidget>

class DecimalBox;
class NumberBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QToolButton;
class TCProyect;
class TConsumptionList;
class ToggleSwitch;

// The data page: the customer's texts, the product line, the installation
// options, the calculation kind, and either the billing data (with the
// billing-period grid) or the contracted power. It is not bound live to the
// project: LoadProjectData copies the project into the controls, the two
// Store operations copy them back. The user's own edits are announced by
// the two signals, which the main window turns into the document's flags.
class DataPage : public QWidget {
    Q_OBJECT
public:
    explicit DataPage(QWidget* parent = nullptr);

    // Copies every input of the project into the controls, in an order that
    // lets the change handlers switch the panel and the options' enabling,
    // then refreshes the billing grid. Fires neither signal.
    void LoadProjectData(const TCProyect& project);
    void StoreCustomerData(TCProyect& project) const;
    // The customer texts, then every other input; both panels are stored
    // whatever the calculation kind.
    void StoreProjectData(TCProyect& project) const;
    void ShowConsumptionList(const TConsumptionList& list);
    void SetInstallationOptionsEnabled(bool Enabled);

    // The grid's selected row, -1 when none.
    int selectedConsumptionRow() const;

    // The contracted-power inputs as they stand, as the results page shows
    // them: the boxes' texts and the switch.
    QString maximumPowerText() const;
    bool hasInputTransformer() const;
    QString inputTransformerText() const;

    // The three buttons at the grid's right edge; the main window binds them
    // to its entry actions.
    QToolButton* entryAddButton() const { return m_addButton; }
    QToolButton* entryEditButton() const { return m_editButton; }
    QToolButton* entryDeleteButton() const { return m_deleteButton; }
    QTableWidget* consumptionGrid() const { return ConsumptionListGrid; }
    // The first customer text, where the keyboard starts.
    QLineEdit* businessNameEdit() const { return BusinessNameEdit; }

signals:
    // Typing in a customer edit.
    void customerTextEdited();
    // A click on a radio button or switch, a user's change of a number box.
    void calculationInputChanged();
    // A double click on a grid row.
    void consumptionRowDoubleClicked(int row);
    void consumptionSelectionChanged();

private:
    void BatteryType_ferimontChange(bool checked);
    void BatteryType_lumarestChange(bool checked);
    void BatteryType_batteryChange(bool checked);
    void CalculationType_consumptionChange(bool checked);
    void CalculationType_contracted_powerChange(bool checked);

    QWidget* buildCustomerBand();
    QWidget* buildOptionsBand();
    QWidget* buildCalculationTypeBand();
    QWidget* buildConsumptionPanel();
    QWidget* buildContractedPowerPanel();
    QRadioButton* radio(QWidget* parent, const char* name, const char* text);
    QLineEdit* customerEdit(const char* name);

    QLineEdit* BusinessNameEdit = nullptr;
    QLineEdit* UserNameEdit = nullptr;
    QLineEdit* AddressEdit = nullptr;
    QLineEdit* StateEdit = nullptr;
    QLineEdit* PlaceEdit = nullptr;
    QLineEdit* DistributionEdit = nullptr;
    QLineEdit* TelephoneEdit = nullptr;

    QGroupBox* BatteryTypeGroupBox = nullptr;
    QRadioButton* BatteryType_ferimont = nullptr;
    QRadioButton* BatteryType_lumarest = nullptr;
    QRadioButton* BatteryType_battery = nullptr;
    QGroupBox* TemperatureGroupBox = nullptr;
    QRadioButton* Temperature_less_than_35 = nullptr;
    QRadioButton* Temperature_more_than_35 = nullptr;
    QLabel* harmonicsLabel = nullptr;
    ToggleSwitch* harmonics = nullptr;
    QGroupBox* FrequencyGroupBox = nullptr;
    QRadioButton* Frequency_50hz = nullptr;
    QRadioButton* Frequency_60hz = nullptr;
    QGroupBox* VoltageGroupBox = nullptr;
    QRadioButton* Voltage_400 = nullptr;
    QRadioButton* Voltage_480 = nullptr;
    QRadioButton* Voltage_230 = nullptr;
    QRadioButton* CalculationType_consumption = nullptr;
    QRadioButton* CalculationType_contracted_power = nullptr;

    QStackedWidget* TabControlConsumption = nullptr;
    QWidget* CalculationType_consumption_tab = nullptr;
    QWidget* CalculationType_contracted_power_tab = nullptr;
    QGroupBox* ConsumptionList_PeriodTypeGroupBox = nullptr;
    QRadioButton* ConsumptionList_PeriodType_monthly = nullptr;
    QRadioButton* ConsumptionList_PeriodType_bimonthly = nullptr;
    NumberBox* ConsumptionList_WorkHours = nullptr;
    DecimalBox* ConsumptionList_Powerfactor = nullptr;
    QTableWidget* ConsumptionListGrid = nullptr;
    QToolButton* m_addButton = nullptr;
    QToolButton* m_editButton = nullptr;
    QToolButton* m_deleteButton = nullptr;

    NumberBox* MaximumPowerEdit = nullptr;
    ToggleSwitch* HasInputTransformer = nullptr;
    NumberBox* InputTransformerEdit = nullptr;
};
