#include "harudocument.h"

#include "fontlocator.h"
#include "textlayout.h"
#include "winansi.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace pdf {

namespace {

// Glyph widths and font measures come in thousandths of the font size.
constexpr double GlyphUnits = 1000.0;

const char* standardFontName(StandardFont font)
{
    switch (font) {
    case StandardFont::Helvetica:
        return "Helvetica";
    case StandardFont::HelveticaBold:
        return "Helvetica-Bold";
    case StandardFont::TimesItalic:
        return "Times-Italic";
    }
    return "Helvetica";
}

bool isVersionText(const QString& value)
{
    return value.size() == 3 && value.startsWith(QLatin1String("1.")) && value[2] >= QLatin1Char('0')
        && value[2] <= QLatin1Char('7');
}

HPDF_InfoType infoType(InfoEntry entry)
{
    switch (entry) {
    case InfoEntry::Author:
        return HPDF_INFO_AUTHOR;
    case InfoEntry::Title:
        return HPDF_INFO_TITLE;
    case InfoEntry::Subject:
        return HPDF_INFO_SUBJECT;
    case InfoEntry::Keywords:
        return HPDF_INFO_KEYWORDS;
    case InfoEntry::Creator:
        return HPDF_INFO_CREATOR;
    case InfoEntry::Producer:
    case InfoEntry::Version:
        break;
    }
    return HPDF_INFO_PRODUCER;
}

// The picture as a PNG that Qt itself wrote. libharu's PNG reader lets
// libpng abort the process on damaged data, so it only ever sees this.
QByteArray cleanPng(const QByteArray& data)
{
    QImage image = QImage::fromData(data);
    if (image.isNull())
        return {};
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}

} // namespace

