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
// Shown on the results page and drawn into the printed report. Every
// period's name is shown whole at whatever size the chart is laid out for:
// level when the names fit their bars' width, else turned upright, broken
// onto two lines where that fits better, and smaller when need be; never
// cut short.
class ConsumptionChart : public QChartView {
    Q_OBJECT

public:
    static constexpr QRgb ActiveColor = 0xFF4466A3; // Series1's bars
    static constexpr QRgb ReactiveColor = 0xFFFF7F50; // Series2's bars, coral

    explicit ConsumptionChart(QWidget* parent = nullptr);

    // Removes every bar; the chart stays, empty, with neither axis.
    void Clear();
    // Clears, then adds one pair of bars per period in list order, with the
    // series titles translated.
    void Fill(const TConsumptionList& periods);

    QBarSet* Series1() const { return m_series1; }
    QBarSet* Series2() const { return m_series2; }
    // One category per period: its name made distinct from the others (the
    // axis shows it as markup, perhaps broken onto two lines); and the
    // names as the periods have them.
    QStringList categories() const;
    QStringList periodLabels() const { return m_labels; }

    // Draws the chart, laid out for `size`, into an image of that size whose
    // background is `background` (transparent keeps it so). The widget's own
    // size and looks are left as they were.
    QImage renderImage(const QSize& size, const QColor& background) const;

    // How the period names are laid out for the chart's present size.
    struct LabelStyle {
        int angle = 0; // 0 level, -90 upright
        int lines = 1; // a name broken after a hyphen or at a blank takes two
        int pixelSize = 0;
        friend bool operator==(const LabelStyle&, const LabelStyle&) = default;
    };
    LabelStyle labelStyle() const { return m_labelStyle; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Chooses the first style, in order of preference, whose names all fit
    // the chart laid out at its present size, and applies it.
    void fitLabels() const;
    void applyLabelStyle(const LabelStyle& style) const;
    bool labelsFit() const;

    QChart* m_chart = nullptr; // owned by the view
    QBarSeries* m_series = nullptr; // owned by the chart
    QBarSet* m_series1 = nullptr; // owned by the series
    QBarSet* m_series2 = nullptr; // owned by the series
    QBarCategoryAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    QStringList m_labels;
    QStringList m_categories; // m_labels made distinct, as the axis needs them
    mutable LabelStyle m_labelStyle;
    // The markup last applied to the axis, and its labels as plain text.
    mutable QStringList m_shownMarkup;
    mutable QStringList m_shownLabels;
};
