#include "reportfilling.h"

#include "dskproject.h"
#include "equipment.h"
#include "numberformat.h"
#include "selection.h"
#include "translation.h"

#include "report.h"

#include <QLocale>

#include <stdexcept>

namespace {

// The template holds every object named here; a missing one is a broken
// template, not a user error.
template <typename T> T& object(report::Report& frxReport, const char* name)
{
    T* found = frxReport.find<T>(QString::fromLatin1(name));
    if (!found)
        throw std::logic_error(std::string("report template lacks ") + name);
    return *found;
}

void setText(report::Report& frxReport, const char* name, const QString& text)
{
    object<report::MemoView>(frxReport, name).setText(text);
}

void setVisible(report::Report& frxReport, const char* name, bool visible)
{
    object<report::View>(frxReport, name).setVisible(visible);
}

QString twoDecimals(long double value)
{
    return NumberFormat::twoDecimals(value, QLocale());
}

QString money(Money amount)
{
    return NumberFormat::money(amount, QLocale());
}

QString wholeNumber(std::int32_t value)
{
    return QString::number(value);
}

// Blanks and control characters (every code up to 32) off both ends.
QString trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

void fillHeadings(report::Report& frxReport)
{
    const QString version = TranslateText(QStringLiteral("versión 7"));
    const QString appName = QLocale().toUpper(
        TranslateText(QStringLiteral("Software para el cálculo de Condensadores, Ferimunt y Lumarest")));
    setText(frxReport, "MemoVersion1", version);
    setText(frxReport, "MemoAppName1", appName);
    setText(frxReport, "MemoVersion2", version);
    setText(frxReport, "MemoAppName2", appName);
    setText(frxReport, "BatteryNameMemo", TranslateText(QStringLiteral("Equipo seleccionado")));
    setText(frxReport, "MemoTitle2", TranslateText(QStringLiteral("Datos de facturación")));
}

void fillCustomer(const TCProyect& project, report::Report& frxReport)
{
    setText(frxReport, "BusinessNameMemo", project.BusinessName());
    setText(frxReport, "UserNameMemo", project.UserName());
    setText(frxReport, "AddressMemo", project.Address());
    setText(frxReport, "StateMemo", project.State());
    setText(frxReport, "DistributionMemo", project.Distribution());
    setText(frxReport, "TelephoneMemo", project.Telephone());
    setText(frxReport, "PlaceMemo", project.Place());
}

void fillBattery(const TCProyect& project, report::Report& frxReport, const TBattery& battery)
{
    setText(frxReport, "BatteryBType", battery.BTypeName());
    object<report::PictureView>(frxReport, "BatteryImage").setPicture(battery.Image().copy());
    setText(frxReport, "BatteryDescription", battery.Description());
    setText(frxReport, "BatteryCodeMemo", battery.Code());
    const QString powerLabel = project.BatteryType() == TBatteryType::battery ? QStringLiteral("Potencia (kVAr)")
                                                                              : QStringLiteral("Potencia (kW)");
    setText(frxReport, "MemoLabelPowerBattery", TranslateText(powerLabel) + QLatin1Char(':'));
    setText(frxReport, "BatteryPowerMemo", twoDecimals(battery.Power()));
    setText(frxReport, "BatteryVoltMemo", wholeNumber(battery.Volt()));
    setText(frxReport, "BatteryFrecuencyMemo", wholeNumber(battery.SFrequency()));
    setText(frxReport, "BatteryDimMemo", battery.Dim());
    setText(frxReport, "BatteryStepsMemo", battery.Steps());
    setText(frxReport, "BatteryCountMemo", wholeNumber(battery.Count()));
    setText(frxReport, "BatteryPriceMemo", money(battery.Price()));
}

void fillConductor(report::Report& frxReport, const TConductor& conductor)
{
    setText(frxReport, "ConductorICalculateMemo", twoDecimals(conductor.ICalculate()));
    setText(frxReport, "ConductorGaugeMemo", twoDecimals(conductor.Gauge()));
    setText(frxReport, "ConductorCurrentMemo", twoDecimals(conductor.Current()));
    setText(frxReport, "ConductorCountMemo", conductor.SCount());
    setText(frxReport, "ConductorLengthMemo", twoDecimals(conductor.Length()));
    setText(frxReport, "ConductorPriceMemo", money(conductor.Price()));
}

void fillTransformer(
    const TCProyect& project, report::Report& frxReport, const TBattery& battery, const TReportTexts& texts)
{
    const TTransformer* transformer = project.Selection().Transformer();
    const bool present = transformer != nullptr;
    if (present) {
        setText(frxReport, "TransformerTTypeMemo", transformer->TType());
        setText(frxReport, "TransformerAMemo", transformer->SA());
        setText(frxReport, "TransformerCountMemo", wholeNumber(battery.Count()));
        setText(frxReport, "TransformerPriceMemo", money(transformer->Price()));
        setText(frxReport, "Memo54", texts.TransformerTypeLabel);
    } else {
        setText(frxReport, "Memo54", TranslateText(QStringLiteral("Incluido")));
    }
    setVisible(frxReport, "Memo54", true);
    for (const char* name : { "Memo51", "Memo52", "Memo53", "TransformerTTypeMemo", "TransformerAMemo",
             "TransformerCountMemo", "TransformerPriceMemo" })
        setVisible(frxReport, name, present);
}

void fillSummary(const TCProyect& project, report::Report& frxReport)
{
    auto& consumptionRows = object<report::Band>(frxReport, "MasterData4");
    auto& contractedRows = object<report::Band>(frxReport, "MasterData5");
    if (project.CalculationType() == TCalculationType::consumption) {
        consumptionRows.setRowCount(1);
        contractedRows.setRowCount(0);
        const TPreliminar p = project.Selection().PreliminarOut();
        setText(frxReport, "average_active_powerMemo", twoDecimals(p.average_active_power));
        setText(frxReport, "average_reactive_powerMemo", twoDecimals(p.average_reactive_power));
        setText(frxReport, "Preliminar_mdrMemo", twoDecimals(p.MDR));
        setText(frxReport, "Preliminar_factorMemo", twoDecimals(p.factor));
        setText(frxReport, "Preliminar_factordeseadoMemo", twoDecimals(p.factor_deseado));
        setText(frxReport, "saving_term_active_powerMemo", twoDecimals(p.saving_term_active_power));
        setText(frxReport, "saving_term_powerMemo", twoDecimals(p.saving_term_power));
        return;
    }
    consumptionRows.setRowCount(0);
    contractedRows.setRowCount(1);
    setText(frxReport, "MaximumPowerMemo", wholeNumber(project.MaximumPower()));
    const bool own = project.HasInputTransformer();
    setVisible(frxReport, "InputTransformerMemo", own);
    setVisible(frxReport, "InputTransformerMemoLabel", own);
    if (own)
        setText(frxReport, "InputTransformerMemo", wholeNumber(project.InputTransformer()));
    setVisible(frxReport, "ExistInputTransformerMarkTrue", own);
    setVisible(frxReport, "ExistInputTransformerMarkFalse", !own);
}

} // namespace

