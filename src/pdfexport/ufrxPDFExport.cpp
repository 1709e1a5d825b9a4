#include "ufrxPDFExport.h"

#include "exceptions.h"
#include "harudocument.h"
#include "textalignment.h"

#include <QFileInfo>

namespace {

// Report pixels (96 to the inch) to PDF points (72 to the inch).
constexpr float PixelsToPoints = 0.75f;

QString cannotSaveMessage()
{
    return QStringLiteral("No es posible guardar el archivo en la carpeta destino.");
}

// Whether a new file of that name can be put in place: its folder exists
// and can be written, and the name is not taken by something other than a
// file.
bool canReplace(const QString& path)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;
    const QFileInfo folder(QFileInfo(target.exists() ? target.canonicalFilePath() : path).absolutePath());
    return folder.isDir() && folder.isWritable();
}

// A failure of the PDF library, as the error the printing action shows; the
// library's own code stays in ErrorCode.
EInOutError libraryFailure(const pdf::PdfError& error)
{
    return EInOutError(
        QStringLiteral("Ha ocurrido un error al crear el documento PDF."), static_cast<int>(error.code()));
}

double colorComponent(report::AlphaColor color, int shift)
{
    return static_cast<double>((color >> shift) & 0xFFu) / 255.0;
}

} // namespace

TfrxPDFExport::TfrxPDFExport(IDialogService& dialogs, DocumentFactory createDocument)
    : m_dialogs(dialogs)
    , m_createDocument(std::move(createDocument))
{
    if (!m_createDocument)
        m_createDocument = [] { return std::make_unique<pdf::HaruDocument>(); };
}

TfrxPDFExport::~TfrxPDFExport() = default;

QString TfrxPDFExport::GetDescription()
{
    return QStringLiteral("Exportar a PDF");
}

report::ModalResult TfrxPDFExport::ShowModal()
{
    const std::optional<QString> chosen
        = m_dialogs.getSaveFileName(QString(), QStringLiteral("Adobe PDF (*.pdf)|*.pdf"), QStringLiteral(".pdf"), true);
    if (!chosen)
        return report::ModalResult::Cancel;
    FSaveFile = *chosen;
    // An existing file stays until the new one is complete (Finish); only
    // whether it can be replaced is checked now, before anything is drawn.
    if (!canReplace(FSaveFile))
        throw EInOutError(cannotSaveMessage());
    return report::ModalResult::Ok;
}

bool TfrxPDFExport::Start()
{
    try {
        FPDFLibrary = m_createDocument();
        FPDFLibrary->setPageLayout(pdf::PageLayout::SinglePage);
        FPDFLibrary->setPageSize(pdf::PageSize::A4);
        FPDFLibrary->setMeasurementUnits(pdf::MeasurementUnits::Points);

        FFontID = FPDFLibrary->addTrueTypeFont(QStringLiteral("Arial"), true);
        FFontBoldID = FPDFLibrary->addTrueTypeFont(QStringLiteral("Arial[Bold]"), true);
        FFontItalicID = FPDFLibrary->addTrueTypeFont(QStringLiteral("Arial Narrow Cursiva"), true);

        FPDFLibrary->setInformation(pdf::InfoEntry::Version, Version);
        FPDFLibrary->setInformation(pdf::InfoEntry::Author, Author);
        FPDFLibrary->setInformation(pdf::InfoEntry::Title, Title);
        FPDFLibrary->setInformation(pdf::InfoEntry::Subject, QString());
        FPDFLibrary->setInformation(pdf::InfoEntry::Keywords, QString());
        FPDFLibrary->setInformation(pdf::InfoEntry::Creator, Creator);
        FPDFLibrary->setInformation(pdf::InfoEntry::Producer, Creator);
    } catch (const pdf::PdfError& error) {
        m_drawingFailed = true;
        throw libraryFailure(error);
    }
    return true;
}

void TfrxPDFExport::StartPage(const report::PreparedPage& page, int index)
{
    m_sheetHeight = page.height;
    if (index <= 0)
        return;
    try {
        FPDFLibrary->newPage();
    } catch (const pdf::PdfError& error) {
        m_drawingFailed = true;
        throw libraryFailure(error);
    }
}

void TfrxPDFExport::FinishPage(const report::PreparedPage&, int) { }

void TfrxPDFExport::Finish()
{
    // A report that could not be drawn completely is not written at all:
    // the error that stopped it reaches the caller instead.
    if (m_drawingFailed || !FPDFLibrary)
        return;
    if (!FPDFLibrary->saveToFile(FSaveFile))
        throw EInOutError(cannotSaveMessage());
}

double TfrxPDFExport::ConvertX(double x) const
{
    return x * PixelsToPoints;
}

// PDF y grows upwards from the page's bottom edge, counted from the report
// page's own height (1123 px for A4, which puts its top edge at 842.25 pt).
double TfrxPDFExport::ConvertY(const report::PreparedObject& object, double y) const
{
    const double pageHeight = object.hasPage ? object.pageHeight : m_sheetHeight;
    return (pageHeight - y) * PixelsToPoints;
}

