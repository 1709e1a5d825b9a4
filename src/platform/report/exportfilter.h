#pragma once

#include "preparedreport.h"

// An export filter: turns a prepared report into a file. The engine drives
// it through runExport in a fixed order.
namespace report {

enum class ModalResult { Ok = 1, Cancel = 2 };

class ExportFilter {
public:
    virtual ~ExportFilter() = default;

    // The engine's display name for the filter.
    virtual QString description() const = 0;

    // Asked first: any answer but Ok ends the export with no further call.
    virtual ModalResult ShowModal() = 0;
    // False ends the export.
    virtual bool Start() = 0;
    virtual void StartPage(const PreparedPage& page, int index) = 0;
    virtual void ExportObject(const PreparedObject& object) = 0;
    virtual void FinishPage(const PreparedPage& page, int index) = 0;
    virtual void Finish() = 0;
};

// Runs one export: ShowModal, Start, then per sheet StartPage, ExportObject
// for each object followed by each of its children, FinishPage; then Finish.
// When an error escapes while a sheet is exported, its StartPage included,
// FinishPage and Finish are still called and the error is then rethrown to
// the caller.
void runExport(const PreparedReport& prepared, ExportFilter& filter);

} // namespace report
