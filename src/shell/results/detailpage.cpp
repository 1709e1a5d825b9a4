#include "detailpage.h"

#include "equipment.h"
#include "fieldwidgets.h"
#include "numberformat.h"
#include "project.h"
#include "selection.h"
#include "statictexts.h"
#include "translation.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A cable section as the catalogue names it: whole sections without
// decimals (35, not 35.00), the half sizes with theirs (1.5, 2.5), which a
// whole number would round to a cable that does not exist.
QString sectionText(float gauge)
{
    QString text = NumberFormat::twoDecimals(gauge);
    const QString separator = QLocale().decimalPoint();
    if (!text.contains(separator))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(separator))
        text.chop(separator.size());
    return text;
}

QLabel* makeNote(const QString& objectName, const char* text, QWidget* parent)
{
    auto* note = new QLabel(QString::fromUtf8(text), parent);
    note->setObjectName(objectName);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: crimson;"));
    return note;
}

} // namespace

DetailPage::DetailPage(TCProyect& project, IDialogService& dialogs, QWidget* parent)
    : QWidget(parent), m_project(project), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("DetailPage"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);

    LabelDetails = new QLabel(this);
    LabelDetails->setObjectName(QStringLiteral("LabelDetails"));
    styleAsTitle(LabelDetails, 16);
    page->addWidget(LabelDetails);

    buildEquipmentArea(this);
    page->addWidget(GroupBox3);
    buildTransformerGroup(this);
    page->addWidget(TransformerGroupBox);
    buildConductorGroup(this);
    page->addWidget(GroupBox5);
    page->addStretch(1);

    connect(BatteryPriceButton, &QToolButton::clicked, this, &DetailPage::BatteryPriceButtonClick);
    connect(TransformerPriceButton, &QToolButton::clicked, this, &DetailPage::TransformerPriceButtonClick);
    connect(ConductorPriceButton, &QToolButton::clicked, this, &DetailPage::ConductorPriceButtonClick);
    connect(ConductorLengthButton, &QToolButton::clicked, this, &DetailPage::ConductorLengthButtonClick);
    translateStaticTexts(this);
}

void DetailPage::buildEquipmentArea(QWidget* parent)
{
    GroupBox3 = new QGroupBox(QStringLiteral("Equipo a instalar"), parent);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    // Lower than the 334 the page was drawn with, so that the page with both
    // lower groups fits the window's client area.
    GroupBox3->setFixedHeight(300);
    auto* row = new QHBoxLayout(GroupBox3);

    ImageDetails = new QLabel(GroupBox3);
    ImageDetails->setObjectName(QStringLiteral("ImageDetails"));
    ImageDetails->setFixedWidth(300);
    ImageDetails->setAlignment(Qt::AlignCenter);
    row->addWidget(ImageDetails);

    auto* right = new QVBoxLayout;
    GroupBox4 = new QGroupBox(QStringLiteral("Características"), GroupBox3);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    GroupBox4->setFixedHeight(110);
    auto* grid = new QGridLayout(GroupBox4);
    grid->setVerticalSpacing(4);

    BatteryCodeEdit = makeReadOnlyEdit(QStringLiteral("BatteryCodeEdit"), GroupBox4);
    grid->addWidget(new LabelledField(QStringLiteral("BatteryCodeField"), QStringLiteral("Código"), BatteryCodeEdit), 0, 0);
    BatteryVoltEdit = makeReadOnlyEdit(QStringLiteral("BatteryVoltEdit"), GroupBox4);
    grid->addWidget(new LabelledField(QStringLiteral("BatteryVoltField"), QStringLiteral("Tensión (Voltios)"), BatteryVoltEdit),
                    0, 1);
    BatteryPriceEdit = new ButtonEdit(QStringLiteral("BatteryPriceEdit"), QStringLiteral("BatteryPriceButton"));
    BatteryPriceButton = BatteryPriceEdit->button();
    grid->addWidget(new LabelledField(QStringLiteral("BatteryPriceField"), QStringLiteral("Precio (€)"), BatteryPriceEdit), 0,
                    2);
    BatteryPowerEdit = makeReadOnlyEdit(QStringLiteral("BatteryPowerEdit"), GroupBox4);
    auto* powerField = new LabelledField(QStringLiteral("BatteryPowerField"), QString(), BatteryPowerEdit);
    LabelPowerBattery = powerField->label();
    LabelPowerBattery->setObjectName(QStringLiteral("LabelPowerBattery"));
    grid->addWidget(powerField, 1, 0);
    BatteryCountEdit = makeReadOnlyEdit(QStringLiteral("BatteryCountEdit"), GroupBox4);
    grid->addWidget(new LabelledField(QStringLiteral("BatteryCountField"), QStringLiteral("Cantidad"), BatteryCountEdit), 1, 1);
    right->addWidget(GroupBox4);

    MemoDetails = new QPlainTextEdit(GroupBox3);
    MemoDetails->setObjectName(QStringLiteral("MemoDetails"));
    MemoDetails->setReadOnly(true);
    MemoDetails->setFocusPolicy(Qt::NoFocus);
    MemoDetails->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    right->addWidget(MemoDetails, 1);
    row->addLayout(right, 1);
}

