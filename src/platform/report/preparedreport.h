#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

// The prepared report: what preparation leaves for the renderer and the
// export filters. Positions and sizes are report pixels, 96 to the inch
// (1 mm = 3.7795 units), measured from the paper's top-left corner with y
// growing downwards, margins included.
namespace report {

// Report pixels per millimetre.
inline constexpr double PixelsPerMm = 3.7795;

enum class ObjectKind : std::uint8_t {
    Band,    // a printed band; its views follow it as children
    Memo,    // text
    Picture, // picture
    Line,    // line along the object's top edge
    Shape,   // filled rectangle
    Other,   // a view of another kind: only its frame is exported
};

enum class HAlign : std::uint8_t { Left, Right, Center, Block };
enum class VAlign : std::uint8_t { Top, Bottom, Center };

// The sides of an object's frame.
struct FrameSides {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    bool any() const { return top || bottom || left || right; }
};

// Colours as 32-bit ARGB: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
using AlphaColor = std::uint32_t;
inline constexpr AlphaColor ColorBlack = 0xFF000000u;
inline constexpr AlphaColor ColorSilver = 0xFFC0C0C0u;
inline constexpr AlphaColor ColorNull = 0x00000000u;

// The fixed inner margins of text, in report pixels, shared by the renderer
// and the PDF export.
inline constexpr double DefaultGapX = 2.0;
inline constexpr double DefaultGapY = 1.0;

// A text's look where the template sets no other: a text object starts
// with it, and so does a prepared text.
inline constexpr QLatin1String DefaultFontName("Arial");
inline constexpr float DefaultFontSize = 10.0f; // points
inline constexpr HAlign DefaultHAlign = HAlign::Left;
inline constexpr VAlign DefaultVAlign = VAlign::Top;
inline constexpr bool DefaultWordWrap = true;

// One object of a prepared sheet.
struct PreparedObject {
    ObjectKind kind = ObjectKind::Other;
    QString name;
    bool visible = true;
    bool printable = true;

    double absLeft = 0;
    double absTop = 0;
    double width = 0;
    double height = 0;

    // The report page the object belongs to; the sheet's background object
    // belongs to none.
    bool hasPage = true;
    double pageHeight = 0;

    // Text objects.
    QString text; // final text, lines joined by '\n'
    QString fontName = DefaultFontName;
    float fontSize = DefaultFontSize;
    bool bold = false;
    bool italic = false;
    HAlign hAlign = DefaultHAlign;
    VAlign vAlign = DefaultVAlign;
    double gapX = DefaultGapX;
    double gapY = DefaultGapY;
    bool wordWrap = DefaultWordWrap;
    AlphaColor fontColor = ColorBlack;

    // Every view.
    FrameSides frame;
    AlphaColor frameColor = ColorBlack;
    AlphaColor color = ColorNull; // fill colour of shapes (and text backgrounds)

    // Pictures.
    QImage picture;
    bool keepAspectRatio = true;
    bool center = false;

    // Bands: the views printed with them, in order.
    std::vector<PreparedObject> children;
};

// One printed sheet.
struct PreparedPage {
    double width = 0;  // report pixels
    double height = 0; // report pixels (1123 for A4)
    // The sheet's objects in order: first its background object (a picture
    // that belongs to no page and carries the page's frame), then its bands.
    std::vector<PreparedObject> objects;
};

struct PreparedReport {
    std::vector<PreparedPage> pages;
};

} // namespace report
