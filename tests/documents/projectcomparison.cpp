#include "projectcomparison.h"

#include "project.h"

bool sameFileContents(const TCProyect& a, const TCProyect& b)
{
    const TConsumptionList& la = a.ConsumptionList();
    const TConsumptionList& lb = b.ConsumptionList();
    if (la.Count() != lb.Count())
        return false;
    for (int i = 0; i < la.Count(); ++i) {
        if (!(la[i] == lb[i]))
            return false;
    }
    return a.BusinessName() == b.BusinessName() && a.UserName() == b.UserName() && a.Address() == b.Address()
        && a.State() == b.State() && a.Place() == b.Place() && a.Telephone() == b.Telephone()
        && a.Distribution() == b.Distribution() && a.CalculationType() == b.CalculationType()
        && a.BatteryType() == b.BatteryType() && a.Temperature() == b.Temperature() && a.Voltage() == b.Voltage()
        && a.Frequency() == b.Frequency() && a.Harmonics() == b.Harmonics() && a.MaximumPower() == b.MaximumPower()
        && a.HasInputTransformer() == b.HasInputTransformer() && a.InputTransformer() == b.InputTransformer()
        && la.Powerfactor() == lb.Powerfactor() && la.WorkHours() == lb.WorkHours()
        && la.PeriodType() == lb.PeriodType();
}
