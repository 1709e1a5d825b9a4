// The preliminary stage of a selection run: the input checks and the
// figures from the billing periods or from the contracted power.
//
// Every expression is evaluated in long double and rounded to float only
// where it is stored (a record field, a period's Fmr2, a running value
// declared float); integers are widened before they are divided.

#include "selection.h"

#include "consumption.h"
#include "exceptions.h"
#include "project.h"
#include "rounding.h"

#include <cmath>
#include <cstdint>

namespace {

using Ext = long double;

// The start of the running maximum of the per-period needs; a QC still at
// this value means that no period produced a need at all.
constexpr float kNoNeedYet = -2147483648.0f;

// cos(atan(kvarh / kwht)): the power factor of an energy pair.
Ext powerFactorOf(Ext reactive, Ext active)
{
    return std::cos(std::atan(reactive / active));
}

// tan φ of the target power factor, with the angle rounded to float before
// its tangent is taken and the tangent rounded again: at 0.92 this is one
// float step away from the unrounded value, and every q depends on it.
float targetTangent(float powerfactor)
{
    const float angle = static_cast<float>(std::acos(static_cast<Ext>(powerfactor)));
    return static_cast<float>(std::tan(static_cast<Ext>(angle)));
}

} // namespace

void TSelection::CalculatePreliminar()
{
    if (FCProyect->CalculationType() == TCalculationType::consumption) {
        CheckConsumption();
        CalculateConsumptionQC();
    } else {
        CheckContractedPower();
        CalculateContractedQC();
    }
}

void TSelection::CheckConsumption()
{
    const TConsumptionList& periods = FCProyect->ConsumptionList();
    try {
        if (periods.Count() == 0)
            SelectionMessages::raise(SelectionMessages::NoBillingData);

        Ext sum = 0;
        for (int i = 0; i < periods.Count(); ++i)
            sum += powerFactorOf(periods[i].kvarh(), periods[i].kwht());
        const Ext average = sum / periods.Count();

        // An undefined average compares false and lets the run go on.
        if (average >= static_cast<Ext>(periods.Powerfactor()))
            SelectionMessages::raise(SelectionMessages::NoCompensationNeeded);
    } catch (const ESelectionException&) {
        throw;
    } catch (...) {
        SelectionMessages::raise(SelectionMessages::ProcessingError);
    }
}

void TSelection::ClearPreliminar()
{
    FPreliminar = TPreliminar();
}

void TSelection::CalculatePreliminarData(std::int32_t hours)
{
    TConsumptionList& periods = FCProyect->ConsumptionList();
    TPreliminar& p = FPreliminar;
    ClearPreliminar();

    const float T = targetTangent(periods.Powerfactor());
    const Ext H = hours;

    // The period of the highest peak demand; a tie goes to the later one.
    float bestPeak = 0.0f;
    for (int i = 0; i < periods.Count(); ++i) {
        const TConsumption& c = periods[i];
        if (static_cast<Ext>(c.PeakDemand()) >= bestPeak) {
            p.MDR = static_cast<float>(c.PeakDemand());
            p.tang = static_cast<float>(static_cast<Ext>(c.kvarh()) / c.kwht());
            p.fff = static_cast<float>(static_cast<Ext>(p.tang) - T);
            bestPeak = p.MDR;
        }
    }

    p.factor_bajo = 2147483648.0f;
    float maxQ = kNoNeedYet;
    float bestKvarh = 0.0f;
    for (int i = 0; i < periods.Count(); ++i) {
        TConsumption& c = periods[i];
        c.setFmr2(static_cast<float>(powerFactorOf(c.kvarh(), c.kwht())));

        // Written as a negation so that an undefined factor replaces it too.
        if (!(c.Fmr2() >= p.factor_bajo))
            p.factor_bajo = c.Fmr2();

        // The period with the most reactive energy; a tie goes to the later
        // one, and negative energy never qualifies.
        if (static_cast<Ext>(c.kvarh()) >= bestKvarh) {
            p.FMR = c.Fmr2();
            p.CPC = static_cast<float>(c.InputTransformer());
            bestKvarh = static_cast<float>(c.kvarh());
        }

        // The period's need: its average active power over the working
        // hours times the gap between its tan φ and the target's.
        const float q = static_cast<float>((static_cast<Ext>(c.kvarh()) / c.kwht() - T) * (c.kwht() / H));
        if (q > maxQ)
            maxQ = q;

        p.activo = static_cast<float>(static_cast<Ext>(p.activo) + c.kwht());
        p.reactivo = static_cast<float>(static_cast<Ext>(p.reactivo) + c.kvarh());
        p.importe = static_cast<float>(static_cast<Ext>(p.importe) + c.CostPowerTerm() + c.CostActiveTerm());
        p.penalizacion = static_cast<float>(static_cast<Ext>(p.penalizacion) + c.ReactiveSurcharge());
        p.factor_deseado = periods.Powerfactor();
    }

    p.factor = static_cast<float>(powerFactorOf(p.reactivo, p.activo));
    p.costo = static_cast<float>(static_cast<Ext>(p.importe) / p.activo);
    p.por_factor = static_cast<float>(static_cast<Ext>(p.penalizacion) - p.bonificacion);
    p.QC = maxQ;
}

