#include "report.h"

#include "exportfilter.h"
#include "valueformat.h"

namespace report {

namespace {

// Heights are sums of millimetre figures converted to pixels; a band that
// fits exactly must not be pushed to the next sheet by rounding noise.
constexpr double FitTolerance = 1e-6;

PreparedObject snapshotBase(const Component& component, ObjectKind kind, const ReportPage& page)
{
    PreparedObject object;
    object.kind = kind;
    object.name = component.name();
    object.visible = component.visible();
    object.printable = component.printable();
    object.hasPage = true;
    object.pageHeight = page.sheetHeight();
    return object;
}

// Lays the bands of one template page out on as many sheets as they need.
class PageLayout {
public:
    PageLayout(Report& report, ReportPage& page, PreparedReport& result)
        : m_report(report)
        , m_page(page)
        , m_result(result)
    {
    }

    void run()
    {
        startSheet();
        for (const auto& band : m_page.bands()) {
            if (band->kind() == BandKind::MasterData)
                printDataBand(*band);
        }
        finishSheet();
    }

private:
    void printDataBand(Band& band)
    {
        int row = 0;
        auto printRow = [&] {
            if (row == 0 && band.header())
                place(*band.header());
            place(band);
            ++row;
        };
        if (UserDataSet* dataSet = band.dataSet()) {
            dataSet->First();
            while (!dataSet->Eof()) {
                printRow();
                dataSet->Next();
            }
        } else {
            for (int i = 0; i < band.rowCount(); ++i)
                printRow();
        }
    }

    // A band that does not fit in what is left of the sheet starts a new one;
    // an empty band is dropped instead, so it never makes a sheet of its own.
    void place(Band& band)
    {
        if (m_cursor + band.height() > m_limit + FitTolerance && !m_sheetIsFresh) {
            if (band.isEmpty())
                return;
            finishSheet();
            startSheet();
        }
        putBand(band, m_cursor);
        m_cursor += band.height();
        m_sheetIsFresh = false;
    }

    void startSheet()
    {
        m_result.pages.emplace_back();
        PreparedPage& sheet = m_result.pages.back();
        sheet.width = m_page.sheetWidth();
        sheet.height = m_page.sheetHeight();

        PreparedObject background;
        background.kind = ObjectKind::Picture;
        background.name = m_page.name();
        background.hasPage = false;
        background.width = sheet.width;
        background.height = sheet.height;
        sheet.objects.push_back(std::move(background));

        m_cursor = mm(m_page.topMarginMm());
        if (Band* header = m_page.pageHeader()) {
            putBand(*header, m_cursor);
            m_cursor += header->height();
        }
        m_limit = mm(m_page.paperHeightMm() - m_page.bottomMarginMm());
        if (Band* footer = m_page.pageFooter())
            m_limit -= footer->height();
        m_sheetIsFresh = true;
    }

    void finishSheet()
    {
        if (Band* footer = m_page.pageFooter())
            putBand(*footer, m_limit);
    }

    void putBand(Band& band, double top)
    {
        beforePrint(band);
        PreparedObject object = snapshotBase(band, ObjectKind::Band, m_page);
        object.absLeft = mm(m_page.leftMarginMm());
        object.absTop = top;
        object.width = m_page.bandWidth();
        object.height = band.height();
        for (const auto& view : band.views()) {
            beforePrint(*view);
            object.children.push_back(snapshot(*view, object.absLeft, top));
        }
        m_result.pages.back().objects.push_back(std::move(object));
    }

    void beforePrint(Component& component)
    {
        if (m_report.onBeforePrint)
            m_report.onBeforePrint(component);
    }

    PreparedObject snapshot(const View& view, double bandLeft, double bandTop)
    {
        PreparedObject object = snapshotBase(view, view.kind(), m_page);
        object.absLeft = bandLeft + view.left();
        object.absTop = bandTop + view.top();
        object.width = view.width();
        object.height = view.height();
        object.frame = view.frame();
        object.frameColor = view.frameColor();
        object.color = view.color();
        if (const auto* memo = dynamic_cast<const MemoView*>(&view)) {
            object.text = memoText(*memo);
            object.fontName = memo->fontName();
            object.fontSize = memo->fontSize();
            object.bold = memo->bold();
            object.italic = memo->italic();
            object.hAlign = memo->hAlign();
            object.vAlign = memo->vAlign();
            object.wordWrap = memo->wordWrap();
        } else if (const auto* picture = dynamic_cast<const PictureView*>(&view)) {
            object.picture = picture->picture();
            object.keepAspectRatio = picture->keepAspectRatio();
            object.center = picture->center();
        }
        return object;
    }

    QString memoText(const MemoView& memo)
    {
        if (memo.dataSet() && !memo.dataField().isEmpty())
            return formatValue(memo.dataSet()->Value(memo.dataField()), memo.displayFormat());
        QString text = memo.text();
        if (memo.allowExpressions()) {
            text.replace(QLatin1String("[Date]"), formatReportDate(m_report.reportDate()));
            text.replace(QLatin1String("[Page#]"), QString::number(m_result.pages.size()));
        }
        return text;
    }

    Report& m_report;
    ReportPage& m_page;
    PreparedReport& m_result;
    double m_cursor = 0;
    double m_limit = 0;
    // Nothing but the page header yet: a band too tall for any sheet is
    // printed here rather than starting sheet after sheet.
    bool m_sheetIsFresh = true;
};

} // namespace

ReportPage& Report::addPage(const QString& name)
{
    m_pages.push_back(std::make_unique<ReportPage>(name));
    return *m_pages.back();
}

std::vector<Component*> Report::components() const
{
    std::vector<Component*> all;
    for (const auto& page : m_pages) {
        all.push_back(page.get());
        for (const auto& band : page->bands()) {
            all.push_back(band.get());
            for (const auto& view : band->views())
                all.push_back(view.get());
        }
    }
    return all;
}

Component* Report::findComponent(const QString& name) const
{
    for (Component* component : components()) {
        if (component->name() == name)
            return component;
    }
    return nullptr;
}

QDate Report::reportDate() const
{
    return m_reportDate.value_or(QDate::currentDate());
}

void Report::PrepareReport()
{
    m_prepared = PreparedReport();
    PreparedReport result;
    for (const auto& page : m_pages)
        PageLayout(*this, *page, result).run();
    m_prepared = std::move(result);
}

void Report::Export(ExportFilter& filter) const
{
    runExport(m_prepared, filter);
}

QString formatReportDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace report
