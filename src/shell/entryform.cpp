#include "entryform.h"

#include "consumption.h"
#include "statictexts.h"
#include "widgets/numberbox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <limits>

namespace {

// The boxes of the energies, the demand, the rating and the amounts; unlike
// the year, they carry no step buttons.
NumberBox* fieldBox(QWidget* parent, const char* name)
{
    auto* box = new NumberBox(name, 0, NumberBox::FieldMaximum, parent);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

// A label above its input, as one cell of the dialog's grid.
QWidget* labelled(QWidget* parent, const char* text, QWidget* input)
{
    auto* cell = new QWidget(parent);
    auto* layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto* label = new QLabel(QString::fromUtf8(text), cell);
    label->setBuddy(input);
    input->setParent(cell);
    layout->addWidget(label);
    layout->addWidget(input);
    return cell;
}

} // namespace

TEntryForm::TEntryForm(TConsumption& consumption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , FConsumption(consumption)
{
    setObjectName(QStringLiteral("EntryForm"));
    setWindowTitle(QStringLiteral("Editar consumo"));
    setFixedSize(680, 304);
    setModal(true);

    PeriodEdit = new QLineEdit(this);
    PeriodEdit->setObjectName(QStringLiteral("PeriodEdit"));
    PeriodEdit->setMaxLength(std::numeric_limits<int>::max()); // no limit, not Qt's 32767
    YearEdit = new NumberBox("YearEdit", 2000, 2050, this);
    YearEdit->setSingleStep(1);
    kwhtEdit = fieldBox(this, "kwhtEdit");
    kvarhEdit = fieldBox(this, "kvarhEdit");
    PeakDemandEdit = fieldBox(this, "PeakDemandEdit");
    InputTransformerEdit = fieldBox(this, "InputTransformerEdit");
    ReactiveSurchargeEdit = fieldBox(this, "ReactiveSurchargeEdit");
    CostPowerTermEdit = fieldBox(this, "CostPowerTermEdit");
    CostActiveTermEdit = fieldBox(this, "CostActiveTermEdit");

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(24);
    fields->setVerticalSpacing(8);
    fields->addWidget(labelled(this, "Mes/Bimestre", PeriodEdit), 0, 0);
    fields->addWidget(labelled(this, "Año", YearEdit), 0, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    fields->addWidget(line, 1, 0, 1, 2);
    fields->addWidget(labelled(this, "kWh totales", kwhtEdit), 2, 0);
    fields->addWidget(labelled(this, "kVArh totales", kvarhEdit), 3, 0);
    fields->addWidget(labelled(this, "Max. demanda (kW)", PeakDemandEdit), 4, 0);
    fields->addWidget(labelled(this, "Transformador de entrada (kVA)", InputTransformerEdit), 5, 0);
    fields->addWidget(labelled(this, "Recargo por reactiva (€)", ReactiveSurchargeEdit), 2, 1);
    fields->addWidget(labelled(this, "Importe término de potencia (€)", CostPowerTermEdit), 3, 1);
    fields->addWidget(labelled(this, "Importe término de activa (€)", CostActiveTermEdit), 4, 1);
    fields->setColumnStretch(0, 1);
    fields->setColumnStretch(1, 1);

    AddButton = new QPushButton(QStringLiteral("Aceptar"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    AddButton->setDefault(true);
    AddButton->setAutoDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancelar"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(AddButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(AddButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    translateStaticTexts(this);
}

void TEntryForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEntryForm::done(int result)
{
    // A number still being typed when the dialog is confirmed counts.
    if (result == QDialog::Accepted)
        commitTypedNumber(this);
    QDialog::done(result);
}

void TEntryForm::FormShow()
{
    LoadConsumption();
    PeriodEdit->setFocus();
    PeriodEdit->selectAll();
}

void TEntryForm::LoadConsumption()
{
    PeriodEdit->setText(FConsumption.Period());
    // Out-of-range values (a year 1999 or a negative amount read from a file)
    // are shown at the nearer limit, as the boxes bring them.
    YearEdit->setValue(FConsumption.Year());
    kwhtEdit->setValue(FConsumption.kwht());
    kvarhEdit->setValue(FConsumption.kvarh());
    PeakDemandEdit->setValue(FConsumption.PeakDemand());
    InputTransformerEdit->setValue(FConsumption.InputTransformer());
    ReactiveSurchargeEdit->setValue(FConsumption.ReactiveSurcharge());
    CostPowerTermEdit->setValue(FConsumption.CostPowerTerm());
    CostActiveTermEdit->setValue(FConsumption.CostActiveTerm());
}

void TEntryForm::StoreConsumption()
{
    // Whole-number boxes hold integers already: nothing to round.
    FConsumption.setPeriod(PeriodEdit->text());
    FConsumption.setYear(YearEdit->value());
    FConsumption.setKwht(kwhtEdit->value());
    FConsumption.setKvarh(kvarhEdit->value());
    FConsumption.setPeakDemand(PeakDemandEdit->value());
    FConsumption.setInputTransformer(InputTransformerEdit->value());
    FConsumption.setReactiveSurcharge(ReactiveSurchargeEdit->value());
    FConsumption.setCostPowerTerm(CostPowerTermEdit->value());
    FConsumption.setCostActiveTerm(CostActiveTermEdit->value());
}

bool EditConsumption(TConsumption& Consumption, QWidget* parent)
{
    TEntryForm form(Consumption, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    form.StoreConsumption();
    return true;
}
