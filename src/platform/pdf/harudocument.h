#pragma once

#include "pdfdocument.h"

#include <QHash>

#include <hpdf.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace pdf {

// The PDF document over libharu. libharu reports errors through a callback;
// the callback only records them and every wrapper throws PdfError once the
// C call has returned, so no exception ever crosses the library.
class HaruDocument : public PdfDocument {
public:
    // A new document holding one empty A4 page, the current page.
    HaruDocument();
    ~HaruDocument() override;
    HaruDocument(const HaruDocument&) = delete;
    HaruDocument& operator=(const HaruDocument&) = delete;

    void setPageLayout(PageLayout layout) override;
    void setPageSize(PageSize size) override;
    void setMeasurementUnits(MeasurementUnits units) override;
    int addTrueTypeFont(const QString& name, bool embed) override;
    int addStandardFont(StandardFont font) override;
    void selectFont(int fontId) override;
    void setInformation(InfoEntry entry, const QString& value) override;
    void newPage() override;
    int addImage(const QImage& picture) override;
    void fitImage(double left, double top, double width, double height) override;
    void drawImage(double left, double top, double width, double height) override;
    void setFillColor(double red, double green, double blue) override;
    void drawBox(double left, double top, double width, double height) override;
    void drawLine(double startX, double startY, double endX, double endY) override;
    void setTextAlign(TextAlign align) override;
    void setTextSize(double size) override;
    void drawTextBox(double left, double top, double width, double height, const QString& text,
        VerticalAlign verticalAlign, TextWrap wrap = TextWrap::Wrap) override;
    bool saveToFile(const QString& path) override;

    // The whole document as it would be saved.
    QByteArray save();

private:
    struct Font {
        HPDF_Font handle = nullptr; // in the single-byte WinAnsi encoding
        // A TrueType font's libharu name, and the same font in Unicode
        // (UTF-8), made the first time a text needs it; null for a
        // standard font, which has WinAnsi only.
        const char* trueTypeName = nullptr;
        HPDF_Font unicodeHandle = nullptr;
        // Glyph widths in thousandths of the size, measured once per
        // character: directly for the first characters (-1 not yet
        // measured), by look-up for the rest.
        static constexpr char32_t DirectWidths = 0x250;
        std::vector<std::int16_t> directWidths = std::vector<std::int16_t>(DirectWidths, -1);
        std::unordered_map<char32_t, int> otherWidths;
    };
    struct Error {
        HPDF_STATUS code = HPDF_OK;
        HPDF_STATUS detail = 0;
    };
    struct Color {
        double red = 0;
        double green = 0;
        double blue = 0;
    };

    static void onError(HPDF_STATUS code, HPDF_STATUS detail, void* data);
    // Throws PdfError when libharu reported an error since the last check.
    void check();
    int addFont(HPDF_Font handle, const char* trueTypeName);
    HPDF_Font unicodeHandle(Font& font);
    static bool needsUnicode(const Font& font, const QString& text);
    // The font handle that draws `text`, and the text in its encoding.
    HPDF_Font handleFor(Font& font, const QString& text);
    static QByteArray encode(const Font& font, const QString& text);
    int measureGlyph(Font& font, char32_t character);
    double glyphWidth(Font& font, char32_t character);
    // In thousandths of the size.
    double textWidth(Font& font, const QString& text);
    void placeImage(double left, double bottom, double width, double height);
    HPDF_Image loadPixels(const QImage& picture);
    HPDF_Image newImage(int width, int height, HPDF_ColorSpace colorSpace);

    Error m_error;
    std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, void (*)(HPDF_Doc)> m_doc;
    HPDF_Page m_page = nullptr;
    std::vector<Font> m_fonts;
    int m_currentFont = 0;
    double m_textSize = 10;
    TextAlign m_textAlign = TextAlign::Left;
    Color m_fillColor;
    QHash<qint64, HPDF_Image> m_imagesByPicture;
    std::vector<HPDF_Image> m_images;
    HPDF_Image m_currentImage = nullptr;
    QByteArray m_version; // "1.0" to "1.7", or empty for libharu's own
};

} // namespace pdf
