#include "printerform.h"

#include "printerservice.h"
#include "statictexts.h"
#include "translation.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

TPrinterForm::TPrinterForm(IPrinterService& printers, QWidget* parent) : QDialog(parent), m_printers(printers)
{
    setObjectName(QStringLiteral("PrinterForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(465, 240);

    GroupBox1 = new QGroupBox(QStringLiteral("Seleccionar "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 7, 449, 177);

    RadioButtonPrinter = new QRadioButton(QStringLiteral("Impresora"), GroupBox1);
    RadioButtonPrinter->setObjectName(QStringLiteral("RadioButtonPrinter"));
    RadioButtonPrinter->move(16, 32);
    RadioButtonPrinter->adjustSize();
    RadioButtonPrinter->setChecked(true);

    PrintersComboBox = new QComboBox(GroupBox1);
    PrintersComboBox->setObjectName(QStringLiteral("PrintersComboBox"));
    PrintersComboBox->setGeometry(40, 56, 385, 32);

    RadioButtonPDF = new QRadioButton(QStringLiteral("Guardar a archivo"), GroupBox1);
    RadioButtonPDF->setObjectName(QStringLiteral("RadioButtonPDF"));
    RadioButtonPDF->move(16, 104);
    RadioButtonPDF->adjustSize();

    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(40, 128, 385, 32);
    ComboBox1->addItem(QStringLiteral("Adobe PDF"));
    ComboBox1->setCurrentIndex(0);

    auto* group = new QButtonGroup(this);
    group->addButton(RadioButtonPrinter);
    group->addButton(RadioButtonPDF);

    AddButton = new QPushButton(QStringLiteral("Aceptar"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    AddButton->setGeometry(286, 207, 80, 26);
    AddButton->setDefault(true);
    connect(AddButton, &QPushButton::clicked, this, &QDialog::accept);

    CancelButton = new QPushButton(QStringLiteral("Cancelar"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(374, 207, 80, 26);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Opening a list, by mouse or by choosing from it, picks its destination.
    PrintersComboBox->installEventFilter(this);
    ComboBox1->installEventFilter(this);
    connect(PrintersComboBox, &QComboBox::activated, this, &TPrinterForm::PrintersComboBoxClick);
    connect(ComboBox1, &QComboBox::activated, this, &TPrinterForm::ComboBox1Click);

    // Before the printers' names join the list: they are no static texts.
    translateStaticTexts(this);
    FormCreate();
}

void TPrinterForm::FormCreate()
{
    setWindowTitle(TranslateText(QStringLiteral("Imprimir")));

    m_printers.refresh();
    m_titles = m_printers.printerTitles();
    const bool any = !m_titles.isEmpty();
    RadioButtonPrinter->setEnabled(any);
    PrintersComboBox->setEnabled(any);
    PrintersComboBox->addItems(m_titles);

    if (!any) {
        RadioButtonPDF->setChecked(true);
        return;
    }
    // With no default printer the first one is preselected, so the printer
    // option always has a printer behind it.
    const int preferred = m_printers.defaultPrinterIndex();
    PrintersComboBox->setCurrentIndex(preferred >= 0 && preferred < m_titles.size() ? preferred : 0);
    RadioButtonPrinter->setChecked(true);
}

void TPrinterForm::PrintersComboBoxClick()
{
    if (RadioButtonPrinter->isEnabled())
        RadioButtonPrinter->setChecked(true);
}

void TPrinterForm::ComboBox1Click()
{
    RadioButtonPDF->setChecked(true);
}

bool TPrinterForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == PrintersComboBox)
            PrintersComboBoxClick();
        else if (watched == ComboBox1)
            ComboBox1Click();
    }
    return QDialog::eventFilter(watched, event);
}

TPrintChoice TPrinterForm::choice(int result, TPrinterDevice& Device) const
{
    if (result != QDialog::Accepted)
        return TPrintChoice::cancelled;
    if (RadioButtonPDF->isChecked())
        return TPrintChoice::to_file;
    const int index = PrintersComboBox->currentIndex();
    if (!RadioButtonPrinter->isChecked() || index < 0 || index >= m_titles.size())
        return TPrintChoice::cancelled;
    Device.Title = m_titles.at(index);
    return TPrintChoice::to_printer;
}

TPrintChoice ShowPrinterForm(TPrinterDevice& Device, IPrinterService& printers, QWidget* parent)
{
    TPrinterForm form(printers, parent);
    const int result = form.exec();
    return form.choice(result, Device);
}
