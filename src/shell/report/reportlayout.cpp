#include "reportlayout.h"

#include "consumptionchart.h"
#include "reporttemplate.h"

#include "consumption.h"
#include "rounding.h"

#include <QColor>

#include <cmath>
#include <stdexcept>

ReportLayout::ReportLayout()
{
    buildReportTemplate(m_frxReport, m_frxComsumptionDataSet);
    m_frxComsumptionDataSet.onFirst = [this](report::UserDataSet& s) { frxComsumptionDataSetFirst(s); };
    m_frxComsumptionDataSet.onNext = [this](report::UserDataSet& s) { frxComsumptionDataSetNext(s); };
    m_frxComsumptionDataSet.onPrior = [this](report::UserDataSet& s) { frxComsumptionDataSetPrior(s); };
    m_frxComsumptionDataSet.onCheckEOF
        = [this](report::UserDataSet& s, bool& eof) { frxComsumptionDataSetCheckEOF(s, eof); };
    m_frxComsumptionDataSet.onGetValue
        = [this](const QString& name, QVariant& value) { frxComsumptionDataSetGetValue(name, value); };
    m_frxReport.onBeforePrint = [this](report::Component& sender) { frxReportBeforePrint(sender); };
}

int ReportLayout::periodCount() const
{
    return m_periods ? m_periods->Count() : 0;
}

void ReportLayout::frxComsumptionDataSetFirst(report::UserDataSet& sender)
{
    sender.setTag(0);
}

void ReportLayout::frxComsumptionDataSetNext(report::UserDataSet& sender)
{
    sender.setTag(sender.tag() + 1);
}

void ReportLayout::frxComsumptionDataSetPrior(report::UserDataSet& sender)
{
    sender.setTag(sender.tag() - 1);
}

void ReportLayout::frxComsumptionDataSetCheckEOF(report::UserDataSet& sender, bool& eof)
{
    eof = sender.tag() > periodCount() - 1;
}

void ReportLayout::frxComsumptionDataSetGetValue(const QString& varName, QVariant& value)
{
    const int cursor = m_frxComsumptionDataSet.tag();
    if (!m_periods || cursor < 0 || cursor >= m_periods->Count())
        throw std::out_of_range("billing period index out of range");
    const TConsumption& period = (*m_periods)[cursor];
    if (varName == QLatin1String("Period"))
        value = period.Period();
    else if (varName == QLatin1String("Year"))
        value = period.Year();
    else if (varName == QLatin1String("kwht"))
        value = period.kwht();
    else if (varName == QLatin1String("PeakDemand"))
        value = period.PeakDemand();
    else if (varName == QLatin1String("FFmr2"))
        value = static_cast<double>(period.Fmr2());
    else if (varName == QLatin1String("ReactiveSurcharge"))
        value = period.ReactiveSurcharge();
}

void ReportLayout::frxReportBeforePrint(report::Component& sender)
{
    if (sender.name() != QLatin1String("ChartPicture"))
        return;
    auto* picture = dynamic_cast<report::PictureView*>(&sender);
    if (!picture || !m_chart)
        return;
    // One bitmap pixel per report unit: 454 × 321 for the 120 × 85 mm box.
    const QSize size(roundToInt32(picture->width()).value_or(0), roundToInt32(picture->height()).value_or(0));
    QImage chart = m_chart->renderImage(size, QColor(255, 0, 0, 0));
    // Stamped at 1200 dots per inch; the picture is drawn at its box's size
    // whatever the stamp says.
    const int dotsPerMeter = static_cast<int>(std::lround(1200 / 0.0254));
    chart.setDotsPerMeterX(dotsPerMeter);
    chart.setDotsPerMeterY(dotsPerMeter);
    picture->setPicture(chart);
}