TReportTexts LangTextReport(TDskProject& /*project*/, report::Report& frxReport)
{
    TReportTexts texts;
    for (report::Component* component : frxReport.components()) {
        auto* memo = dynamic_cast<report::MemoView*>(component);
        if (!memo || memo->tag() != 300)
            continue;
        QString s = trimmed(memo->text());
        // The part before the colon is the key exactly as trimming left it,
        // a blank before the colon included.
        if (s.endsWith(QLatin1Char(':')))
            s = TranslateText(s.chopped(1)) + QLatin1Char(':');
        else
            s = TranslateText(s);
        memo->setText(s);
        if (memo->name() == QLatin1String("Memo54"))
            texts.TransformerTypeLabel = s;
    }
    return texts;
}

void MakeReport(TDskProject& project, report::Report& frxReport, TBattery* ActiveBattery, const TReportTexts& texts)
{
    if (!ActiveBattery || !ActiveBattery->Conductor())
        throw std::invalid_argument("MakeReport needs a candidate with its cable");
    fillHeadings(frxReport);
    fillCustomer(project, frxReport);
    fillBattery(project, frxReport, *ActiveBattery);
    fillConductor(frxReport, *ActiveBattery->Conductor());
    fillTransformer(project, frxReport, *ActiveBattery, texts);
    fillSummary(project, frxReport);
}
