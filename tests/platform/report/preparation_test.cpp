#include "desktoplocale.h"
#include "exportfilter.h"
#include "report.h"
#include "valueformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace report;

namespace {

// A page of 100 mm paper with 10 mm margins, a 10 mm page header and a
// 10 mm page footer: 60 mm are left for the other bands on every sheet.
ReportPage& smallPage(Report& report, const QString& name = QStringLiteral("Page1"))
{
    ReportPage& page = report.addPage(name);
    page.setPaperSize(100, 100);
    Band& header = page.addBand(name + QStringLiteral("Header"), BandKind::PageHeader, mm(10));
    header.add<MemoView>(name + QStringLiteral("Title")).setText(QStringLiteral("Title"));
    Band& footer = page.addBand(name + QStringLiteral("Footer"), BandKind::PageFooter, mm(10));
    MemoView& number = footer.add<MemoView>(name + QStringLiteral("Number"));
    number.setText(QStringLiteral("[Page#]"));
    number.setAllowExpressions(true);
    return page;
}

// A master-data band printing `rows` rows, with one view unless empty.
Band& dataBand(ReportPage& page, const QString& name, double heightMm, int rows, bool empty = false)
{
    Band& band = page.addBand(name, BandKind::MasterData, mm(heightMm));
    band.setRowCount(rows);
    if (!empty)
        band.add<MemoView>(name + QStringLiteral("Text")).setText(name);
    return band;
}

const PreparedObject* findBand(const PreparedPage& sheet, const QString& name)
{
    for (const PreparedObject& object : sheet.objects) {
        if (object.name == name)
            return &object;
    }
    return nullptr;
}

int countBands(const PreparedPage& sheet, const QString& name)
{
    int count = 0;
    for (const PreparedObject& object : sheet.objects)
        count += object.name == name;
    return count;
}

// Serves `rows` records; throws from the value callback at `failAt`.
struct CountingData {
    UserDataSet set { QStringLiteral("Data") };
    int rows = 0;
    int failAt = -1;
    std::vector<QString> requested;

    explicit CountingData(int rowCount)
        : rows(rowCount)
    {
        set.onFirst = [](UserDataSet& s) { s.setTag(0); };
        set.onNext = [](UserDataSet& s) { s.setTag(s.tag() + 1); };
        set.onPrior = [](UserDataSet& s) { s.setTag(s.tag() - 1); };
        set.onCheckEOF = [this](UserDataSet& s, bool& eof) { eof = s.tag() > rows - 1; };
        set.onGetValue = [this](const QString& column, QVariant& value) {
            requested.push_back(column);
            if (set.tag() == failAt)
                throw std::runtime_error("no such record");
            if (column == QLatin1String("Row"))
                value = set.tag() + 1;
            else if (column == QLatin1String("Factor"))
                value = set.tag() == 1 ? std::nan("") : 0.856 + set.tag();
        };
    }
};

} // namespace

struct FitCase {
    const char* what;
    std::vector<double> heights; // master-data bands, one row each
    std::vector<bool> empty;
    int sheets;
};

class BandFitting : public ::testing::TestWithParam<FitCase> { };

