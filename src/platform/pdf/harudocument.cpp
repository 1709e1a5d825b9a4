#include "harudocument.h"

#include "fontlocator.h"
#include "replacefile.h"
#include "textlayout.h"
#include "winansi.h"

// libharu's own object and stream headers: pictures are put into image
// objects already compressed (see newImage).
#include <hpdf_objects.h>
#include <hpdf_streams.h>
#include <zlib.h>

// newImage and ImageDeflater write into libharu's image record itself (its
// `stream`, `filter` and `write_fn` fields, and the memory stream behind
// `stream`), which is no public interface. Built against its own headers,
// another libharu would put those fields where it keeps them; the risk is
// that it fills the record differently (another kind of stream behind
// `stream`, other filters, another way of writing or freeing it), so that
// what we put there is not what it then expects. Before allowing another
// version, compare what HPDF_LoadRawImageFromMem puts into the record, the
// meaning of HPDF_STREAM_FILTER_NONE, and how HPDF_MemStream_FreeData and the
// writing of an image object use `stream`, `filter` and `write_fn` with
// 2.3.0's.
static_assert(HPDF_VERSION_ID == 20300, "the picture path is written for libharu 2.3.0's image record only");

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>

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

// Where the TrueType font of a name lies. Asking fontconfig takes longer
// than the rest of loading a font, and the answer holds for the run.
QString trueTypeFile(const QString& name)
{
    static std::mutex mutex;
    static QHash<QString, QString> files;
    const std::lock_guard lock(mutex);
    const auto found = files.constFind(name);
    if (found != files.constEnd())
        return *found;
    const QString file = findTrueTypeFile(parseFontName(name));
    files.insert(name, file);
    return file;
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

int HaruDocument::addFont(HPDF_Font handle, const char* trueTypeName)
{
    Font& font = m_fonts.emplace_back();
    font.handle = handle;
    font.trueTypeName = trueTypeName;
    m_currentFont = static_cast<int>(m_fonts.size());
    return m_currentFont;
}

int HaruDocument::addTrueTypeFont(const QString& name, bool embed)
{
    const QString path = trueTypeFile(name);
    if (path.isEmpty())
        return 0;
    const char* fontName = HPDF_LoadTTFontFromFile(m_doc.get(), path.toLocal8Bit().constData(), embed);
    HPDF_Font handle = fontName ? HPDF_GetFont(m_doc.get(), fontName, "WinAnsiEncoding") : nullptr;
    if (m_error.code != HPDF_OK || !handle) {
        // A font file libharu cannot read counts as a font that is not there.
        m_error = {};
        HPDF_ResetError(m_doc.get());
        return 0;
    }
    return addFont(handle, fontName);
}

HPDF_Font HaruDocument::unicodeHandle(Font& font)
{
    if (!font.unicodeHandle) {
        font.unicodeHandle = HPDF_GetFont(m_doc.get(), font.trueTypeName, "UTF-8");
        check();
    }
    return font.unicodeHandle;
}

int HaruDocument::addStandardFont(StandardFont font)
{
    HPDF_Font handle = HPDF_GetFont(m_doc.get(), standardFontName(font), "WinAnsiEncoding");
    check();
    return addFont(handle, nullptr);
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

int HaruDocument::addImage(const QImage& picture)
{
    m_currentImage = nullptr;
    if (picture.isNull())
        return 0;

    // The report repeats its emblem and logo on every page: one copy of
    // each picture, known by its pixels' identity.
    HPDF_Image image = m_imagesByPicture.value(picture.cacheKey(), nullptr);
    if (!image) {
        image = loadPixels(picture);
        m_imagesByPicture.insert(picture.cacheKey(), image);
    }
    m_images.push_back(image);
    m_currentImage = image;
    return static_cast<int>(m_images.size());
}

namespace {

HPDF_STATUS writeFlateFilter(HPDF_Dict, HPDF_Stream stream)
{
    return HPDF_Stream_WriteStr(stream, "/Filter /FlateDecode\012");
}

// Deflates rows of pixels straight into an image object's stream, in
// pieces, at zlib's fastest level: libharu would deflate them at the
// default level, which takes most of an export.
class ImageDeflater {
public:
    explicit ImageDeflater(HPDF_Image image)
        : m_image(image)
    {
        if (deflateInit(&m_zlib, Z_BEST_SPEED) != Z_OK)
            throw PdfError("A picture could not be compressed");
    }
    ~ImageDeflater() { deflateEnd(&m_zlib); }
    ImageDeflater(const ImageDeflater&) = delete;
    ImageDeflater& operator=(const ImageDeflater&) = delete;

    void add(const unsigned char* data, std::size_t size) { run(data, size, Z_NO_FLUSH); }
    void finish() { run(nullptr, 0, Z_FINISH); }

private:
    void run(const unsigned char* data, std::size_t size, int flush)
    {
        m_zlib.next_in = const_cast<Bytef*>(data);
        m_zlib.avail_in = static_cast<uInt>(size);
        int status = Z_OK;
        do {
            m_zlib.next_out = m_out;
            m_zlib.avail_out = sizeof m_out;
            status = deflate(&m_zlib, flush);
            if (status == Z_STREAM_ERROR)
                throw PdfError("A picture could not be compressed");
            const auto produced = static_cast<HPDF_UINT>(sizeof m_out - m_zlib.avail_out);
            if (produced > 0 && HPDF_Stream_Write(m_image->stream, m_out, produced) != HPDF_OK)
                throw PdfError("A picture could not be stored");
        } while (m_zlib.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }

    HPDF_Image m_image;
    z_stream m_zlib {};
    unsigned char m_out[32768];
};

} // namespace

// An image object of the picture's size whose stream is filled and
// compressed here (see ImageDeflater) and written to the file as it is.
HPDF_Image HaruDocument::newImage(int width, int height, HPDF_ColorSpace colorSpace)
{
    const HPDF_BYTE pixel[3] = { 0, 0, 0 };
    HPDF_Image image = HPDF_LoadRawImageFromMem(m_doc.get(), pixel, 1, 1, colorSpace, 8);
    check();
    HPDF_Dict_AddNumber(image, "Width", width);
    HPDF_Dict_AddNumber(image, "Height", height);
    check();
    HPDF_MemStream_FreeData(image->stream);
    image->filter = HPDF_STREAM_FILTER_NONE;
    image->write_fn = &writeFlateFilter;
    return image;
}

HPDF_Image HaruDocument::loadPixels(const QImage& picture)
{
    // Rows are read as 32-bit pixels; other formats are converted first.
    QImage source = picture;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32
        && source.format() != QImage::Format_ARGB32_Premultiplied)
        source = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied;
    bool transparent = false;
    if (source.format() != QImage::Format_RGB32) {
        for (int y = 0; y < height && !transparent; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            transparent = std::any_of(row, row + width, [](QRgb pixel) { return qAlpha(pixel) != 0xFF; });
        }
    }

    // The colour without padding, and the alpha channel as a soft mask of
    // its own when the picture is not opaque.
    HPDF_Image image = newImage(width, height, HPDF_CS_DEVICE_RGB);
    HPDF_Image mask = transparent ? newImage(width, height, HPDF_CS_DEVICE_GRAY) : nullptr;
    ImageDeflater colour(image);
    std::optional<ImageDeflater> alpha;
    if (mask)
        alpha.emplace(mask);
    std::vector<unsigned char> rgbRow(static_cast<std::size_t>(width) * 3);
    std::vector<unsigned char> alphaRow(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        unsigned char* rgb = rgbRow.data();
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = premultiplied ? qUnpremultiply(row[x]) : row[x];
            *rgb++ = static_cast<unsigned char>(qRed(pixel));
            *rgb++ = static_cast<unsigned char>(qGreen(pixel));
            *rgb++ = static_cast<unsigned char>(qBlue(pixel));
            alphaRow[static_cast<std::size_t>(x)] = static_cast<unsigned char>(qAlpha(pixel));
        }
        colour.add(rgbRow.data(), rgbRow.size());
        if (alpha)
            alpha->add(alphaRow.data(), alphaRow.size());
    }
    colour.finish();
    if (alpha) {
        alpha->finish();
        HPDF_Image_AddSMask(image, mask);
        check();
    }
    return image;
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

bool HaruDocument::needsUnicode(const Font& font, const QString& text)
{
    return font.trueTypeName && !isWinAnsi(text);
}

HPDF_Font HaruDocument::handleFor(Font& font, const QString& text)
{
    return needsUnicode(font, text) ? unicodeHandle(font) : font.handle;
}

QByteArray HaruDocument::encode(const Font& font, const QString& text)
{
    return needsUnicode(font, text) ? text.toUtf8() : toWinAnsi(text);
}

double HaruDocument::glyphWidth(Font& font, char32_t character)
{
    if (character < Font::DirectWidths) {
        std::int16_t& width = font.directWidths[character];
        if (width < 0)
            width = static_cast<std::int16_t>(measureGlyph(font, character));
        return width;
    }
    const auto found = font.otherWidths.find(character);
    if (found != font.otherWidths.end())
        return found->second;
    const int width = measureGlyph(font, character);
    font.otherWidths.emplace(character, width);
    return width;
}

int HaruDocument::measureGlyph(Font& font, char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    const QByteArray bytes = encode(font, text);
    const HPDF_TextWidth measured = HPDF_Font_TextWidth(handleFor(font, text),
        reinterpret_cast<const HPDF_BYTE*>(bytes.constData()), static_cast<HPDF_UINT>(bytes.size()));
    check();
    return static_cast<int>(measured.width);
}

double HaruDocument::textWidth(Font& font, const QString& text)
{
    // libharu sums whole glyph widths, without kerning: so does this, one
    // cached width per character.
    double width = 0;
    const char16_t* at = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* end = at + text.size();
    while (at < end) {
        char32_t character = *at++;
        if (QChar::isHighSurrogate(character) && at < end && QChar::isLowSurrogate(*at))
            character = QChar::surrogateToUcs4(static_cast<char16_t>(character), *at++);
        width += glyphWidth(font, character);
    }
    return width;
}

void HaruDocument::drawTextBox(double left, double top, double width, double height, const QString& text,
    VerticalAlign verticalAlign, TextWrap wrap)
{
    if (m_currentFont == 0)
        throw PdfError("No font selected for text");
    Font& font = m_fonts[static_cast<std::size_t>(m_currentFont - 1)];
    const double size = m_textSize;

    // A text all of whose characters the single-byte encoding holds is drawn
    // with the font in that encoding, any other text with the same font in
    // Unicode; both draw the same glyphs of the same embedded font file.
    HPDF_Font handle = handleFor(font, text);
    // libharu refuses a size it cannot use (not above 0, or above 600 pt)
    // before anything is measured or drawn with it.
    HPDF_Page_SetFontAndSize(m_page, handle, static_cast<HPDF_REAL>(size));
    check();

    const auto measureAt = [&](double atSize) {
        return TextMeasure(
            [&font, this, atSize](const QString& line) { return textWidth(font, line) * atSize / GlyphUnits; });
    };
    // Lines sit on the baselines of the size set, also when a single-line
    // text is drawn smaller: its baseline stays on the line of its label.
    const LineMetrics metrics { HPDF_Font_GetAscent(handle) * size / GlyphUnits,
        HPDF_Font_GetDescent(handle) * size / GlyphUnits };
    QString shown = text;
    double drawnSize = size;
    if (wrap == TextWrap::SingleLine) {
        SingleLineFit fit = fitSingleLine(text, width, size, measureAt(size));
        shown = std::move(fit.text);
        drawnSize = fit.size;
        if (drawnSize != size) {
            HPDF_Page_SetFontAndSize(m_page, handle, static_cast<HPDF_REAL>(drawnSize));
            check();
        }
    }
    const std::vector<PlacedLine> lines = layoutText(
        shown, TextBox { left, top, width, height }, m_textAlign, verticalAlign, metrics, measureAt(drawnSize), wrap);

    HPDF_Page_SetRGBFill(m_page, 0, 0, 0);
    HPDF_Page_BeginText(m_page);
    HPDF_Page_SetTextLeading(m_page, static_cast<HPDF_REAL>(metrics.lineHeight()));
    for (const PlacedLine& line : lines) {
        if (line.text.isEmpty())
            continue;
        HPDF_Page_TextOut(m_page, static_cast<HPDF_REAL>(line.x), static_cast<HPDF_REAL>(line.baseline),
            (handle == font.handle ? toWinAnsi(line.text) : line.text.toUtf8()).constData());
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
    try {
        files::replaceFile(path, save());
    } catch (const PdfError&) {
        return false;
    } catch (const files::WriteFailed&) {
        return false;
    }
    return true;
}

} // namespace pdf
