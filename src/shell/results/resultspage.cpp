#include "resultspage.h"

#include "batterylistdelegate.h"
#include "batterylistmodel.h"
#include "consumptionchart.h"
#include "fieldwidgets.h"
#include "numberformat.h"
#include "project.h"
#include "selection.h"
#include "statictexts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

ResultsPage::ResultsPage(TCProyect& project, QWidget* parent) : QWidget(parent), m_project(project)
{
    setObjectName(QStringLiteral("ResultsPage"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);

    Label10 = new QLabel(QStringLiteral("Resultados del cálculo"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    styleAsTitle(Label10, 14);
    page->addWidget(Label10);

    GroupBox7 = new QGroupBox(QStringLiteral("Equipos posibles a instalar"), this);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    GroupBox7->setFixedHeight(255);
    auto* candidates = new QVBoxLayout(GroupBox7);
    candidates->setContentsMargins(5, 5, 5, 5);
    BatteryListView = new QListView(GroupBox7);
    BatteryListView->setObjectName(QStringLiteral("BatteryListView"));
    BatteryListView->setFocusPolicy(Qt::NoFocus);
    BatteryListView->setSelectionMode(QAbstractItemView::NoSelection);
    BatteryListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BatteryListView->setUniformItemSizes(true);
    BatteryListView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_model = new BatteryListModel(this);
    BatteryListView->setModel(m_model);
    BatteryListView->setItemDelegate(new BatteryListDelegate(BatteryListView));
    connect(BatteryListView, &QListView::clicked, this,
            [this](const QModelIndex& index) { BatteryListViewItemClickEx(index.row()); });
    candidates->addWidget(BatteryListView);
    page->addWidget(GroupBox7);

    auto* lower = new QHBoxLayout;
    lower->setContentsMargins(0, 10, 0, 0);
    PreliminarTabControl = new QStackedWidget(this);
    PreliminarTabControl->setObjectName(QStringLiteral("PreliminarTabControl"));
    PreliminarTabControl->setFixedWidth(422);
    PreliminarConsumptionTabItem = buildConsumptionPanel();
    PreliminarPowerTabItem = buildPowerPanel();
    PreliminarTabControl->addWidget(PreliminarConsumptionTabItem);
    PreliminarTabControl->addWidget(PreliminarPowerTabItem);
    lower->addWidget(PreliminarTabControl);

    GroupBox2 = new QGroupBox(QStringLiteral("Gráfico de consumo de Energía Activa y Reactiva"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* chartBox = new QVBoxLayout(GroupBox2);
    chartBox->setContentsMargins(0, 0, 0, 0);
    chartBox->setSpacing(0);
    Chart1 = new ConsumptionChart(GroupBox2);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    chartBox->addWidget(Chart1, 1);
    LabelPreliminarChart = new QLabel(QStringLiteral("No disponible en cálculo por potencia contratada o máximetro."), GroupBox2);
    LabelPreliminarChart->setObjectName(QStringLiteral("LabelPreliminarChart"));
    LabelPreliminarChart->setAlignment(Qt::AlignCenter);
    LabelPreliminarChart->setWordWrap(true);
    LabelPreliminarChart->setStyleSheet(QStringLiteral("color: crimson;"));
    chartBox->addWidget(LabelPreliminarChart);
    lower->addWidget(GroupBox2, 1);
    page->addLayout(lower, 1);
    translateStaticTexts(this);
}

ResultsPage::~ResultsPage() = default;

QWidget* ResultsPage::buildConsumptionPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PreliminarConsumptionTabItem"));
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    GroupBox1 = new QGroupBox(QStringLiteral("Datos generales del servicio"), panel);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(9, 4, 9, 4);
    struct Row {
        const char* label;
        const char* edit;
        QLineEdit** target;
    };
    const Row rows[] = {
        {"Potencia media activa (kW)", "paverage_active_power_edit", &paverage_active_power_edit},
        {"Potencia media reactiva (kVAr)", "paverage_reactive_power_edit", &paverage_reactive_power_edit},
        {"Máxima demanda (kW)", "pmdr_Edit", &pmdr_Edit},
        {"Factor de potencia medio actual", "pfactor_edit", &pfactor_edit},
        {"Factor de potencia medio deseado", "pfactordeseado_edit", &pfactordeseado_edit},
        {"Importe total de penalización por reactiva anual (€)", "pPenalizacionEdit", &pPenalizacionEdit},
        {"Ahorro anual de activa estimado (€)", "psaving_term_active_powerEdit", &psaving_term_active_powerEdit},
        {"Ahorro anual del término de potencia estimado (€)", "psaving_term_powerEdit", &psaving_term_powerEdit},
    };
    int r = 0;
    for (const Row& row : rows) {
        grid->addWidget(makeLabel(row.label, GroupBox1), r, 0);
        *row.target = makeReadOnlyEdit(QString::fromLatin1(row.edit), GroupBox1);
        (*row.target)->setFixedWidth(80);
        (*row.target)->setAlignment(Qt::AlignRight);
        grid->addWidget(*row.target, r, 1);
        ++r;
    }
    outer->addWidget(GroupBox1);
    return panel;
}

QWidget* ResultsPage::buildPowerPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PreliminarPowerTabItem"));
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    GroupBox6 = new QGroupBox(QStringLiteral("Datos generales del servicio"), panel);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    auto* grid = new QGridLayout(GroupBox6);
    grid->setColumnStretch(0, 1);

    grid->addWidget(makeLabel("Potencia contratada o máximetro (kW)", GroupBox6), 0, 0);
    MaximumPowerEdit_2 = makeReadOnlyEdit(QStringLiteral("MaximumPowerEdit_2"), GroupBox6);
    MaximumPowerEdit_2->setFixedWidth(110);
    MaximumPowerEdit_2->setAlignment(Qt::AlignRight);
    grid->addWidget(MaximumPowerEdit_2, 0, 1);

    grid->addWidget(makeLabel("Dispone de transformador de entrada propio", GroupBox6), 1, 0);
    ExistInputTransformerMark = new QLabel(GroupBox6);
    ExistInputTransformerMark->setObjectName(QStringLiteral("ExistInputTransformerMark"));
    ExistInputTransformerMark->setFixedSize(32, 32);
    grid->addWidget(ExistInputTransformerMark, 1, 1, Qt::AlignLeft);

    Label41 = makeLabel("Transformador de entrada (KVA)", GroupBox6);
    Label41->setObjectName(QStringLiteral("Label41"));
    grid->addWidget(Label41, 2, 0);
    InputTransformerEdit_2 = makeReadOnlyEdit(QStringLiteral("InputTransformerEdit_2"), GroupBox6);
    InputTransformerEdit_2->setFixedWidth(110);
    InputTransformerEdit_2->setAlignment(Qt::AlignRight);
    grid->addWidget(InputTransformerEdit_2, 2, 1);
    grid->setRowStretch(3, 1);
    outer->addWidget(GroupBox6);
    outer->addStretch(1);
    return panel;
}

void ResultsPage::setMarks(const QIcon& markYes, const QIcon& markNo)
{
    m_markYes = markYes;
    m_markNo = markNo;
}

void ResultsPage::ShowPreliminar(const DataPageInputs& inputs)
{
    if (m_project.CalculationType() == TCalculationType::contracted_power) {
        PreliminarTabControl->setCurrentWidget(PreliminarPowerTabItem);
        MaximumPowerEdit_2->setText(inputs.maximumPowerText);
        const QIcon& mark = inputs.hasInputTransformer ? m_markYes : m_markNo;
        ExistInputTransformerMark->setPixmap(mark.pixmap(32, 32));
        InputTransformerEdit_2->setText(inputs.inputTransformerText);
        Label41->setVisible(inputs.hasInputTransformer);
        InputTransformerEdit_2->setVisible(inputs.hasInputTransformer);
        return;
    }
    PreliminarTabControl->setCurrentWidget(PreliminarConsumptionTabItem);
    const TPreliminar preliminar = m_project.Selection().PreliminarOut();
    paverage_active_power_edit->setText(NumberFormat::twoDecimals(preliminar.average_active_power));
    paverage_reactive_power_edit->setText(NumberFormat::twoDecimals(preliminar.average_reactive_power));
    pmdr_Edit->setText(NumberFormat::twoDecimals(preliminar.MDR));
    pfactor_edit->setText(NumberFormat::twoDecimals(preliminar.factor));
    pfactordeseado_edit->setText(NumberFormat::twoDecimals(preliminar.factor_deseado));
    pPenalizacionEdit->setText(NumberFormat::twoDecimals(preliminar.penalizacion));
    psaving_term_active_powerEdit->setText(NumberFormat::twoDecimals(preliminar.saving_term_active_power));
    psaving_term_powerEdit->setText(NumberFormat::twoDecimals(preliminar.saving_term_power));
}

void ResultsPage::ShowConsumptionChart()
{
    Chart1->Clear();
    if (m_project.CalculationType() == TCalculationType::contracted_power) {
        // The chart stays in place, empty, above the note.
        LabelPreliminarChart->setVisible(true);
        return;
    }
    LabelPreliminarChart->setVisible(false);
    Chart1->Fill(m_project.ConsumptionList());
}

void ResultsPage::ShowBatteryList()
{
    m_model->fill(m_project.Selection().BatteryList(), m_project.BatteryType());
}

void ResultsPage::BatteryListViewItemClickEx(int index)
{
    if (TBattery* battery = m_model->battery(index))
        emit batteryClicked(battery);
}