TEST_P(BandFitting, StartsASheetOnlyForABandWithSomethingToPrint)
{
    const FitCase& tc = GetParam();
    Report report;
    ReportPage& page = smallPage(report);
    for (std::size_t i = 0; i < tc.heights.size(); ++i)
        dataBand(page, QStringLiteral("Band%1").arg(i), tc.heights[i], 1, tc.empty[i]);
    report.PrepareReport();
    const auto& sheets = report.prepared().pages;
    ASSERT_EQ(static_cast<int>(sheets.size()), tc.sheets) << tc.what;
    // Every sheet has its background, its page header first and its footer
    // last, the footer at the bottom margin.
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const PreparedPage& sheet = sheets[s];
        ASSERT_GE(sheet.objects.size(), 3u);
        EXPECT_FALSE(sheet.objects[0].hasPage);
        EXPECT_EQ(sheet.objects[1].name, QStringLiteral("Page1Header"));
        const PreparedObject& footer = sheet.objects.back();
        EXPECT_EQ(footer.name, QStringLiteral("Page1Footer"));
        EXPECT_NEAR(footer.absTop, mm(80), 1e-9);
        EXPECT_EQ(footer.children.at(0).text, QString::number(s + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BandFitting,
    ::testing::Values(FitCase { "fills the sheet exactly", { 30, 30 }, { false, false }, 1 },
        FitCase { "one millimetre too many", { 30, 31 }, { false, false }, 2 },
        FitCase { "an empty band that does not fit is dropped", { 30, 25, 6 }, { false, false, true }, 1 },
        FitCase { "an empty band that fits is kept", { 30, 25, 5 }, { false, false, true }, 1 },
        FitCase { "a band with content after a dropped one", { 30, 25, 6, 5 }, { false, false, true, false }, 1 },
        FitCase { "a band taller than a sheet prints on a sheet of its own", { 10, 90 }, { false, false }, 2 },
        FitCase { "nothing to print still gives the page its sheet", {}, {}, 1 }),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Preparation, DropsTheEmptyBandAndKeepsItsPlaceFree)
{
    Report report;
    ReportPage& page = smallPage(report);
    dataBand(page, QStringLiteral("Big"), 55, 1);
    dataBand(page, QStringLiteral("Spacer"), 6, 1, true);
    dataBand(page, QStringLiteral("Small"), 5, 1);
    report.PrepareReport();
    ASSERT_EQ(report.prepared().pages.size(), 1u);
    const PreparedPage& sheet = report.prepared().pages[0];
    EXPECT_EQ(findBand(sheet, QStringLiteral("Spacer")), nullptr);
    const PreparedObject* small = findBand(sheet, QStringLiteral("Small"));
    ASSERT_NE(small, nullptr);
    EXPECT_NEAR(small->absTop, mm(10 + 10 + 55), 1e-9);
}

TEST(Preparation, PrintsTheHeaderOnceWithTheFirstRowAndNotWithoutRows)
{
    for (int rows : { 0, 1, 3, 15 }) {
        SCOPED_TRACE(rows);
        Report report;
        ReportPage& page = smallPage(report);
        Band& header = page.addBand(QStringLiteral("Head"), BandKind::Header, mm(10));
        header.add<MemoView>(QStringLiteral("HeadText")).setText(QStringLiteral("Columns"));
        Band& data = dataBand(page, QStringLiteral("Row"), 5, rows);
        data.setHeader(&header);
        report.PrepareReport();

        // 10 mm of header, then 5 mm rows: 10 rows on the first sheet, 12
        // on each further one; the header never repeats.
        const auto& sheets = report.prepared().pages;
        ASSERT_EQ(sheets.size(), rows > 10 ? 2u : 1u);
        int headers = 0, printed = 0;
        for (const PreparedPage& sheet : sheets) {
            headers += countBands(sheet, QStringLiteral("Head"));
            printed += countBands(sheet, QStringLiteral("Row"));
        }
        EXPECT_EQ(headers, rows > 0 ? 1 : 0);
        EXPECT_EQ(printed, rows);
        if (rows > 0) {
            const PreparedObject* head = findBand(sheets[0], QStringLiteral("Head"));
            const PreparedObject* first = findBand(sheets[0], QStringLiteral("Row"));
            ASSERT_TRUE(head && first);
            EXPECT_NEAR(first->absTop, head->absTop + head->height, 1e-9);
        }
        if (rows > 10) {
            EXPECT_NEAR(findBand(sheets[1], QStringLiteral("Row"))->absTop, mm(20), 1e-9);
        }
    }
}

TEST(Preparation, WalksTheDataSetAndFormatsItsValues)
{
    Report report;
    ReportPage& page = smallPage(report);
    CountingData data(3);
    report.addDataSet(&data.set);
    Band& band = page.addBand(QStringLiteral("Rows"), BandKind::MasterData, mm(5));
    band.setDataSet(&data.set);
    band.add<MemoView>(QStringLiteral("RowCell")).setDataField(&data.set, QStringLiteral("Row"));
    MemoView& factor = band.add<MemoView>(QStringLiteral("FactorCell"));
    factor.setDataField(&data.set, QStringLiteral("Factor"));
    factor.setDisplayFormat({ [](double value, const QLocale& locale) { return locale.toString(value, 'f', 2); } });
    MemoView& unknown = band.add<MemoView>(QStringLiteral("UnknownCell"));
    unknown.setDataField(&data.set, QStringLiteral("row"));
    unknown.setText(QStringLiteral("placeholder"));
    band.setRowCount(99); // a data set decides the rows, not RowCount

    {
        const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
        report.PrepareReport();
    }

    const PreparedPage& sheet = report.prepared().pages.at(0);
    std::vector<QStringList> cells;
    for (const PreparedObject& object : sheet.objects) {
        if (object.name != QLatin1String("Rows"))
            continue;
        QStringList row;
        for (const PreparedObject& child : object.children)
            row << child.text;
        cells.push_back(row);
    }
    // Integers plain; two decimals with the locale's comma; a power factor
    // that is not a number prints as nothing; a column the set does not
    // know (names are case-sensitive) prints empty, not the placeholder.
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (QStringList { "1", "0,86", "" }));
    EXPECT_EQ(cells[1], (QStringList { "2", "", "" }));
    EXPECT_EQ(cells[2], (QStringList { "3", "2,86", "" }));
}

TEST(Preparation, AWriterWritesEveryNumber)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    DisplayFormat format;
    format.writer = [](double value, const QLocale& locale) {
        return QStringLiteral("%1 for %2").arg(value).arg(locale.decimalPoint());
    };
    EXPECT_EQ(formatValue(0.125, format, spanish), QStringLiteral("0.125 for ,"));
    EXPECT_EQ(formatValue(3, format, spanish), QStringLiteral("3 for ,"));
    // What is no figure stays as it was.
    EXPECT_EQ(formatValue(std::nan(""), format, spanish), QString());
    EXPECT_EQ(formatValue(QStringLiteral("Enero"), format, spanish), QStringLiteral("Enero"));
    EXPECT_EQ(formatValue(QVariant(), format, spanish), QString());
}

