#include "reportobjects.h"

#include <cmath>

namespace report {

void View::setGeometry(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

void MemoView::setDataField(UserDataSet* dataSet, const QString& field)
{
    m_dataSet = dataSet;
    m_dataField = field;
}

bool Band::isEmpty() const
{
    for (const auto& view : m_views) {
        if (view->visible())
            return false;
    }
    return true;
}

void Band::adopt(std::unique_ptr<View> view)
{
    view->m_band = this;
    m_views.push_back(std::move(view));
}

void ReportPage::setPaperSize(double widthMm, double heightMm)
{
    m_paperWidthMm = widthMm;
    m_paperHeightMm = heightMm;
}

void ReportPage::setMargins(double left, double top, double right, double bottom)
{
    m_margins[0] = left;
    m_margins[1] = top;
    m_margins[2] = right;
    m_margins[3] = bottom;
}

double ReportPage::sheetWidth() const
{
    return std::round(mm(m_paperWidthMm));
}

double ReportPage::sheetHeight() const
{
    return std::round(mm(m_paperHeightMm));
}

double ReportPage::bandWidth() const
{
    return mm(m_paperWidthMm - leftMarginMm() - rightMarginMm());
}

Band& ReportPage::addBand(const QString& name, BandKind kind, double height)
{
    auto band = std::make_unique<Band>(name, kind, height);
    band->m_page = this;
    m_bands.push_back(std::move(band));
    return *m_bands.back();
}

Band* ReportPage::pageHeader() const
{
    for (const auto& band : m_bands) {
        if (band->kind() == BandKind::PageHeader)
            return band.get();
    }
    return nullptr;
}

Band* ReportPage::pageFooter() const
{
    for (const auto& band : m_bands) {
        if (band->kind() == BandKind::PageFooter)
            return band.get();
    }
    return nullptr;
}

} // namespace report