HaruDocument::HaruDocument()
    : m_doc(HPDF_New(&HaruDocument::onError, &m_error), &HPDF_Free)
{
    if (!m_doc)
        throw PdfError("The PDF document could not be created");
    HPDF_SetCompressionMode(m_doc.get(), HPDF_COMP_ALL);
    HPDF_UseUTFEncodings(m_doc.get());
    // The information entries are given in UTF-8.
    HPDF_SetCurrentEncoder(m_doc.get(), "UTF-8");
    m_page = HPDF_AddPage(m_doc.get());
    check();
    HPDF_Page_SetSize(m_page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    check();
}

HaruDocument::~HaruDocument() = default;

void HaruDocument::onError(HPDF_STATUS code, HPDF_STATUS detail, void* data)
{
    auto* error = static_cast<Error*>(data);
    if (error->code == HPDF_OK) {
        error->code = code;
        error->detail = detail;
    }
}

void HaruDocument::check()
{
    if (m_error.code == HPDF_OK)
        return;
    const Error error = m_error;
    m_error = {};
    HPDF_ResetError(m_doc.get());
    char text[96];
    std::snprintf(text, sizeof text, "PDF library error 0x%04X (detail %u)", static_cast<unsigned>(error.code),
        static_cast<unsigned>(error.detail));
    throw PdfError(text, error.code, error.detail);
}

void HaruDocument::setPageLayout(PageLayout)
{
    HPDF_SetPageLayout(m_doc.get(), HPDF_PAGE_LAYOUT_SINGLE);
    check();
}

void HaruDocument::setPageSize(PageSize)
{
    HPDF_Page_SetSize(m_page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    check();
}

void HaruDocument::setMeasurementUnits(MeasurementUnits)
{
    // libharu works in points only.
}

int HaruDocument::addFont(HPDF_Font handle, bool unicode)
{
    m_fonts.push_back({ handle, unicode });
    m_currentFont = static_cast<int>(m_fonts.size());
    return m_currentFont;
}

int HaruDocument::addTrueTypeFont(const QString& name, bool embed)
{
    const QString path = findTrueTypeFile(parseFontName(name));
    if (path.isEmpty())
        return 0;
    const char* fontName = HPDF_LoadTTFontFromFile(m_doc.get(), path.toLocal8Bit().constData(), embed);
    HPDF_Font handle = fontName ? HPDF_GetFont(m_doc.get(), fontName, "UTF-8") : nullptr;
    if (m_error.code != HPDF_OK || !handle) {
        // A font file libharu cannot read counts as a font that is not there.
        m_error = {};
        HPDF_ResetError(m_doc.get());
        return 0;
    }
    return addFont(handle, true);
}

int HaruDocument::addStandardFont(StandardFont font)
{
    HPDF_Font handle = HPDF_GetFont(m_doc.get(), standardFontName(font), "WinAnsiEncoding");
    check();
    return addFont(handle, false);
}

void HaruDocument::selectFont(int fontId)
{
    if (fontId < 1 || fontId > static_cast<int>(m_fonts.size()))
        throw PdfError("Unknown font id");
    m_currentFont = fontId;
}

void HaruDocument::setInformation(InfoEntry entry, const QString& value)
{
    if (entry == InfoEntry::Version) {
        if (isVersionText(value))
            m_version = value.toLatin1();
        return;
    }
    HPDF_SetInfoAttr(m_doc.get(), infoType(entry), value.toUtf8().constData());
    check();
}

void HaruDocument::newPage()
{
    const HPDF_REAL width = HPDF_Page_GetWidth(m_page);
    const HPDF_REAL height = HPDF_Page_GetHeight(m_page);
    HPDF_Page page = HPDF_AddPage(m_doc.get());
    check();
    m_page = page;
    HPDF_Page_SetWidth(m_page, width);
    HPDF_Page_SetHeight(m_page, height);
    check();
}

int HaruDocument::addImageFromStream(const QByteArray& data)
{
    m_currentImage = nullptr;
    const QByteArray png = cleanPng(data);
    if (png.isEmpty())
        return 0;

    // The report repeats its emblem and logo on every page: one copy each.
    const QByteArray key = QCryptographicHash::hash(png, QCryptographicHash::Sha1);
    HPDF_Image image = m_imagesByContent.value(key, nullptr);
    if (!image) {
        image = HPDF_LoadPngImageFromMem(
            m_doc.get(), reinterpret_cast<const HPDF_BYTE*>(png.constData()), static_cast<HPDF_UINT>(png.size()));
        check();
        m_imagesByContent.insert(key, image);
    }
    m_images.push_back(image);
    m_currentImage = image;
    return static_cast<int>(m_images.size());
}

void HaruDocument::placeImage(double left, double bottom, double width, double height)
{
    HPDF_Page_DrawImage(m_page, m_currentImage, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(bottom),
        static_cast<HPDF_REAL>(width), static_cast<HPDF_REAL>(height));
    check();
}

void HaruDocument::fitImage(double left, double top, double width, double height)
{
    if (!m_currentImage)
        return;
    const double imageWidth = HPDF_Image_GetWidth(m_currentImage);
    const double imageHeight = HPDF_Image_GetHeight(m_currentImage);
    if (imageWidth <= 0 || imageHeight <= 0)
        return;
    const double scale = std::min(width / imageWidth, height / imageHeight);
    placeImage(left, top - imageHeight * scale, imageWidth * scale, imageHeight * scale);
}

void HaruDocument::drawImage(double left, double top, double width, double height)
{
    if (!m_currentImage)
        return;
    placeImage(left, top - height, width, height);
}

void HaruDocument::setFillColor(double red, double green, double blue)
{
    m_fillColor = { std::clamp(red, 0.0, 1.0), std::clamp(green, 0.0, 1.0), std::clamp(blue, 0.0, 1.0) };
}

void HaruDocument::drawBox(double left, double top, double width, double height)
{
    HPDF_Page_SetRGBFill(m_page, static_cast<HPDF_REAL>(m_fillColor.red), static_cast<HPDF_REAL>(m_fillColor.green),
        static_cast<HPDF_REAL>(m_fillColor.blue));
    HPDF_Page_Rectangle(m_page, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(top - height),
        static_cast<HPDF_REAL>(width), static_cast<HPDF_REAL>(height));
    HPDF_Page_Fill(m_page);
    check();
}

void HaruDocument::drawLine(double startX, double startY, double endX, double endY)
{
    HPDF_Page_MoveTo(m_page, static_cast<HPDF_REAL>(startX), static_cast<HPDF_REAL>(startY));
    HPDF_Page_LineTo(m_page, static_cast<HPDF_REAL>(endX), static_cast<HPDF_REAL>(endY));
    HPDF_Page_Stroke(m_page);
    check();
}

void HaruDocument::setTextAlign(TextAlign align)
{
    m_textAlign = align;
}

void HaruDocument::setTextSize(double size)
{
    m_textSize = size;
}

QByteArray HaruDocument::encode(const Font& font, const QString& text) const
{
    return font.unicode ? text.toUtf8() : toWinAnsi(text);
}

void HaruDocument::drawTextBox(double left, double top, double width, double height, const QString& text,
    VerticalAlign verticalAlign, TextWrap wrap)
{
    if (m_currentFont == 0)
        throw PdfError("No font selected for text");
    const Font& font = m_fonts[static_cast<std::size_t>(m_currentFont - 1)];
    double size = m_textSize;

    // libharu refuses a size it cannot use (not above 0, or above 600 pt)
    // before anything is measured or drawn with it.
    HPDF_Page_SetFontAndSize(m_page, font.handle, static_cast<HPDF_REAL>(size));
    check();

    const TextMeasure measure = [&](const QString& line) {
        const QByteArray bytes = encode(font, line);
        const HPDF_TextWidth measured = HPDF_Font_TextWidth(
            font.handle, reinterpret_cast<const HPDF_BYTE*>(bytes.constData()), static_cast<HPDF_UINT>(bytes.size()));
        return measured.width * size / GlyphUnits;
    };
    if (wrap == TextWrap::SingleLine) {
        const double fitted = singleLineFitSize(text, width, size, measure);
        if (fitted < size) {
            size = fitted;
            HPDF_Page_SetFontAndSize(m_page, font.handle, static_cast<HPDF_REAL>(size));
            check();
        }
    }
    const LineMetrics metrics { HPDF_Font_GetAscent(font.handle) * size / GlyphUnits,
        HPDF_Font_GetDescent(font.handle) * size / GlyphUnits };
    const std::vector<PlacedLine> lines
        = layoutText(text, TextBox { left, top, width, height }, m_textAlign, verticalAlign, metrics, measure, wrap);

    HPDF_Page_SetRGBFill(m_page, 0, 0, 0);
    HPDF_Page_BeginText(m_page);
    HPDF_Page_SetTextLeading(m_page, static_cast<HPDF_REAL>(metrics.lineHeight()));
    for (const PlacedLine& line : lines) {
        if (line.text.isEmpty())
            continue;
        HPDF_Page_TextOut(m_page, static_cast<HPDF_REAL>(line.x), static_cast<HPDF_REAL>(line.baseline),
            encode(font, line.text).constData());
    }
    HPDF_Page_EndText(m_page);
    check();
}

QByteArray HaruDocument::save()
{
    HPDF_SaveToStream(m_doc.get());
    check();
    QByteArray bytes(static_cast<qsizetype>(HPDF_GetStreamSize(m_doc.get())), '\0');
    HPDF_UINT32 length = static_cast<HPDF_UINT32>(bytes.size());
    const HPDF_STATUS status = HPDF_ReadFromStream(m_doc.get(), reinterpret_cast<HPDF_BYTE*>(bytes.data()), &length);
    if (status == HPDF_STREAM_EOF) {
        // Reading the stream to its very end reports the end as an error.
        m_error = {};
        HPDF_ResetError(m_doc.get());
    }
    check();
    bytes.truncate(length);

    // libharu writes "%PDF-1.3" (or higher) as the header; the version asked
    // for takes the same three bytes, so no offset moves.
    static constexpr char Header[] = "%PDF-";
    if (!m_version.isEmpty() && bytes.startsWith(Header) && bytes.size() > 8)
        bytes.replace(5, 3, m_version);
    return bytes;
}

bool HaruDocument::saveToFile(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = save();
    } catch (const PdfError&) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace pdf