// Without a writer a number prints plain or in printf's general form of 15
// digits, then with the report's decimal separator and minus sign: never by
// the C library's locale the program runs under, whose comma would stand
// beside the report's.
TEST(Preparation, NumbersWithoutAWriterDependOnTheReportsLocaleAlone)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden); // its minus sign is U+2212
    const struct {
        QVariant value;
        const char* c;
        const char* comma;
        const char* swedishText;
    } cases[] = {
        { 154.11, "154.11", "154,11", "154,11" },
        { 221.0, "221", "221", "221" },
        { 0.125, "0.125", "0,125", "0,125" },
        { -3.5, "-3.5", "-3,5", "\u22123,5" },
        { 2.5, "2.5", "2,5", "2,5" },
        { 0.1 + 0.2, "0.3", "0,3", "0,3" },
        { 1234567.891, "1234567.891", "1234567,891", "1234567,891" }, // no group separator
        { 1e20, "1e+20", "1e+20", "1e+20" },
        { 0.00001, "1e-05", "1e-05", "1e\u221205" },
        { QVariant(-7), "-7", "-7", "\u22127" },
        { QVariant(qlonglong(1234567)), "1234567", "1234567", "1234567" },
        { QVariant(2.5f), "2.5", "2,5", "2,5" },
    };
    for (const char* desktop : testutils::DesktopCLocales) {
        const testutils::ScopedCLocale running(desktop);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(desktop) + " " + c.c);
            EXPECT_EQ(formatValue(c.value, DisplayFormat(), QLocale::c()), QString::fromLatin1(c.c));
            EXPECT_EQ(formatValue(c.value, DisplayFormat(), spanish), QString::fromLatin1(c.comma));
            EXPECT_EQ(formatValue(c.value, DisplayFormat(), swedish), QString::fromUtf8(c.swedishText));
        }
    }
}

TEST(Preparation, ReplacesDateAndPageNumberOnlyWhereAllowed)
{
    Report report;
    report.setReportDate(QDate(2026, 3, 7));
    ReportPage& page = smallPage(report);
    Band& band = dataBand(page, QStringLiteral("Body"), 5, 1, true);
    MemoView& stamp = band.add<MemoView>(QStringLiteral("Stamp"));
    stamp.setText(QStringLiteral("[Date] - [Page#]"));
    stamp.setAllowExpressions(true);
    band.add<MemoView>(QStringLiteral("Customer")).setText(QStringLiteral("ACME [Date]"));
    smallPage(report, QStringLiteral("Page2"));

    report.PrepareReport();
    const auto& sheets = report.prepared().pages;
    ASSERT_EQ(sheets.size(), 2u);
    const PreparedObject* body = findBand(sheets[0], QStringLiteral("Body"));
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->children[0].text, QStringLiteral("07/03/2026 - 1"));
    EXPECT_EQ(body->children[1].text, QStringLiteral("ACME [Date]"));
    // Sheets are numbered through the whole report.
    EXPECT_EQ(sheets[1].objects.back().children[0].text, QStringLiteral("2"));
}

