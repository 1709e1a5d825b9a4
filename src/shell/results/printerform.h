#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>

class IPrinterService;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// Where the report goes.
enum class TPrintChoice : std::uint8_t { to_printer, to_file, cancelled };

// The printer chosen in the dialog; its title is the printer's name.
struct TPrinterDevice {
    QString Title;
};

// The print-destination dialog: one of the installed printers, or a PDF
// file. The printer list is read afresh every time the dialog is created.
class TPrinterForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrinterForm(IPrinterService& printers, QWidget* parent = nullptr);

    // The destination the dialog's state stands for after `result`; fills
    // `Device` only for to_printer.
    TPrintChoice choice(int result, TPrinterDevice& Device) const;

    QRadioButton* RadioButtonPrinter = nullptr;
    QComboBox* PrintersComboBox = nullptr;
    QRadioButton* RadioButtonPDF = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void PrintersComboBoxClick();
    void ComboBox1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    IPrinterService& m_printers;
    QStringList m_titles;
    QGroupBox* GroupBox1 = nullptr;
};

// Shows the dialog modally and returns the destination chosen; `Device` is
// set only with to_printer, and then always to one of the listed printers.
TPrintChoice ShowPrinterForm(TPrinterDevice& Device, IPrinterService& printers, QWidget* parent = nullptr);
