#include "projectcontents.h"

#include "project.h"

namespace ProjectContents {

void moveInto(TCProyect& from, TCProyect& to)
{
    to.setBusinessName(from.BusinessName());
    to.setUserName(from.UserName());
    to.setAddress(from.Address());
    to.setState(from.State());
    to.setPlace(from.Place());
    to.setTelephone(from.Telephone());
    to.setDistribution(from.Distribution());
    to.setCalculationType(from.CalculationType());
    to.setBatteryType(from.BatteryType());
    to.setTemperature(from.Temperature());
    to.setVoltage(from.Voltage());
    to.setFrequency(from.Frequency());
    to.setHarmonics(from.Harmonics());
    to.setMaximumPower(from.MaximumPower());
    to.setHasInputTransformer(from.HasInputTransformer());
    to.setInputTransformer(from.InputTransformer());

    TConsumptionList& source = from.ConsumptionList();
    TConsumptionList& target = to.ConsumptionList();
    target.setPowerfactor(source.Powerfactor());
    target.setWorkHours(source.WorkHours());
    target.setPeriodType(source.PeriodType());
    while (source.Count() > 0)
        target.Add(source.Extract(&source[0]));
}

bool equal(const TCProyect& a, const TCProyect& b)
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

} // namespace ProjectContents
