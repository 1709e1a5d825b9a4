#include "exceptions.h"
#include "printqstring.h"
#include "recordingdocument.h"
#include "testutils.h"
#include "ufrxPDFExport.h"

#include <QImage>

#include <gtest/gtest.h>

using report::ObjectKind;
using report::PreparedObject;

namespace {

constexpr double A4SheetHeight = 1123;

// A filter drawing into a recording document, started on an A4 sheet.
class Recorder {
public:
    explicit Recorder(bool trueTypeFonts = true)
        : filter(dialogs, [this, trueTypeFonts] {
            auto document = std::make_unique<RecordingDocument>();
            document->trueTypeFontsInstalled = trueTypeFonts;
            this->document = document.get();
            return document;
        })
    {
        filter.Start();
        report::PreparedPage sheet;
        sheet.height = A4SheetHeight;
        filter.StartPage(sheet, 0);
        document->calls.clear();
    }

    QStringList draw(const PreparedObject& object)
    {
        document->calls.clear();
        filter.ExportObject(object);
        return document->calls;
    }

    testutils::ScriptedDialogs dialogs;
    RecordingDocument* document = nullptr;
    TfrxPDFExport filter;
};

PreparedObject view(ObjectKind kind, double left, double top, double width, double height)
{
    PreparedObject object;
    object.kind = kind;
    object.absLeft = left;
    object.absTop = top;
    object.width = width;
    object.height = height;
    object.pageHeight = A4SheetHeight;
    return object;
}

PreparedObject memo(const char* text)
{
    PreparedObject object = view(ObjectKind::Memo, 0, 0, 100, 20);
    object.text = QString::fromUtf8(text);
    return object;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

struct DrawCase {
    const char* what;
    PreparedObject object;
    QStringList expected;
    bool trueTypeFonts = true;
};

std::vector<DrawCase> drawCases()
{
    std::vector<DrawCase> cases;
    const auto add = [&](const char* what, PreparedObject object, QStringList expected, bool fonts = true) {
        cases.push_back({ what, std::move(object), std::move(expected), fonts });
    };

    // Pictures.
    PreparedObject fitted = view(ObjectKind::Picture, 0, 0, 100, 50);
    fitted.picture = picture(20, 10);
    add("picture kept in proportion, at the paper's top-left corner", fitted,
        { "addImage 20x10", "fitImage 0 842.25 75 37.5" });
    PreparedObject stretched = fitted;
    stretched.keepAspectRatio = false;
    stretched.absTop = 1123 - 50;
    add("stretched picture at the paper's bottom edge", stretched, { "addImage 20x10", "drawImage 0 37.5 75 37.5" });
    PreparedObject unreadable = view(ObjectKind::Picture, 0, 0, 100, 50);
    unreadable.frame.bottom = true;
    add("picture without pixels: skipped, its frame drawn", unreadable,
        { "addImage null", "drawLine 0 804.75 75 804.75" });
    PreparedObject background = view(ObjectKind::Picture, 0, 0, 794, 1123);
    background.hasPage = false;
    background.pageHeight = 0;
    background.picture = picture(4, 4);
    background.frame = { true, false, true, false };
    add("sheet background: no picture, frame from the sheet's height", background,
        { "drawLine 0 842.25 595.5 842.25", "drawLine 0 842.25 0 0" });

    // Shapes.
    PreparedObject silver = view(ObjectKind::Shape, 37.795, 1123 - 37.795, 718.105, 37.795);
    silver.color = report::ColorSilver;
    add("silver shape", silver,
        { "setFillColor 0.7529411765 0.7529411765 0.7529411765", "drawBox 28.34625 28.34625 538.57875 28.34625" });
    PreparedObject transparent = view(ObjectKind::Shape, 0, 1123, 10, 10);
    transparent.color = report::ColorNull;
    add("shape whose colour is 0 fills black, at y 1123 -> 0", transparent,
        { "setFillColor 0 0 0", "drawBox 0 0 7.5 7.5" });
    PreparedObject redShape = view(ObjectKind::Shape, 0, 0, 10, 10);
    redShape.color = 0x80FF4000u; // half transparent: alpha ignored
    add("shape colour by channel, alpha ignored", redShape,
        { "setFillColor 1 0.2509803922 0", "drawBox 0 842.25 7.5 7.5" });

    // Lines.
    PreparedObject line = view(ObjectKind::Line, 10, 100, 200, 20);
    add("line with a height is still horizontal along its top edge", line, { "drawLine 7.5 767.25 157.5 767.25" });
    PreparedObject framedLine = line;
    framedLine.frame.top = true;
    add("line whose frame names its top side draws that line twice", framedLine,
        { "drawLine 7.5 767.25 157.5 767.25", "drawLine 7.5 767.25 157.5 767.25" });

    // Text: alignment and gaps (GapX 2, GapY 1, 100 x 20 px at the corner).
    // The text's box is the object's less the gaps on every side: aligned
    // text keeps the gap from its side, centred text stays centred, and
    // no text reaches past the object.
    add("left, top: gaps on the left and top", memo("Empresa:"),
        { "selectFont 1", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Empresa:] 1" });
    PreparedObject right = memo("12,50");
    right.hAlign = report::HAlign::Right;
    add("right: gaps on both sides, aligned right", right,
        { "selectFont 1", "setTextAlign 2", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [12,50] 1" });
    PreparedObject centred = memo("Equipo seleccionado");
    centred.hAlign = report::HAlign::Center;
    centred.vAlign = report::VAlign::Center;
    add("centred both ways: gaps on every side", centred,
        { "selectFont 1", "setTextAlign 1", "setTextSize 10",
            "drawTextBox 1.5 841.5 72 13.5 [Equipo seleccionado] 0" });
    PreparedObject block = memo("Justificado");
    block.hAlign = report::HAlign::Block;
    block.vAlign = report::VAlign::Bottom;
    add("justified is drawn left-aligned; bottom-aligned", block,
        { "selectFont 1", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Justificado] 2" });
    PreparedObject multiLine = memo("línea uno\nlínea dos");
    multiLine.fontSize = 8.5f;
    multiLine.gapX = 0;
    multiLine.gapY = 0;
    add("whole text with its line breaks, size unchanged", multiLine,
        { "selectFont 1", "setTextAlign 0", "setTextSize 8.5", "drawTextBox 0 842.25 75 15 [línea uno\nlínea dos] 1" });

    PreparedObject singleLine = memo("Talleres Metalúrgicos Hermanos Fernández de la Cruz, S.L.");
    singleLine.wordWrap = false;
    add("a text kept on one line is drawn on one line", singleLine,
        { "selectFont 1", "setTextAlign 0", "setTextSize 10",
            "drawTextBox 1.5 841.5 72 13.5 [Talleres Metalúrgicos Hermanos Fernández de la Cruz, S.L.] 1 single" });

    // Text: font by style, italic before bold.
    PreparedObject bold = memo("Conductor");
    bold.bold = true;
    PreparedObject italic = memo("Nota");
    italic.italic = true;
    PreparedObject boldItalic = italic;
    boldItalic.bold = true;
    add("bold", bold,
        { "selectFont 2", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Conductor] 1" });
    add("italic", italic,
        { "selectFont 3", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Nota] 1" });
    add("bold and italic gives italic", boldItalic,
        { "selectFont 3", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Nota] 1" });
    add("no TrueType font: Helvetica", memo("x"),
        { "addStandardFont 4", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [x] 1" }, false);
    add("no TrueType font: Helvetica-Bold", bold,
        { "addStandardFont 5", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Conductor] 1" },
        false);
    add("no TrueType font: Times-Italic", boldItalic,
        { "addStandardFont 10", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Nota] 1" }, false);

    // Frames.
    PreparedObject framed = memo("Año");
    framed.frame = { true, true, true, true };
    add("text framed on all four sides: top, bottom, left, right", framed,
        { "selectFont 1", "setTextAlign 0", "setTextSize 10", "drawTextBox 1.5 841.5 72 13.5 [Año] 1",
            "drawLine 0 842.25 75 842.25", "drawLine 0 827.25 75 827.25", "drawLine 0 842.25 0 827.25",
            "drawLine 75 842.25 75 827.25" });
    PreparedObject other = view(ObjectKind::Other, 0, 0, 100, 20);
    other.text = QStringLiteral("[Page#]");
    other.frame = { false, true, false, true };
    add("another kind of view draws only its frame", other,
        { "drawLine 0 827.25 75 827.25", "drawLine 75 842.25 75 827.25" });

    // Nothing at all.
    PreparedObject invisible = framed;
    invisible.visible = false;
    add("invisible view", invisible, {});
    PreparedObject notPrintable = framed;
    notPrintable.printable = false;
    add("non-printable view", notPrintable, {});
    PreparedObject band = view(ObjectKind::Band, 0, 0, 718, 100);
    band.frame = { true, true, true, true };
    band.children.push_back(memo("hijo"));
    add("band, even framed and with children", band, {});
    return cases;
}

} // namespace

TEST(PdfExportDrawing, EachObjectGivesItsCalls)
{
    for (const DrawCase& c : drawCases()) {
        SCOPED_TRACE(c.what);
        Recorder recorder(c.trueTypeFonts);
        EXPECT_EQ(recorder.draw(c.object), c.expected);
    }
}

TEST(PdfExportDrawing, StandardFontIsAddedAgainForEveryText)
{
    Recorder recorder(false);
    recorder.draw(memo("uno"));
    EXPECT_EQ(recorder.draw(memo("dos")).first(), QStringLiteral("addStandardFont 4"));
}

TEST(PdfExportDocument, PreparedWithLayoutFontsAndInformation)
{
    testutils::ScriptedDialogs dialogs;
    RecordingDocument* document = nullptr;
    TfrxPDFExport filter(dialogs, [&] {
        auto created = std::make_unique<RecordingDocument>();
        document = created.get();
        return created;
    });
    filter.Title = QStringLiteral("Informe TENVIK versión 7");
    filter.Version = QStringLiteral("7.1.0");
    filter.Author = QStringLiteral("Orvel Energía");
    filter.Creator = QStringLiteral("Orvel");
    EXPECT_EQ(document, nullptr); // no document before Start
    EXPECT_TRUE(filter.Start());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->calls,
        QStringList({ "setPageLayout 0", "setPageSize A4", "setMeasurementUnits 0", "addTrueTypeFont Arial 1",
            "addTrueTypeFont Arial[Bold] 1", "addTrueTypeFont Arial Narrow Cursiva 1", "setInformation 0 7.1.0",
            "setInformation 1 Orvel Energía", "setInformation 2 Informe TENVIK versión 7", "setInformation 3 ",
            "setInformation 4 ", "setInformation 5 Orvel", "setInformation 6 Orvel" }));
    EXPECT_EQ(TfrxPDFExport::GetDescription(), QStringLiteral("Exportar a PDF"));
}

TEST(PdfExportDocument, EverySheetOnItsOwnPageTheFirstOnTheInitialOne)
{
    testutils::ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(QStringLiteral("/tmp/informe.pdf"));
    RecordingDocument* document = nullptr;
    TfrxPDFExport filter(dialogs, [&] {
        auto created = std::make_unique<RecordingDocument>();
        document = created.get();
        return created;
    });

    // Two sheets of different heights, each with a framed background and one
    // band holding a line.
    report::PreparedReport prepared;
    for (double height : { 1123.0, 1000.0 }) {
        report::PreparedPage sheet;
        sheet.height = height;
        PreparedObject background = view(ObjectKind::Picture, 0, 0, 100, height);
        background.hasPage = false;
        background.frame.top = true;
        PreparedObject band = view(ObjectKind::Band, 0, 0, 100, 10);
        band.pageHeight = height;
        PreparedObject line = view(ObjectKind::Line, 0, 0, 100, 0);
        line.pageHeight = height;
        band.children.push_back(line);
        sheet.objects.push_back(background);
        sheet.objects.push_back(band);
        prepared.pages.push_back(sheet);
    }
    report::runExport(prepared, filter);

    const qsizetype start = document->calls.indexOf(QStringLiteral("setInformation 6 "));
    ASSERT_GE(start, 0);
    EXPECT_EQ(document->calls.mid(start + 1),
        QStringList({ "drawLine 0 842.25 75 842.25", "drawLine 0 842.25 75 842.25", "newPage", "drawLine 0 750 75 750",
            "drawLine 0 750 75 750", "saveToFile" }));
    EXPECT_EQ(document->savedTo, QStringLiteral("/tmp/informe.pdf"));
}

TEST(PdfExportFailures, DrawingErrorReachesTheCallerAndNothingIsSaved)
{
    struct Case {
        const char* what;
        std::function<void()> fail;
    };
    const Case cases[] = {
        { "library error", [] { throw pdf::PdfError("broken", 0x1050); } },
        { "other error", [] { throw std::runtime_error("broken"); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testutils::ScriptedDialogs dialogs;
        dialogs.fileAnswers.push_back(QStringLiteral("/tmp/informe.pdf"));
        RecordingDocument* document = nullptr;
        TfrxPDFExport filter(dialogs, [&] {
            auto created = std::make_unique<RecordingDocument>();
            created->onCall = [&c](const QString& call) {
                if (call.startsWith(QLatin1String("drawTextBox")))
                    c.fail();
            };
            document = created.get();
            return created;
        });
        report::PreparedReport prepared;
        prepared.pages.resize(2);
        prepared.pages[0].height = A4SheetHeight;
        prepared.pages[0].objects.push_back(memo("falla"));
        prepared.pages[1].height = A4SheetHeight;
        prepared.pages[1].objects.push_back(view(ObjectKind::Line, 0, 0, 10, 0));

        try {
            report::runExport(prepared, filter);
            ADD_FAILURE() << "the error was lost";
        } catch (const EInOutError& e) {
            EXPECT_EQ(QString::fromUtf8(c.what), QStringLiteral("library error"));
            EXPECT_EQ(e.message(), QStringLiteral("Ha ocurrido un error al crear el documento PDF."));
            EXPECT_EQ(e.ErrorCode, 0x1050);
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(QString::fromUtf8(c.what), QStringLiteral("other error"));
            EXPECT_STREQ(e.what(), "broken");
        }
        ASSERT_NE(document, nullptr);
        EXPECT_FALSE(document->calls.contains(QStringLiteral("saveToFile")));
        EXPECT_FALSE(document->calls.contains(QStringLiteral("newPage")));
    }
}

TEST(PdfExportFailures, SavingThatFailsRaisesTheMessage)
{
    testutils::ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(QStringLiteral("/tmp/informe.pdf"));
    TfrxPDFExport filter(dialogs, [] {
        auto created = std::make_unique<RecordingDocument>();
        created->saveSucceeds = false;
        return created;
    });
    report::PreparedReport prepared;
    prepared.pages.resize(1);
    prepared.pages[0].height = A4SheetHeight;
    try {
        report::runExport(prepared, filter);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No es posible guardar el archivo en la carpeta destino."));
    }
}
