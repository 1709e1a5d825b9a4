#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <stdexcept>
#include <string>

// A PDF document drawn page by page, in points (72 to the inch) from the
// bottom-left corner of the current page, y growing upwards. A box is given
// by its left edge, its top edge, its width and its height and extends right
// and down from (left, top).
//
// The export filter talks only to this interface, so that its drawing can be
// recorded in tests; HaruDocument is the real one.
namespace pdf {

enum class PageLayout { SinglePage };
enum class PageSize { A4 };
enum class MeasurementUnits { Points };

// The document information entries, numbered as the export filter sets them.
enum class InfoEntry { Version = 0, Author = 1, Title = 2, Subject = 3, Keywords = 4, Creator = 5, Producer = 6 };

// Three of the fourteen standard PDF fonts.
enum class StandardFont { Helvetica = 4, HelveticaBold = 5, TimesItalic = 10 };

enum class TextAlign { Left = 0, Center = 1, Right = 2 };
// Where the block of lines sits in a text box.
enum class VerticalAlign { Center = 0, Top = 1, Bottom = 2 };
// Whether long lines of a text box wrap at its width, or each line stays
// whole and the text is drawn smaller when a line would not fit.
enum class TextWrap { Wrap, SingleLine };

// A failure of the PDF library, with its error and detail codes.
class PdfError : public std::runtime_error {
public:
    PdfError(const std::string& what, unsigned code = 0, unsigned detail = 0)
        : std::runtime_error(what)
        , m_code(code)
        , m_detail(detail)
    {
    }
    unsigned code() const { return m_code; }
    unsigned detail() const { return m_detail; }

private:
    unsigned m_code;
    unsigned m_detail;
};

class PdfDocument {
public:
    virtual ~PdfDocument() = default;

    virtual void setPageLayout(PageLayout layout) = 0;
    // Sizes the current page; pages appended later take its size.
    virtual void setPageSize(PageSize size) = 0;
    virtual void setMeasurementUnits(MeasurementUnits units) = 0;

    // Adds the installed TrueType font of that name ("Arial", "Arial[Bold]",
    // "Arial Narrow Cursiva") and makes it current. Returns its font id, or 0
    // when no such font is installed or it cannot be read.
    virtual int addTrueTypeFont(const QString& name, bool embed) = 0;
    // Adds a standard font and makes it current; returns its font id.
    virtual int addStandardFont(StandardFont font) = 0;
    virtual void selectFont(int fontId) = 0;

    // Version takes "1.0" to "1.7"; any other text leaves it unchanged.
    virtual void setInformation(InfoEntry entry, const QString& value) = 0;

    // Appends a page of the current page's size and makes it current.
    virtual void newPage() = 0;

    // Adds a picture from its pixels, with its transparency, and makes it
    // the current image. Returns its image id, or 0 for a null picture;
    // there is then no current image.
    virtual int addImage(const QImage& picture) = 0;
    // Draws the current image scaled by one factor so that it fits the box,
    // against the box's left and top edges.
    virtual void fitImage(double left, double top, double width, double height) = 0;
    // Draws the current image stretched to the box.
    virtual void drawImage(double left, double top, double width, double height) = 0;

    // Fill colour of boxes; each component from 0 to 1.
    virtual void setFillColor(double red, double green, double blue) = 0;
    // A box filled with the fill colour, without outline.
    virtual void drawBox(double left, double top, double width, double height) = 0;
    // A line in the default colour and width (black, 1 pt).
    virtual void drawLine(double startX, double startY, double endX, double endY) = 0;

    virtual void setTextAlign(TextAlign align) = 0;
    virtual void setTextSize(double size) = 0;
    // Draws text in the current font, size and alignment, starting a new
    // line at each line break and wrapping at the box's width between words;
    // a single-line text does not wrap: a line wider than the box is drawn
    // smaller than the size set, on the baseline of that size, down to 6 pt,
    // and cut at the box's edge when it is still wider there.
    virtual void drawTextBox(double left, double top, double width, double height, const QString& text,
        VerticalAlign verticalAlign, TextWrap wrap = TextWrap::Wrap)
        = 0;

    // Writes the whole document to `path`, replacing an existing file only
    // once everything was written. False when the file cannot be written.
    virtual bool saveToFile(const QString& path) = 0;
};

} // namespace pdf