void TSelection::CalculateConsumptionQC()
{
    const TConsumptionList& periods = FCProyect->ConsumptionList();
    TPreliminar& p = FPreliminar;
    const std::int32_t hours = periods.RealHours();
    bool needFound = false;
    try {
        CalculatePreliminarData(hours);
        needFound = p.QC != kNoNeedYet;

        // The product lines are sized at 0.7 of the reactive need, and the
        // need at the peak demand is a floor, unless there was no peak.
        const Ext peakNeed = static_cast<Ext>(p.MDR) * p.fff;
        switch (FCProyect->BatteryType()) {
        case TBatteryType::ferimont:
        case TBatteryType::lumarest:
            p.QC = static_cast<float>(p.QC / 0.7L);
            if (p.MDR != 0 && peakNeed / 0.7L > p.QC)
                p.QC = static_cast<float>(peakNeed / 0.7L);
            break;
        case TBatteryType::battery:
            if (p.MDR != 0 && peakNeed > p.QC)
                p.QC = static_cast<float>(peakNeed);
            break;
        }
    } catch (const ESelectionException&) {
        throw;
    } catch (...) {
        SelectionMessages::raise(SelectionMessages::BillingDataError);
    }

    // Without working hours, or without any finite need, the figures would
    // be infinite or meaningless: the billing data cannot be sized.
    if (periods.WorkHours() <= 0 || hours <= 0 || !needFound || !std::isfinite(p.QC))
        SelectionMessages::raise(SelectionMessages::BillingDataError);
}

void TSelection::CheckContractedPower()
{
    if (FCProyect->MaximumPower() <= 0)
        SelectionMessages::raise(SelectionMessages::MaximumPowerNotPositive);
    if (FCProyect->HasInputTransformer() && FCProyect->InputTransformer() <= 0)
        SelectionMessages::raise(SelectionMessages::InputTransformerNotPositive);
}

void TSelection::CalculateContractedQC()
{
    const std::int64_t maximumPower = FCProyect->MaximumPower();
    TPreliminar& p = FPreliminar;
    if (FCProyect->BatteryType() == TBatteryType::battery) {
        // ⌈P × 0.81⌉ in integers: a double 0.81 lies just above 81/100 and
        // would give 487 for 600 kW. P > 0 here (checked before).
        const std::int64_t hundredths = maximumPower * 81;
        p.QC = static_cast<float>(hundredths / 100 + (hundredths % 100 > 0 ? 1 : 0));
    } else {
        p.QC = static_cast<float>(maximumPower);
    }
    p.MDR = static_cast<float>(maximumPower);
    // The project's rating, whether or not it says it has a transformer of
    // its own; the transformer bank asks HasInputTransformer itself.
    p.CPC = static_cast<float>(FCProyect->InputTransformer());
    p.factor = 1.0f;
}

TPreliminar TSelection::PreliminarOut() const
{
    const TConsumptionList& periods = FCProyect->ConsumptionList();
    TPreliminar out = FPreliminar;
    out.penalizacion = static_cast<float>(static_cast<Ext>(out.penalizacion) / periods.MonthCount() * 12);
    out.average_active_power = 0;
    out.average_reactive_power = 0;
    out.saving_term_power = 0;
    out.saving_term_active_power = 0;
    if (FCProyect->CalculationType() == TCalculationType::consumption) {
        // Hours × periods has always been a 32-bit product; it wraps here
        // rather than overflowing.
        const Ext totalHours = wrapToInt32(static_cast<std::int64_t>(periods.RealHours()) * periods.Count());
        out.average_active_power = static_cast<float>(static_cast<Ext>(out.activo) / totalHours);
        out.average_reactive_power = static_cast<float>(static_cast<Ext>(out.reactivo) / totalHours);
        out.saving_term_power = periods.AverageCostPowerTerm();
        out.saving_term_active_power = periods.AverageCostActiveTerm();
    }
    return out;
}
