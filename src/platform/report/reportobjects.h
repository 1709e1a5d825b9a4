#pragma once

#include "preparedreport.h"

#include <QImage>
#include <QLocale>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The template side of a report: pages of bands, bands of views. Geometry is
// in report pixels (96 to the inch); a view's position is relative to its
// band, a band's to the page's printable area.
namespace report {

class Band;
class ReportPage;
class UserDataSet;

// Millimetres to report pixels.
inline constexpr double mm(double millimetres)
{
    return millimetres * PixelsPerMm;
}

// Anything of a report that can be found by name.
class Component {
public:
    explicit Component(QString name)
        : m_name(std::move(name))
    {
    }
    virtual ~Component() = default;

    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const QString& name() const { return m_name; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool printable() const { return m_printable; }
    void setPrintable(bool printable) { m_printable = printable; }

private:
    QString m_name;
    int m_tag = 0;
    bool m_visible = true;
    bool m_printable = true;
};

// An object placed on a band.
class View : public Component {
public:
    using Component::Component;

    virtual ObjectKind kind() const = 0;

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setGeometry(double left, double top, double width, double height);

    FrameSides frame() const { return m_frame; }
    void setFrame(FrameSides frame) { m_frame = frame; }
    AlphaColor frameColor() const { return m_frameColor; }
    void setFrameColor(AlphaColor color) { m_frameColor = color; }
    AlphaColor color() const { return m_color; }
    void setColor(AlphaColor color) { m_color = color; }

    Band* band() const { return m_band; }

private:
    friend class Band;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    FrameSides m_frame;
    AlphaColor m_frameColor = ColorBlack;
    AlphaColor m_color = ColorNull;
    Band* m_band = nullptr; // not owned
};

// How a text object turns a data-set number into text. Without a writer,
// a whole number prints plain and any other in printf's general form of 15
// significant digits, each with the locale's decimal point and minus sign.
// A writer, when set, writes every number, so that a program prints its
// figures by its own rounding rule; it gets the locale the text is for and
// puts in its separator.
struct DisplayFormat {
    std::function<QString(double, const QLocale&)> writer;
};

// A text object.
class MemoView : public View {
public:
    using View::View;
    ObjectKind kind() const override { return ObjectKind::Memo; }

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    const QString& fontName() const { return m_fontName; }
    void setFontName(const QString& name) { m_fontName = name; }
    float fontSize() const { return m_fontSize; }
    void setFontSize(float points) { m_fontSize = points; }
    bool bold() const { return m_bold; }
    void setBold(bool bold) { m_bold = bold; }
    bool italic() const { return m_italic; }
    void setItalic(bool italic) { m_italic = italic; }

    HAlign hAlign() const { return m_hAlign; }
    void setHAlign(HAlign align) { m_hAlign = align; }
    VAlign vAlign() const { return m_vAlign; }
    void setVAlign(VAlign align) { m_vAlign = align; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }

    // "[Date]" and "[Page#]" in the text are replaced while preparing only
    // when this is set, so that filled-in customer text is never evaluated.
    bool allowExpressions() const { return m_allowExpressions; }
    void setAllowExpressions(bool allow) { m_allowExpressions = allow; }

    // With a data set and a field, the printed text is that column's value
    // of the current record.
    UserDataSet* dataSet() const { return m_dataSet; }
    const QString& dataField() const { return m_dataField; }
    void setDataField(UserDataSet* dataSet, const QString& field);
    const DisplayFormat& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const DisplayFormat& format) { m_displayFormat = format; }

private:
    QString m_text;
    QString m_fontName = DefaultFontName;
    float m_fontSize = DefaultFontSize;
    bool m_bold = false;
    bool m_italic = false;
    HAlign m_hAlign = DefaultHAlign;
    VAlign m_vAlign = DefaultVAlign;
    bool m_wordWrap = DefaultWordWrap;
    bool m_allowExpressions = false;
    UserDataSet* m_dataSet = nullptr; // not owned
    QString m_dataField;
    DisplayFormat m_displayFormat;
};

class PictureView : public View {
public:
    using View::View;
    ObjectKind kind() const override { return ObjectKind::Picture; }

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture) { m_picture = picture; }
    bool keepAspectRatio() const { return m_keepAspectRatio; }
    void setKeepAspectRatio(bool keep) { m_keepAspectRatio = keep; }
    bool center() const { return m_center; }
    void setCenter(bool center) { m_center = center; }

private:
    QImage m_picture;
    bool m_keepAspectRatio = true;
    bool m_center = false;
};