void DetailPage::buildTransformerGroup(QWidget* parent)
{
    TransformerGroupBox = new QGroupBox(QStringLiteral("Transformador de intensidad"), parent);
    TransformerGroupBox->setObjectName(QStringLiteral("TransformerGroupBox"));
    TransformerGroupBox->setFixedHeight(73);
    auto* row = new QHBoxLayout(TransformerGroupBox);
    row->setContentsMargins(9, 2, 9, 4);

    TransformerAEdit = makeReadOnlyEdit(QStringLiteral("TransformerAEdit"), TransformerGroupBox);
    Label29 = new LabelledField(QStringLiteral("Label29"), QStringLiteral("I1/I2"), TransformerAEdit, TransformerGroupBox);
    TransformerCountEdit = makeReadOnlyEdit(QStringLiteral("TransformerCountEdit"), TransformerGroupBox);
    Label30 = new LabelledField(QStringLiteral("Label30"), QStringLiteral("Cantidad"), TransformerCountEdit, TransformerGroupBox);
    TransformerPriceEdit = new ButtonEdit(QStringLiteral("TransformerPriceEdit"), QStringLiteral("TransformerPriceButton"));
    TransformerPriceButton = TransformerPriceEdit->button();
    Label31 = new LabelledField(QStringLiteral("Label31"), QStringLiteral("Precio (€)"), TransformerPriceEdit, TransformerGroupBox);
    // Shown at the ratio's place when the equipment includes its own.
    LabelTransformInclude = new QLabel(TransformerGroupBox);
    LabelTransformInclude->setObjectName(QStringLiteral("LabelTransformInclude"));
    LabelTransformInclude->hide();
    row->addWidget(LabelTransformInclude, 1);
    row->addWidget(Label29, 1);
    row->addWidget(Label30, 1);
    row->addWidget(Label31, 1);
}

void DetailPage::buildConductorGroup(QWidget* parent)
{
    GroupBox5 = new QGroupBox(QStringLiteral("Conductor"), parent);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    auto* column = new QVBoxLayout(GroupBox5);
    column->setContentsMargins(9, 2, 9, 4);
    column->setSpacing(2);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);

    ConductorICalculadaEdit = makeReadOnlyEdit(QStringLiteral("ConductorICalculadaEdit"), GroupBox5);
    grid->addWidget(new LabelledField(QStringLiteral("ConductorICalculadaField"), QStringLiteral("I Nominal (A)"),
                                      ConductorICalculadaEdit),
                    0, 0);
    ConductorGaugeEdit = makeReadOnlyEdit(QStringLiteral("ConductorGaugeEdit"), GroupBox5);
    grid->addWidget(new LabelledField(QStringLiteral("ConductorGaugeField"), QStringLiteral("Sección del conductor (mm²)"),
                                      ConductorGaugeEdit),
                    0, 1);
    ConductorCurrentEdit = makeReadOnlyEdit(QStringLiteral("ConductorCurrentEdit"), GroupBox5);
    grid->addWidget(
        new LabelledField(QStringLiteral("ConductorCurrentField"), QStringLiteral("I Conductor (A)"), ConductorCurrentEdit), 0, 2);
    ConductorLengthEdit = new ButtonEdit(QStringLiteral("ConductorLengthEdit"), QStringLiteral("ConductorLengthButton"));
    ConductorLengthButton = ConductorLengthEdit->button();
    grid->addWidget(new LabelledField(QStringLiteral("ConductorLengthField"), QStringLiteral("Longitud (m)"), ConductorLengthEdit),
                    1, 0);
    ConductorCountEdit = makeReadOnlyEdit(QStringLiteral("ConductorCountEdit"), GroupBox5);
    grid->addWidget(new LabelledField(QStringLiteral("ConductorCountField"), QStringLiteral("Cantidad de conductores por fase"),
                                      ConductorCountEdit),
                    1, 1);
    ConductorPriceEdit = new ButtonEdit(QStringLiteral("ConductorPriceEdit"), QStringLiteral("ConductorPriceButton"));
    ConductorPriceButton = ConductorPriceEdit->button();
    grid->addWidget(new LabelledField(QStringLiteral("ConductorPriceField"), QStringLiteral("Precio (€/m)"), ConductorPriceEdit),
                    1, 2);
    column->addLayout(grid);

    Label27 = makeNote(QStringLiteral("Label27"),
                       "Siempre deberá utilizarse conductores con aislamiento 0.6 / 1 Kv no propagador de incendio y "
                       "con emisión de humos y opacidad reducida (libre de halógenos).",
                       GroupBox5);
    column->addWidget(Label27);
    Label28 = makeNote(QStringLiteral("Label28"), "Cálculo de sección para una longitud de acometida inferior a 5 mts.",
                       GroupBox5);
    column->addWidget(Label28);
}

