#include "consumption.h"

#include "rounding.h"

#include <algorithm>
#include <stdexcept>

void TConsumption::Reset()
{
    FPeriod = QStringLiteral("Enero");
    FYear = 2017;
    FInputTransformer = 0;
    FPeakDemand = 0;
    FReactiveSurcharge = 0;
    FCostActiveTerm = 0;
    FCostPowerTerm = 0;
    Fkwht = 0;
    Fkvarh = 0;
    FFmr2 = 0.0f;
}

void TConsumptionList::Reset()
{
    Clear();
    FPowerfactor = 1.0f;
    FWorkHours = 300;
    FPeriodType = TPeriodType::monthly;
}

TConsumption& TConsumptionList::Add(std::unique_ptr<TConsumption> item)
{
    if (!item)
        throw std::invalid_argument("TConsumptionList::Add: no billing period");
    m_items.push_back(std::move(item));
    return *m_items.back();
}

int TConsumptionList::IndexOf(const TConsumption* item) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto& owned) { return owned.get() == item; });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

std::unique_ptr<TConsumption> TConsumptionList::Extract(const TConsumption* item)
{
    const int index = IndexOf(item);
    if (index < 0)
        return nullptr;
    auto owned = std::move(m_items[static_cast<std::size_t>(index)]);
    m_items.erase(m_items.begin() + index);
    return owned;
}

std::int32_t TConsumptionList::RealHours() const
{
    if (FPeriodType == TPeriodType::bimonthly)
        return wrapToInt32(static_cast<std::int64_t>(FWorkHours) * 2);
    return FWorkHours;
}

std::int32_t TConsumptionList::MonthCount() const
{
    return FPeriodType == TPeriodType::bimonthly ? Count() * 2 : Count();
}

namespace {

// S / MonthCount × 12 × k, the running sum rounded to float after each
// addition, the quotient evaluated left to right in extended precision.
template <typename Amount>
float yearlySaving(const TConsumptionList& list, Amount amount, long double rate)
{
    float sum = 0.0f;
    for (int i = 0; i < list.Count(); ++i)
        sum = static_cast<float>(static_cast<long double>(sum) + amount(list[i]));
    const long double months = list.MonthCount();
    return static_cast<float>(static_cast<long double>(sum) / months * 12.0L * rate);
}

} // namespace

float TConsumptionList::AverageCostActiveTerm() const
{
    return yearlySaving(*this, [](const TConsumption& c) { return c.CostActiveTerm(); }, 0.08L);
}

float TConsumptionList::AverageCostPowerTerm() const
{
    return yearlySaving(*this, [](const TConsumption& c) { return c.CostPowerTerm(); }, 0.03L);
}
