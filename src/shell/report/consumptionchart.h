#pragma once

#include <QChartView>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsScene;
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
    ~ConsumptionChart() override;

    // Removes every bar; the chart stays, empty, with neither axis.
    void Clear();
    // Clears, then adds one pair of bars per period in list order, with the
    // series titles translated; with no periods the chart stays cleared.
    void Fill(const TConsumptionList& periods);

    QBarSet* Series1() const { return m_screen.active; }
    QBarSet* Series2() const { return m_screen.reactive; }
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
    LabelStyle labelStyle() const { return m_screen.style; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // What a fit of the names depends on: the chart's size, the names, and
    // what takes room beside them (the value axis's scale, the legend).
    struct FitKey {
        QSizeF size;
        QStringList categories;
        qreal lowest = 0;
        qreal highest = 0;
        int ticks = 0;
        QString activeTitle;
        QString reactiveTitle;
        friend bool operator==(const FitKey&, const FitKey&) = default;
    };

    // One chart with its parts: the one on screen, or the one the pictures
    // are drawn from, made with the first picture in a scene of its own, so
    // that drawing a picture of another size or background leaves the
    // screen's alone and the next picture of that size finds it laid out.
    struct Drawing {
        QChart* chart = nullptr;
        QBarSeries* series = nullptr; // owned by the chart
        QBarSet* active = nullptr; // owned by the series
        QBarSet* reactive = nullptr; // owned by the series
        QBarCategoryAxis* axisX = nullptr;
        QValueAxis* axisY = nullptr;
        LabelStyle style;
        // The markup last applied to the axis, and its labels as plain text.
        QStringList shownMarkup;
        QStringList shownLabels;
        // What the names were last fitted for; nothing until they are.
        std::optional<FitKey> fittedFor;
    };

    static void build(Drawing& drawing, QChart* chart);
    static void clear(Drawing& drawing);
    // Chooses the first style, in order of preference, whose names all fit
    // the chart laid out at its present size, and applies it; nothing when
    // they were fitted for this size and these figures already.
    void fitLabels(Drawing& drawing) const;
    void applyLabelStyle(Drawing& drawing, const LabelStyle& style) const;
    bool labelsFit(Drawing& drawing) const;
    FitKey fitKey(const Drawing& drawing) const;
    // The drawing the pictures are made from, with the figures on screen.
    Drawing& picture() const;

    Drawing m_screen;
    QStringList m_labels;
    QStringList m_categories; // m_labels made distinct, as the axis needs them
    // The styles last found, by what they were fitted for: a few chart sizes
    // (the screen's, the report picture's) and figures.
    mutable std::vector<std::pair<FitKey, LabelStyle>> m_fitted;
    mutable std::unique_ptr<QGraphicsScene> m_pictureScene;
    mutable Drawing m_picture;
    mutable bool m_pictureCurrent = false;
};
