#pragma once

#include "preparedreport.h"
#include "reportobjects.h"
#include "userdataset.h"

#include <QDate>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A report template with its pages, the data sets it reads and the result
// of its last preparation.
namespace report {

class ExportFilter;

class Report {
public:
    Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportPage& addPage(const QString& name);
    const std::vector<std::unique_ptr<ReportPage>>& pages() const { return m_pages; }

    // The data sets the report knows; not owned.
    void addDataSet(UserDataSet* dataSet) { m_dataSets.push_back(dataSet); }
    const std::vector<UserDataSet*>& dataSets() const { return m_dataSets; }

    // Every page, band and view, pages in order, each followed by its bands
    // and each band by its views.
    std::vector<Component*> components() const;
    // The component of that exact name, or null.
    Component* findComponent(const QString& name) const;
    template <typename T> T* find(const QString& name) const { return dynamic_cast<T*>(findComponent(name)); }

    // Called for every band and view just before it is placed on a sheet; an
    // exception thrown here ends the preparation.
    std::function<void(Component&)> onBeforePrint;

    // The date "[Date]" prints; today's when not set.
    void setReportDate(std::optional<QDate> date) { m_reportDate = date; }
    QDate reportDate() const;

    // Lays the pages out on sheets. The previous result is always dropped;
    // on an error (from a data set or the before-print hook) the prepared
    // report stays empty and the error reaches the caller.
    void PrepareReport();
    const PreparedReport& prepared() const { return m_prepared; }

    // Runs the export filter over the prepared sheets.
    void Export(ExportFilter& filter) const;

private:
    std::vector<std::unique_ptr<ReportPage>> m_pages;
    std::vector<UserDataSet*> m_dataSets;
    std::optional<QDate> m_reportDate;
    PreparedReport m_prepared;
};

// The text "[Date]" prints: day/month/year, two digits each but the year.
QString formatReportDate(const QDate& date);

} // namespace report