TfrxPDFExport::Box TfrxPDFExport::convertBox(const report::PreparedObject& object) const
{
    return { ConvertX(object.absLeft), ConvertY(object, object.absTop), object.width * PixelsToPoints,
        object.height * PixelsToPoints };
}

void TfrxPDFExport::ExportObject(const report::PreparedObject& object)
{
    if (object.kind == report::ObjectKind::Band || !object.visible || !object.printable)
        return;
    try {
        drawObject(object);
        drawFrame(object);
    } catch (const pdf::PdfError& error) {
        m_drawingFailed = true;
        throw libraryFailure(error);
    } catch (...) {
        m_drawingFailed = true;
        throw;
    }
}

void TfrxPDFExport::drawObject(const report::PreparedObject& object)
{
    switch (object.kind) {
    case report::ObjectKind::Picture:
        // The sheet's background picture belongs to no page and is not drawn.
        if (object.hasPage)
            drawPicture(object);
        break;
    case report::ObjectKind::Shape:
        drawShape(object);
        break;
    case report::ObjectKind::Line:
        drawLine(object);
        break;
    case report::ObjectKind::Memo:
        drawText(object);
        break;
    case report::ObjectKind::Band:
    case report::ObjectKind::Other:
        break;
    }
}

void TfrxPDFExport::drawPicture(const report::PreparedObject& object)
{
    // A picture that cannot be drawn is left out; drawing the one added
    // before in its place would show the wrong picture.
    if (FPDFLibrary->addImage(object.picture) == 0)
        return;
    const Box box = convertBox(object);
    if (object.keepAspectRatio)
        FPDFLibrary->fitImage(box.left, box.top, box.width, box.height);
    else
        FPDFLibrary->drawImage(box.left, box.top, box.width, box.height);
}

void TfrxPDFExport::drawShape(const report::PreparedObject& object)
{
    // Alpha is ignored: a colour value of 0 fills black.
    FPDFLibrary->setFillColor(
        colorComponent(object.color, 16), colorComponent(object.color, 8), colorComponent(object.color, 0));
    const Box box = convertBox(object);
    FPDFLibrary->drawBox(box.left, box.top, box.width, box.height);
}

void TfrxPDFExport::drawLine(const report::PreparedObject& object)
{
    // Always horizontal, along the object's top edge.
    const double y = ConvertY(object, object.absTop);
    FPDFLibrary->drawLine(ConvertX(object.absLeft), y, ConvertX(object.absLeft + object.width), y);
}

void TfrxPDFExport::selectTextFont(const report::PreparedObject& object)
{
    // Italic wins over bold.
    if (object.italic) {
        if (FFontItalicID != 0)
            FPDFLibrary->selectFont(FFontItalicID);
        else
            FPDFLibrary->addStandardFont(pdf::StandardFont::TimesItalic);
    } else if (object.bold) {
        if (FFontBoldID != 0)
            FPDFLibrary->selectFont(FFontBoldID);
        else
            FPDFLibrary->addStandardFont(pdf::StandardFont::HelveticaBold);
    } else {
        if (FFontID != 0)
            FPDFLibrary->selectFont(FFontID);
        else
            FPDFLibrary->addStandardFont(pdf::StandardFont::Helvetica);
    }
}

void TfrxPDFExport::drawText(const report::PreparedObject& object)
{
    selectTextFont(object);

    // The text's box is the object's less its inner margins on every side:
    // text aligned to a side keeps that margin from its edge, centred text
    // stays centred, and no text reaches its object's frame or beyond it.
    FPDFLibrary->setTextAlign(report::layoutAlign(object.hAlign));
    FPDFLibrary->setTextSize(object.fontSize);
    FPDFLibrary->drawTextBox(ConvertX(object.absLeft + object.gapX), ConvertY(object, object.absTop + object.gapY),
        (object.width - 2 * object.gapX) * PixelsToPoints, (object.height - 2 * object.gapY) * PixelsToPoints,
        object.text, report::layoutAlign(object.vAlign),
        object.wordWrap ? pdf::TextWrap::Wrap : pdf::TextWrap::SingleLine);
}

void TfrxPDFExport::drawFrame(const report::PreparedObject& object)
{
    const double left = object.absLeft;
    const double top = object.absTop;
    const double right = object.absLeft + object.width;
    const double bottom = object.absTop + object.height;
    const auto side = [&](double x1, double y1, double x2, double y2) {
        FPDFLibrary->drawLine(ConvertX(x1), ConvertY(object, y1), ConvertX(x2), ConvertY(object, y2));
    };
    if (object.frame.top)
        side(left, top, right, top);
    if (object.frame.bottom)
        side(left, bottom, right, bottom);
    if (object.frame.left)
        side(left, top, left, bottom);
    if (object.frame.right)
        side(right, top, right, bottom);
}
