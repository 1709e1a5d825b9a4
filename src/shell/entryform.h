#pragma once

#include <QDialog>

class NumberBox;
class QLineEdit;
class QPushButton;
class TConsumption;

// The billing-period dialog: edits the period name and the eight whole-number
// fields of one TConsumption. Caption "Editar consumo", 680 × 304, fixed.
class TEntryForm : public QDialog {
    Q_OBJECT
public:
    // The period is not owned; it is written only by StoreConsumption.
    explicit TEntryForm(TConsumption& consumption, QWidget* parent = nullptr);

    void StoreConsumption();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void LoadConsumption();

    TConsumption& FConsumption;
    QLineEdit* PeriodEdit = nullptr;
    NumberBox* YearEdit = nullptr;
    NumberBox* kwhtEdit = nullptr;
    NumberBox* kvarhEdit = nullptr;
    NumberBox* PeakDemandEdit = nullptr;
    NumberBox* InputTransformerEdit = nullptr;
    NumberBox* ReactiveSurchargeEdit = nullptr;
    NumberBox* CostPowerTermEdit = nullptr;
    NumberBox* CostActiveTermEdit = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

// Shows the dialog for `Consumption`; true when confirmed with "Aceptar",
// the period then holding the dialog's values; false leaves it untouched.
bool EditConsumption(TConsumption& Consumption, QWidget* parent = nullptr);