TEST(Preparation, SnapshotsCarryAbsolutePositionsAndEveryViewProperty)
{
    Report report;
    ReportPage& page = report.addPage(QStringLiteral("A4"));
    page.addBand(QStringLiteral("Top"), BandKind::PageHeader, mm(25));
    Band& band = page.addBand(QStringLiteral("Body"), BandKind::MasterData, mm(20));
    MemoView& memo = band.add<MemoView>(QStringLiteral("Memo"));
    memo.setGeometry(mm(5), mm(2), mm(50), mm(5));
    memo.setText(QStringLiteral("Texto"));
    memo.setFontSize(8);
    memo.setBold(true);
    memo.setHAlign(HAlign::Right);
    memo.setVAlign(VAlign::Center);
    memo.setWordWrap(false);
    memo.setFrame({ false, true, false, false });
    memo.setTag(300);
    ShapeView& shape = band.add<ShapeView>(QStringLiteral("Shape"));
    shape.setColor(ColorSilver);
    shape.setVisible(false);
    PictureView& picture = band.add<PictureView>(QStringLiteral("Picture"));
    picture.setPicture(QImage(4, 2, QImage::Format_ARGB32));
    picture.setKeepAspectRatio(false);
    picture.setCenter(true);

    report.PrepareReport();
    const PreparedPage& sheet = report.prepared().pages.at(0);
    EXPECT_EQ(sheet.width, 794);
    EXPECT_EQ(sheet.height, 1123);
    const PreparedObject& background = sheet.objects.at(0);
    EXPECT_EQ(background.kind, ObjectKind::Picture);
    EXPECT_FALSE(background.hasPage);
    EXPECT_EQ(background.height, 1123);

    const PreparedObject* body = findBand(sheet, QStringLiteral("Body"));
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->kind, ObjectKind::Band);
    EXPECT_NEAR(body->absLeft, mm(10), 1e-9);
    EXPECT_NEAR(body->absTop, mm(35), 1e-9);
    EXPECT_NEAR(body->width, mm(190), 1e-9);
    ASSERT_EQ(body->children.size(), 3u);

    const PreparedObject& m = body->children[0];
    EXPECT_EQ(m.kind, ObjectKind::Memo);
    EXPECT_NEAR(m.absLeft, mm(15), 1e-9);
    EXPECT_NEAR(m.absTop, mm(37), 1e-9);
    EXPECT_NEAR(m.width, mm(50), 1e-9);
    EXPECT_TRUE(m.hasPage);
    EXPECT_EQ(m.pageHeight, 1123);
    EXPECT_EQ(m.text, QStringLiteral("Texto"));
    EXPECT_EQ(m.fontSize, 8.0f);
    EXPECT_TRUE(m.bold);
    EXPECT_FALSE(m.italic);
    EXPECT_EQ(m.hAlign, HAlign::Right);
    EXPECT_EQ(m.vAlign, VAlign::Center);
    EXPECT_FALSE(m.wordWrap);
    EXPECT_TRUE(m.frame.bottom);
    EXPECT_FALSE(m.frame.top);

    // Invisible views are kept, marked, for the renderer and filters to skip.
    const PreparedObject& s = body->children[1];
    EXPECT_EQ(s.kind, ObjectKind::Shape);
    EXPECT_FALSE(s.visible);
    EXPECT_EQ(s.color, ColorSilver);

    const PreparedObject& p = body->children[2];
    EXPECT_EQ(p.kind, ObjectKind::Picture);
    EXPECT_EQ(p.picture.size(), QSize(4, 2));
    EXPECT_FALSE(p.keepAspectRatio);
    EXPECT_TRUE(p.center);
}

TEST(Preparation, FindsComponentsByExactNameInOrder)
{
    Report report;
    ReportPage& page = smallPage(report);
    dataBand(page, QStringLiteral("Body"), 5, 1);
    QStringList names;
    for (Component* component : report.components())
        names << component->name();
    EXPECT_EQ(names,
        (QStringList { "Page1", "Page1Header", "Page1Title", "Page1Footer", "Page1Number", "Body", "BodyText" }));
    EXPECT_NE(report.find<MemoView>(QStringLiteral("BodyText")), nullptr);
    EXPECT_EQ(report.find<MemoView>(QStringLiteral("bodytext")), nullptr);
    EXPECT_EQ(report.find<PictureView>(QStringLiteral("BodyText")), nullptr);
    EXPECT_NE(report.find<Band>(QStringLiteral("Body")), nullptr);
}

TEST(Preparation, CallsTheHookForEveryObjectItPlaces)
{
    Report report;
    ReportPage& page = smallPage(report);
    dataBand(page, QStringLiteral("Body"), 5, 2);
    QStringList seen;
    report.onBeforePrint = [&](Component& component) {
        seen << component.name();
        if (component.name() == QLatin1String("BodyText"))
            static_cast<MemoView&>(component).setText(QStringLiteral("changed"));
    };
    report.PrepareReport();
    EXPECT_EQ(seen,
        (QStringList {
            "Page1Header", "Page1Title", "Body", "BodyText", "Body", "BodyText", "Page1Footer", "Page1Number" }));
    // What the hook changes is what prints.
    EXPECT_EQ(
        findBand(report.prepared().pages[0], QStringLiteral("Body"))->children[0].text, QStringLiteral("changed"));
}

