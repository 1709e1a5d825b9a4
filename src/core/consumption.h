#pragma once

#include "enumerations.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// One billing period: one month, or two when the list is bimonthly.
class TConsumption {
public:
    TConsumption() { Reset(); }

    void Reset();

    float Fmr2() const { return FFmr2; }
    void setFmr2(float value) { FFmr2 = value; }
    const QString& Period() const { return FPeriod; }
    void setPeriod(const QString& value) { FPeriod = value; }
    std::int32_t Year() const { return FYear; }
    void setYear(std::int32_t value) { FYear = value; }
    std::int32_t kwht() const { return Fkwht; }
    void setKwht(std::int32_t value) { Fkwht = value; }
    std::int32_t kvarh() const { return Fkvarh; }
    void setKvarh(std::int32_t value) { Fkvarh = value; }
    std::int32_t InputTransformer() const { return FInputTransformer; }
    void setInputTransformer(std::int32_t value) { FInputTransformer = value; }
    std::int32_t PeakDemand() const { return FPeakDemand; }
    void setPeakDemand(std::int32_t value) { FPeakDemand = value; }
    std::int32_t ReactiveSurcharge() const { return FReactiveSurcharge; }
    void setReactiveSurcharge(std::int32_t value) { FReactiveSurcharge = value; }
    std::int32_t CostPowerTerm() const { return FCostPowerTerm; }
    void setCostPowerTerm(std::int32_t value) { FCostPowerTerm = value; }
    std::int32_t CostActiveTerm() const { return FCostActiveTerm; }
    void setCostActiveTerm(std::int32_t value) { FCostActiveTerm = value; }

    bool operator==(const TConsumption&) const = default;

private:
    std::int32_t FYear = 0;
    std::int32_t FInputTransformer = 0;
    std::int32_t FPeakDemand = 0;
    std::int32_t FReactiveSurcharge = 0;
    QString FPeriod;
    std::int32_t FCostActiveTerm = 0;
    std::int32_t FCostPowerTerm = 0;
    std::int32_t Fkwht = 0;
    std::int32_t Fkvarh = 0;
    float FFmr2 = 0.0f;
};

// The owning, ordered list of billing periods with the figures that apply to
// all of them.
class TConsumptionList {
public:
    TConsumptionList() { Reset(); }

    void Reset();

    int Count() const { return static_cast<int>(m_items.size()); }
    TConsumption& operator[](int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TConsumption& operator[](int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // Appends and takes ownership; refuses a null entry with
    // std::invalid_argument, leaving the list as it was.
    TConsumption& Add(std::unique_ptr<TConsumption> item);
    // Removes the item from the list without destroying it.
    std::unique_ptr<TConsumption> Extract(const TConsumption* item);
    int IndexOf(const TConsumption* item) const;
    void Clear() { m_items.clear(); }

    float Powerfactor() const { return FPowerfactor; }
    void setPowerfactor(float value) { FPowerfactor = value; }
    std::int32_t WorkHours() const { return FWorkHours; }
    void setWorkHours(std::int32_t value) { FWorkHours = value; }
    TPeriodType PeriodType() const { return FPeriodType; }
    void setPeriodType(TPeriodType value) { FPeriodType = value; }

    // Working hours per billing period (WorkHours × 2 when bimonthly), taken
    // in 32-bit as the figure always was: the product wraps, never overflows.
    std::int32_t RealHours() const;
    // Months the list covers (Count × 2 when bimonthly).
    std::int32_t MonthCount() const;

    // Estimated yearly savings: 8 % of the active-energy term, 3 % of the
    // power term. NaN for an empty list.
    float AverageCostActiveTerm() const;
    float AverageCostPowerTerm() const;

private:
    std::vector<std::unique_ptr<TConsumption>> m_items;
    std::int32_t FWorkHours = 300;
    float FPowerfactor = 1.0f;
    TPeriodType FPeriodType = TPeriodType::monthly;
};