void DetailPage::ShowBatteryDetail(TBattery& Battery)
{
    FActiveBattery = &Battery;
    LabelDetails->setText(Battery.BTypeName());
    // The page keeps its own copy of the picture, scaled to its place.
    const QImage& picture = Battery.Image();
    ImageDetails->setPixmap(picture.isNull() ? QPixmap()
                                             : QPixmap::fromImage(picture.scaled(ImageDetails->width(), 250,
                                                                                 Qt::KeepAspectRatio,
                                                                                 Qt::SmoothTransformation)));
    MemoDetails->setPlainText(Battery.Description());
    BatteryCodeEdit->setText(Battery.Code());
    LabelPowerBattery->setText(TranslateText(m_project.BatteryType() == TBatteryType::battery
                                                 ? QStringLiteral("Potencia (kVAr)")
                                                 : QStringLiteral("Potencia (kW)")));
    BatteryPowerEdit->setText(NumberFormat::twoDecimals(Battery.Power()));
    BatteryVoltEdit->setText(QString::number(Battery.Volt()));
    BatteryCountEdit->setText(QString::number(Battery.Count()));
    BatteryPriceEdit->setText(NumberFormat::money(Battery.Price()));

    // A finished selection gives every candidate a cable record; one
    // without shows as an empty cable.
    const TConductor noCable;
    const TConductor& cable = Battery.Conductor() ? *Battery.Conductor() : noCable;
    ConductorICalculadaEdit->setText(NumberFormat::twoDecimals(cable.ICalculate()));
    ConductorGaugeEdit->setText(sectionText(cable.Gauge()));
    ConductorCurrentEdit->setText(NumberFormat::twoDecimals(cable.Current()));
    ConductorLengthEdit->setText(NumberFormat::twoDecimals(cable.Length()));
    ConductorCountEdit->setText(cable.SCount());
    ConductorPriceEdit->setText(NumberFormat::money(cable.Price()));

    if (const TTransformer* transformer = m_project.Selection().Transformer()) {
        LabelTransformInclude->hide();
        Label29->show();
        Label30->show();
        Label31->show();
        TransformerAEdit->setText(transformer->SA());
        TransformerCountEdit->setText(QString::number(Battery.Count()));
        TransformerPriceEdit->setText(NumberFormat::money(transformer->Price()));
    } else {
        LabelTransformInclude->show();
        Label29->hide();
        Label30->hide();
        Label31->hide();
        LabelTransformInclude->setText(TranslateText(QStringLiteral("Incluido")));
    }
}

void DetailPage::askFor(PriceField field, QLineEdit* edit)
{
    if (!FActiveBattery)
        return;
    TBattery& context = *FActiveBattery;
    TSelection& selection = m_project.Selection();
    if (!PricePrompts::ask(field, context, selection, m_dialogs))
        return;
    edit->setText(PricePrompts::valueText(field, context, selection));
    emit valueStored(field);
}

void DetailPage::BatteryPriceButtonClick()
{
    askFor(PriceField::BatteryPrice, BatteryPriceEdit);
}

void DetailPage::TransformerPriceButtonClick()
{
    askFor(PriceField::TransformerPrice, TransformerPriceEdit);
}

void DetailPage::ConductorPriceButtonClick()
{
    askFor(PriceField::ConductorPrice, ConductorPriceEdit);
}

void DetailPage::ConductorLengthButtonClick()
{
    askFor(PriceField::ConductorLength, ConductorLengthEdit);
}
