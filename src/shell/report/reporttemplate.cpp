#include "reporttemplate.h"

#include "makerinfo.h"
#include "numberformat.h"
#include "reportpictures.h"

#include "report.h"

#include <tuple>

using namespace report;

namespace {

// The template is laid out in millimetres: x from the band's left edge, y
// from its top.
MemoView& text(Band& band, const char* name, double x, double y, double width, double height, const QString& content)
{
    MemoView& memo = band.add<MemoView>(QString::fromLatin1(name));
    memo.setGeometry(mm(x), mm(y), mm(width), mm(height));
    memo.setText(content);
    return memo;
}

// A fixed text translated at start.
MemoView& label(Band& band, const char* name, double x, double y, double width, double height, const char* content)
{
    MemoView& memo = text(band, name, x, y, width, height, QString::fromUtf8(content));
    memo.setTag(ReportTranslatedTag);
    return memo;
}

MemoView& oneLine(MemoView& memo)
{
    memo.setWordWrap(false);
    return memo;
}

PictureView& picture(Band& band, const char* name, double x, double y, double width, double height, const QImage& image)
{
    PictureView& view = band.add<PictureView>(QString::fromLatin1(name));
    view.setGeometry(mm(x), mm(y), mm(width), mm(height));
    view.setPicture(image);
    return view;
}

void line(Band& band, const char* name, double y)
{
    band.add<LineView>(QString::fromLatin1(name)).setGeometry(0, mm(y), mm(190), 0);
}

void silverShape(Band& band, const char* name, double y)
{
    ShapeView& shape = band.add<ShapeView>(QString::fromLatin1(name));
    shape.setGeometry(0, mm(y), mm(190), mm(10));
    shape.setColor(ColorSilver);
    shape.setFrameColor(ColorSilver);
}

const QString Placeholder = QStringLiteral("XXXXXXXXXX");
const QString NumberPlaceholder = QStringLiteral("0.00");
constexpr FrameSides BottomLine { false, true, false, false };
constexpr FrameSides AllSides { true, true, true, true };

struct PageHeaderNames {
    const char* band;
    const char* emblem;
    const char* title;
    const char* version;
    const char* appName;
    const char* ownership;
    const char* telephone;
    const char* fax;
    const char* date;
    const char* line;
};

void pageHeader(ReportPage& page, const PageHeaderNames& n)
{
    Band& band = page.addBand(QString::fromLatin1(n.band), BandKind::PageHeader, mm(25));
    picture(band, n.emblem, 0, 0, 22, 25, ReportPictures::makerEmblem());
    MemoView& title = oneLine(text(band, n.title, 25, 0, 25, 8, QStringLiteral("TENVIK")));
    title.setFontSize(16);
    title.setBold(true);
    label(band, n.version, 50, 2.74, 25, 5, "versión 7").setFontSize(8);
    MemoView& appName = oneLine(label(
        band, n.appName, 25, 8, 150, 5, "SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST"));
    appName.setFontSize(8);
    appName.setBold(true);
    oneLine(text(band, n.ownership, 25, 13, 150, 5, MakerInfo::ownershipLine())).setFontSize(8);
    oneLine(text(band, n.telephone, 25, 18, 32, 5, MakerInfo::telephoneLine())).setFontSize(8);
    text(band, n.fax, 58, 18, 32, 5, MakerInfo::faxLine()).setFontSize(8);
    MemoView& date = text(band, n.date, 165, 18, 25, 5, QStringLiteral("[Date]"));
    date.setFontSize(8);
    date.setHAlign(HAlign::Right);
    date.setAllowExpressions(true);
    line(band, n.line, 25);
}

MemoView& pageNumber(Band& band, const char* name, double y)
{
    MemoView& number = text(band, name, 169, y, 21, 5, QStringLiteral("[Page#]"));
    number.setHAlign(HAlign::Right);
    number.setAllowExpressions(true);
    return number;
}

// A master-data band with nothing on it: it only switches its header on.
Band& switchBand(ReportPage& page, const char* name, double height, int rows, Band& header)
{
    Band& band = page.addBand(QString::fromLatin1(name), BandKind::MasterData, mm(height));
    band.setRowCount(rows);
    band.setHeader(&header);
    return band;
}

void customerBlock(Band& band)
{
    struct Row {
        double y;
        const char* label;
        double labelX;
        double labelWidth;
        const char* text;
        const char* value;
        double valueX;
        double valueWidth;
    };
    static const Row rows[] = {
        { 5, "Memo11", 0, 45, "Empresa:", "BusinessNameMemo", 45, 85 },
        { 5, "Memo19", 134, 25, "Distribuidor:", "DistributionMemo", 159, 31 },
        { 10, "Memo15", 0, 45, "Nombre del cliente:", "UserNameMemo", 45, 85 },
        { 10, "Memo21", 134, 25, "Teléfono:", "TelephoneMemo", 159, 31 },
        { 15, "Memo16", 0, 45, "Dirección de la empresa:", "AddressMemo", 45, 85 },
        { 20, "Memo22", 0, 43, "Localidad/Población:", "PlaceMemo", 45, 85 },
        { 25, "Memo17", 0, 45, "Provincia:", "StateMemo", 45, 85 },
    };
    for (const Row& row : rows) {
        oneLine(label(band, row.label, row.labelX, row.y, row.labelWidth, 5, row.text));
        oneLine(text(band, row.value, row.valueX, row.y, row.valueWidth, 5, Placeholder));
    }
}

void candidateBlock(Band& band)
{
    silverShape(band, "Shape1", 35);
    line(band, "Line3", 35);
    MemoView& heading = label(band, "BatteryNameMemo", 0, 35, 190, 10, "Equipo seleccionado");
    heading.setBold(true);
    heading.setHAlign(HAlign::Center);
    heading.setVAlign(VAlign::Center);
    oneLine(text(band, "BatteryBType", 0, 50, 71, 10, Placeholder)).setFontSize(16);
    picture(band, "BatteryImage", 0, 60, 71, 65, QImage());
    text(band, "BatteryDescription", 75, 50, 115, 127, Placeholder);

    struct Row {
        const char* label;
        const char* text;
        const char* value;
    };
    static const Row rows[] = {
        { "Memo18", "Código:", "BatteryCodeMemo" },
        { "MemoLabelPowerBattery", "Potencia (kVAr):", "BatteryPowerMemo" },
        { "Memo25", "Tensión (Voltios):", "BatteryVoltMemo" },
        { "Memo27", "Frecuencia (Hz):", "BatteryFrecuencyMemo" },
        { "Memo65", "Escalones:", "BatteryStepsMemo" },
        { "Memo68", "Medidas (mm):", "BatteryDimMemo" },
        { "Memo29", "Cantidad:", "BatteryCountMemo" },
        { "Memo31", "Precio (€):", "BatteryPriceMemo" },
    };
    double y = 130;
    for (const Row& row : rows) {
        oneLine(label(band, row.label, 0, y, 30, 5, row.text));
        oneLine(text(band, row.value, 31, y, 40, 5, NumberPlaceholder));
        y += 6;
    }
}

void cableAndTransformerBlock(Band& band)
{
    for (auto [name, x, content] :
        { std::tuple { "Memo43", 0.0, "Conductor" }, std::tuple { "Memo44", 100.0, "Transformador de intensidad" } }) {
        MemoView& heading = label(band, name, x, 6, 90, 5, content);
        heading.setBold(true);
        heading.setFrame(BottomLine);
    }
    struct Row {
        const char* leftLabel;
        const char* leftText;
        const char* leftValue;
        const char* rightLabel;
        const char* rightText;
        const char* rightValue;
    };
    static const Row rows[] = {
        { "Memo45", "I Nominal (A):", "ConductorICalculateMemo", "Memo54", "Tipo:", "TransformerTTypeMemo" },
        { "Memo46", "Sección (mm2):", "ConductorGaugeMemo", "Memo51", "I1/I2:", "TransformerAMemo" },
        { "Memo47", "I Conductor (A):", "ConductorCurrentMemo", "Memo52", "Cantidad:", "TransformerCountMemo" },
        { "Memo48", "Longitud (m):", "ConductorLengthMemo", "Memo53", "Precio (€):", "TransformerPriceMemo" },
        { "Memo49", "Cantidad x Fases", "ConductorCountMemo", nullptr, nullptr, nullptr },
        { "Memo50", "Precio (€):", "ConductorPriceMemo", nullptr, nullptr, nullptr },
    };
    double y = 14;
    for (const Row& row : rows) {
        oneLine(label(band, row.leftLabel, 0, y, 35, 5, row.leftText));
        oneLine(text(band, row.leftValue, 35, y, 55, 5, NumberPlaceholder));
        if (row.rightLabel) {
            oneLine(label(band, row.rightLabel, 100, y, 35, 5, row.rightText));
            oneLine(text(band, row.rightValue, 135, y, 55, 5, NumberPlaceholder));
        }
        y += 6;
    }
}

void buildPage1(Report& frxReport)
{
    ReportPage& page = frxReport.addPage(QStringLiteral("Page1"));
    pageHeader(page,
        { "PageHeader1", "Picture1", "Memo1", "MemoVersion1", "MemoAppName1", "Memo4", "Memo5", "Memo6", "Memo7",
            "Line1" });

    Band& header2 = page.addBand(QStringLiteral("Header2"), BandKind::Header, mm(185));
    customerBlock(header2);
    candidateBlock(header2);
    switchBand(page, "MasterData1", 1, 1, header2);

    Band& header1 = page.addBand(QStringLiteral("Header1"), BandKind::Header, mm(49));
    cableAndTransformerBlock(header1);
    switchBand(page, "MasterData2", 6, 1, header1);

    Band& footer = page.addBand(QStringLiteral("PageFooter1"), BandKind::PageFooter, mm(14));
    line(footer, "Line2", 0);
    picture(footer, "Picture3", 0, 2, 35, 12, ReportPictures::makerLogo());
    oneLine(pageNumber(footer, "Page", 9));
}

void billingTable(ReportPage& page, UserDataSet& billing)
{
    Band& header = page.addBand(QStringLiteral("Header3"), BandKind::Header, mm(25));
    silverShape(header, "Shape2", 5);
    MemoView& title = label(header, "MemoTitle2", 0, 5, 190, 10, "Datos de Facturación");
    title.setBold(true);
    title.setHAlign(HAlign::Center);
    title.setVAlign(VAlign::Center);

    Band& rows = page.addBand(QStringLiteral("MasterData3"), BandKind::MasterData, mm(5));
    rows.setDataSet(&billing);
    rows.setHeader(&header);

    struct Column {
        double x;
        double width;
        const char* heading;
        const char* headingText;
        const char* cell;
        const char* field;
        bool numeric;
    };
    static const Column columns[] = {
        { 0, 31, "Memo35", "Mes/Bimestre", "Memo24", "Period", false },
        { 31, 22, "Memo34", "Año", "Memo26", "Year", false },
        { 53, 32, "Memo36", "kWh totales", "Memo28", "kwht", false },
        { 85, 33, "Memo37", "Máxima demanda (kW)", "Memo30", "PeakDemand", false },
        { 118, 34, "Memo38", "Factor de potencia", "Memo32", "FFmr2", true },
        { 152, 38, "Memo39", "Recargo por reactiva (€)", "Memo33", "ReactiveSurcharge", true },
    };
    for (const Column& column : columns) {
        MemoView& heading = label(header, column.heading, column.x, 15, column.width, 10, column.headingText);
        heading.setFrame(AllSides);
        heading.setHAlign(HAlign::Center);
        heading.setVAlign(VAlign::Center);

        // A row is one line high: a cell keeps its value on one line.
        MemoView& cell = oneLine(text(rows, column.cell, column.x, 0, column.width, 5, QString()));
        cell.setFrame(AllSides);
        cell.setDataField(&billing, QString::fromLatin1(column.field));
        const bool leftAligned = column.x < 53;
        cell.setHAlign(leftAligned ? HAlign::Left : HAlign::Right);
        // Two decimals by the rule of every other figure of the program, not
        // by printf's rounding of the binary value.
        if (column.numeric)
            cell.setDisplayFormat(
                { [](double value, const QLocale& locale) { return NumberFormat::twoDecimals(value, locale); } });
    }
}

void consumptionSummary(ReportPage& page)
{
    Band& header = page.addBand(QStringLiteral("Header4"), BandKind::Header, mm(95));
    picture(header, "ChartPicture", 70, 5, 120, 85, QImage()).setKeepAspectRatio(false);
    MemoView& heading = label(header, "Memo55", 0, 10, 65, 5, "Datos generales del servicio");
    heading.setBold(true);
    heading.setFrame(BottomLine);

    struct Row {
        const char* label;
        const char* text;
        const char* value;
    };
    static const Row rows[] = {
        { "Memo57", "Potencia media activa (kW):", "average_active_powerMemo" },
        { "Memo58", "Potencia media reactiva (kVAr):", "average_reactive_powerMemo" },
        { "Memo59", "Máxima demanda (kW):", "Preliminar_mdrMemo" },
        { "Memo60", "Factor de potencia medio actual:", "Preliminar_factorMemo" },
        { "Memo61", "Factor de potencia medio deseado:", "Preliminar_factordeseadoMemo" },
        { "Memo23", "Ahorro anual de activa estimado (€):", "saving_term_active_powerMemo" },
        { "Memo67", "Ahorro anual del término de potencia estimado (€):", "saving_term_powerMemo" },
    };
    double y = 20;
    for (const Row& row : rows) {
        label(header, row.label, 0, y, 50, 10, row.text);
        oneLine(text(header, row.value, 50, y, 15, 5, NumberPlaceholder)).setHAlign(HAlign::Right);
        y += 10;
    }
    switchBand(page, "MasterData4", 6, 0, header);
}

void contractedPowerSummary(ReportPage& page)
{
    Band& header = page.addBand(QStringLiteral("Header5"), BandKind::Header, mm(89));
    MemoView& heading = label(header, "Memo62", 0, 9, 95, 5, "Datos generales del servicio");
    heading.setBold(true);
    heading.setFrame(BottomLine);

    label(header, "Memo63", 0, 19, 80, 10, "Potencia contratada o máximetro (kW):");
    oneLine(text(header, "MaximumPowerMemo", 80, 19, 15, 5, NumberPlaceholder)).setHAlign(HAlign::Right);
    label(header, "Memo64", 0, 29, 80, 10, "Dispone de transformador de entrada propio:");
    picture(header, "ExistInputTransformerMarkTrue", 87, 29, 9, 8, ReportPictures::markYes()).setCenter(true);
    picture(header, "ExistInputTransformerMarkFalse", 87, 29, 9, 8, ReportPictures::markNo()).setCenter(true);
    label(header, "InputTransformerMemoLabel", 0, 39, 80, 10, "Transformador de entrada (KVA):");
    oneLine(text(header, "InputTransformerMemo", 80, 39, 15, 5, NumberPlaceholder)).setHAlign(HAlign::Right);
    switchBand(page, "MasterData5", 6, 0, header);
}

void buildPage2(Report& frxReport, UserDataSet& billing)
{
    ReportPage& page = frxReport.addPage(QStringLiteral("Page2"));
    pageHeader(page,
        { "PageHeader2", "Picture2", "Memo8", "MemoVersion2", "MemoAppName2", "Memo12", "Memo13", "Memo14", "Memo40",
            "Line4" });
    billingTable(page, billing);
    consumptionSummary(page);
    contractedPowerSummary(page);

    Band& footer = page.addBand(QStringLiteral("PageFooter2"), BandKind::PageFooter, mm(44));
    struct Note {
        const char* name;
        double y;
        double height;
        const char* text;
    };
    static const Note notes[] = {
        { "Memo56", 0, 5, "Se recomienda a los instaladores realizar un análisis de red antes de instalar el equipo." },
        { "Memo20", 6, 10,
            "Siempre deberá utilizarse conductores con aislamiento 0.6 / 1 Kv no propagador de incendio y con emisión "
            "de "
            "humos y opacidad reducida (libre de halógenos)." },
        { "Memo66", 17, 7, "Cálculo de sección para una longitud de acometida inferior a 5 mts." },
    };
    for (const Note& note : notes)
        label(footer, note.name, 0, note.y, 190, note.height, note.text).setItalic(true);
    line(footer, "Line5", 30);
    picture(footer, "Picture4", 0, 32, 35, 12, ReportPictures::makerLogo());
    pageNumber(footer, "Memo41", 39);
}

} // namespace

void buildReportTemplate(Report& frxReport, UserDataSet& billing)
{
    billing.setFields({ QStringLiteral("Year"), QStringLiteral("InputTransformer"), QStringLiteral("PeakDemand"),
        QStringLiteral("ReactiveSurcharge"), QStringLiteral("Period"), QStringLiteral("AmountActiveTerm"),
        QStringLiteral("AmountPowerTerm"), QStringLiteral("kwht"), QStringLiteral("kvarh"), QStringLiteral("FFmr2") });
    frxReport.addDataSet(&billing);
    buildPage1(frxReport);
    buildPage2(frxReport, billing);
}