TEST(Preparation, AnErrorEndsPreparationAndReachesTheCaller)
{
    Report report;
    ReportPage& page = smallPage(report);
    dataBand(page, QStringLiteral("Body"), 5, 1);
    report.PrepareReport();
    ASSERT_EQ(report.prepared().pages.size(), 1u);

    report.onBeforePrint = [](Component& component) {
        if (component.name() == QLatin1String("BodyText"))
            throw std::runtime_error("hook failed");
    };
    EXPECT_THROW(report.PrepareReport(), std::runtime_error);
    EXPECT_TRUE(report.prepared().pages.empty());

    report.onBeforePrint = nullptr;
    CountingData data(3);
    data.failAt = 1;
    Band& rows = page.addBand(QStringLiteral("Rows"), BandKind::MasterData, mm(5));
    rows.setDataSet(&data.set);
    rows.add<MemoView>(QStringLiteral("Cell")).setDataField(&data.set, QStringLiteral("Row"));
    EXPECT_THROW(report.PrepareReport(), std::runtime_error);
    EXPECT_TRUE(report.prepared().pages.empty());
}

namespace {

// Records the calls an export makes; answers and failures set per test.
class RecordingFilter : public ExportFilter {
public:
    ModalResult answer = ModalResult::Ok;
    bool startResult = true;
    QString failOn;
    QStringList calls;

    QString description() const override { return QStringLiteral("test"); }
    ModalResult ShowModal() override
    {
        calls << QStringLiteral("ShowModal");
        return answer;
    }
    bool Start() override
    {
        calls << QStringLiteral("Start");
        return startResult;
    }
    void StartPage(const PreparedPage&, int index) override
    {
        calls << QStringLiteral("StartPage %1").arg(index);
        if (calls.back() == failOn)
            throw std::runtime_error("no page");
    }
    void ExportObject(const PreparedObject& object) override
    {
        calls << (object.name.isEmpty() ? QStringLiteral("-") : object.name);
        if (object.name == failOn)
            throw std::runtime_error("export failed");
    }
    void FinishPage(const PreparedPage&, int index) override { calls << QStringLiteral("FinishPage %1").arg(index); }
    void Finish() override { calls << QStringLiteral("Finish"); }
};

} // namespace

TEST(Export, DrivesTheFilterSheetBySheetAndFinishesOnError)
{
    Report report;
    ReportPage& page = report.addPage(QStringLiteral("P"));
    Band& band = page.addBand(QStringLiteral("B"), BandKind::MasterData, mm(5));
    band.add<MemoView>(QStringLiteral("M"));
    band.add<LineView>(QStringLiteral("L"));
    report.addPage(QStringLiteral("Q"));
    report.PrepareReport();

    RecordingFilter full;
    report.Export(full);
    EXPECT_EQ(full.calls,
        (QStringList { "ShowModal", "Start", "StartPage 0", "P", "B", "M", "L", "FinishPage 0", "StartPage 1", "Q",
            "FinishPage 1", "Finish" }));

    RecordingFilter cancelled;
    cancelled.answer = ModalResult::Cancel;
    report.Export(cancelled);
    EXPECT_EQ(cancelled.calls, QStringList { "ShowModal" });

    RecordingFilter refused;
    refused.startResult = false;
    report.Export(refused);
    EXPECT_EQ(refused.calls, (QStringList { "ShowModal", "Start" }));

    RecordingFilter failing;
    failing.failOn = QStringLiteral("M");
    EXPECT_THROW(report.Export(failing), std::runtime_error);
    EXPECT_EQ(
        failing.calls, (QStringList { "ShowModal", "Start", "StartPage 0", "P", "B", "M", "FinishPage 0", "Finish" }));

    // A sheet that cannot even be started is finished all the same.
    RecordingFilter noSecondPage;
    noSecondPage.failOn = QStringLiteral("StartPage 1");
    EXPECT_THROW(report.Export(noSecondPage), std::runtime_error);
    EXPECT_EQ(noSecondPage.calls,
        (QStringList { "ShowModal", "Start", "StartPage 0", "P", "B", "M", "L", "FinishPage 0", "StartPage 1",
            "FinishPage 1", "Finish" }));
}
