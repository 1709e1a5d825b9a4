#pragma once

#include <QChartView>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QStringList>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;
class TConsumptionList;

// The bar chart of the billing periods: per period a pair of bars, the
// active energy and the reactive energy, labelled with the period's text.
// Shown on the results page and drawn into the printed report.
class ConsumptionChart : public QChartView {
    Q_OBJECT

public:
    static constexpr QRgb ActiveColor = 0xFF4466A3; // Series1's bars
    static constexpr QRgb ReactiveColor = 0xFFFF7F50; // Series2's bars, coral

    explicit ConsumptionChart(QWidget* parent = nullptr);

    // Removes every bar; the chart stays, empty.
    void Clear();
    // Clears, then adds one pair of bars per period in list order, with the
    // series titles translated.
    void Fill(const TConsumptionList& periods);

    QBarSet* Series1() const { return m_series1; }
    QBarSet* Series2() const { return m_series2; }
    // The category labels as the axis holds them, and as they read.
    QStringList categories() const;
    QStringList periodLabels() const { return m_labels; }

    // Draws the chart, laid out for `size`, into an image of that size whose
    // background is `background` (transparent keeps it so). The widget's own
    // size and looks are left as they were.
    QImage renderImage(const QSize& size, const QColor& background) const;

private:
    QChart* m_chart = nullptr; // owned by the view
    QBarSeries* m_series = nullptr; // owned by the chart
    QBarSet* m_series1 = nullptr; // owned by the series
    QBarSet* m_series2 = nullptr; // owned by the series
    QBarCategoryAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    QStringList m_labels;
};
