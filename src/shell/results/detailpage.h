#pragma once

#include "priceprompts.h"

#include <QWidget>

class ButtonEdit;
class IDialogService;
class LabelledField;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TBattery;
class TCProyect;

// The equipment detail page: one candidate with its cable and the current
// transformer, and the four prompts that correct the candidate's price, the
// transformer's price and the cable's price and length.
class DetailPage : public QWidget {
    Q_OBJECT
public:
    // `project` and `dialogs` must outlive the page.
    DetailPage(TCProyect& project, IDialogService& dialogs, QWidget* parent = nullptr);

    // Fills the page for `Battery` and makes it the active candidate.
    void ShowBatteryDetail(TBattery& Battery);
    // The candidate printing reports on; null until a candidate is shown
    // and after the view is reset.
    TBattery* ActiveBattery() const { return FActiveBattery; }
    void resetActiveBattery() { FActiveBattery = nullptr; }

    void BatteryPriceButtonClick();
    void TransformerPriceButtonClick();
    void ConductorPriceButtonClick();
    void ConductorLengthButtonClick();

    QLabel* LabelDetails = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* ImageDetails = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QPlainTextEdit* MemoDetails = nullptr;
    QLineEdit* BatteryCodeEdit = nullptr;
    QLabel* LabelPowerBattery = nullptr;
    QLineEdit* BatteryPowerEdit = nullptr;
    QLineEdit* BatteryVoltEdit = nullptr;
    QLineEdit* BatteryCountEdit = nullptr;
    ButtonEdit* BatteryPriceEdit = nullptr;
    QToolButton* BatteryPriceButton = nullptr;

    QGroupBox* TransformerGroupBox = nullptr;
    LabelledField* Label29 = nullptr;
    LabelledField* Label30 = nullptr;
    LabelledField* Label31 = nullptr;
    QLabel* LabelTransformInclude = nullptr;
    QLineEdit* TransformerAEdit = nullptr;
    QLineEdit* TransformerCountEdit = nullptr;
    ButtonEdit* TransformerPriceEdit = nullptr;
    QToolButton* TransformerPriceButton = nullptr;

    QGroupBox* GroupBox5 = nullptr;
    QLineEdit* ConductorICalculadaEdit = nullptr;
    QLineEdit* ConductorGaugeEdit = nullptr;
    QLineEdit* ConductorCurrentEdit = nullptr;
    ButtonEdit* ConductorLengthEdit = nullptr;
    QToolButton* ConductorLengthButton = nullptr;
    QLineEdit* ConductorCountEdit = nullptr;
    ButtonEdit* ConductorPriceEdit = nullptr;
    QToolButton* ConductorPriceButton = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;

signals:
    // A prompt's answer was stored into the selection's records.
    void valueStored(PriceField field);

private:
    void buildEquipmentArea(QWidget* parent);
    void buildTransformerGroup(QWidget* parent);
    void buildConductorGroup(QWidget* parent);
    // Opens the prompt with the active candidate as its context; on a
    // stored answer refreshes `edit` and reports it.
    void askFor(PriceField field, QLineEdit* edit);

    TCProyect& m_project;
    IDialogService& m_dialogs;
    TBattery* FActiveBattery = nullptr; // not owned
};