// A line along the object's top edge.
class LineView : public View {
public:
    using View::View;
    ObjectKind kind() const override { return ObjectKind::Line; }
};

// A filled rectangle: fill in color(), outline in frameColor().
class ShapeView : public View {
public:
    using View::View;
    ObjectKind kind() const override { return ObjectKind::Shape; }
};

enum class BandKind { PageHeader, Header, MasterData, PageFooter };

// A horizontal strip of a page, owning its views in print order.
class Band : public Component {
public:
    Band(QString name, BandKind kind, double height)
        : Component(std::move(name))
        , m_kind(kind)
        , m_height(height)
    {
    }

    BandKind kind() const { return m_kind; }
    double height() const { return m_height; }
    void setHeight(double height) { m_height = height; }

    // Adds a view and hands it back for setting up.
    template <typename T> T& add(const QString& name)
    {
        auto view = std::make_unique<T>(name);
        T& ref = *view;
        adopt(std::move(view));
        return ref;
    }
    const std::vector<std::unique_ptr<View>>& views() const { return m_views; }

    // True when the band would print nothing: no view is visible.
    bool isEmpty() const;

    // Master data: printed once per record of its data set, or RowCount
    // times without one; its header band is printed once, just before the
    // first row.
    int rowCount() const { return m_rowCount; }
    void setRowCount(int rows) { m_rowCount = rows; }
    UserDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(UserDataSet* dataSet) { m_dataSet = dataSet; }
    Band* header() const { return m_header; }
    void setHeader(Band* header) { m_header = header; }

    ReportPage* page() const { return m_page; }

private:
    friend class ReportPage;
    void adopt(std::unique_ptr<View> view);

    BandKind m_kind;
    double m_height;
    std::vector<std::unique_ptr<View>> m_views;
    int m_rowCount = 1;
    UserDataSet* m_dataSet = nullptr; // not owned
    Band* m_header = nullptr; // not owned; a band of the same page
    ReportPage* m_page = nullptr; // not owned
};

// One page of the template; it may print on several sheets.
class ReportPage : public Component {
public:
    // A4 portrait with 10 mm margins unless set otherwise.
    explicit ReportPage(QString name)
        : Component(std::move(name))
    {
    }

    double paperWidthMm() const { return m_paperWidthMm; }
    double paperHeightMm() const { return m_paperHeightMm; }
    void setPaperSize(double widthMm, double heightMm);
    double leftMarginMm() const { return m_margins[0]; }
    double topMarginMm() const { return m_margins[1]; }
    double rightMarginMm() const { return m_margins[2]; }
    double bottomMarginMm() const { return m_margins[3]; }
    void setMargins(double left, double top, double right, double bottom);

    // The sheet in whole report pixels, as prepared sheets carry it
    // (A4: 794 × 1123).
    double sheetWidth() const;
    double sheetHeight() const;
    // The width of a band: the paper less its side margins.
    double bandWidth() const;

    Band& addBand(const QString& name, BandKind kind, double height);
    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }
    Band* pageHeader() const;
    Band* pageFooter() const;

private:
    double m_paperWidthMm = 210;
    double m_paperHeightMm = 297;
    double m_margins[4] = { 10, 10, 10, 10 };
    std::vector<std::unique_ptr<Band>> m_bands;
};

} // namespace report
