#include "exportfilter.h"

#include <exception>

namespace report {

namespace {

void exportTree(const PreparedObject& object, ExportFilter& filter)
{
    filter.ExportObject(object);
    for (const PreparedObject& child : object.children)
        filter.ExportObject(child);
}

} // namespace

void runExport(const PreparedReport& prepared, ExportFilter& filter)
{
    if (filter.ShowModal() != ModalResult::Ok)
        return;
    if (!filter.Start())
        return;
    for (std::size_t i = 0; i < prepared.pages.size(); ++i) {
        const PreparedPage& page = prepared.pages[i];
        const int index = static_cast<int>(i);
        try {
            filter.StartPage(page, index);
            for (const PreparedObject& object : page.objects)
                exportTree(object, filter);
        } catch (...) {
            // The page and the export are finished before the error travels
            // on; a failure while finishing must not hide the first one.
            const std::exception_ptr error = std::current_exception();
            try {
                filter.FinishPage(page, index);
                filter.Finish();
            } catch (...) {
            }
            std::rethrow_exception(error);
        }
        filter.FinishPage(page, index);
    }
    filter.Finish();
}

} // namespace report
