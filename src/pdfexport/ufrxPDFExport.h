#pragma once

#include "dialogservice.h"
#include "exportfilter.h"
#include "pdfdocument.h"

#include <QString>

#include <functional>
#include <memory>

// The report's PDF export filter: asks for the target file, gives every
// prepared sheet one A4 page, draws the sheet's printable views and saves.
//
// The file is written only when the whole report was drawn, and it replaces
// an existing file of that name only once it is complete: a cancelled or
// failed export leaves the user's file as it was.
class TfrxPDFExport : public report::ExportFilter {
public:
    using DocumentFactory = std::function<std::unique_ptr<pdf::PdfDocument>()>;

    // `createDocument` makes the document that Start draws into; by default
    // the real one over libharu.
    explicit TfrxPDFExport(IDialogService& dialogs, DocumentFactory createDocument = {});
    ~TfrxPDFExport() override;

    // The document information: Title, the PDF version ("1.0" to "1.7";
    // anything else leaves the library's own), Author, and Creator, which
    // also fills Producer.
    QString Title;
    QString Version;
    QString Author;
    QString Creator;

    static QString GetDescription();
    QString description() const override { return GetDescription(); }

    report::ModalResult ShowModal() override;
    bool Start() override;
    void StartPage(const report::PreparedPage& page, int index) override;
    void ExportObject(const report::PreparedObject& object) override;
    void FinishPage(const report::PreparedPage& page, int index) override;
    void Finish() override;

private:
    struct Box {
        double left;
        double top;
        double width;
        double height;
    };

    double ConvertX(double x) const;
    double ConvertY(const report::PreparedObject& object, double y) const;
    Box convertBox(const report::PreparedObject& object) const;

    void drawObject(const report::PreparedObject& object);
    void drawPicture(const report::PreparedObject& object);
    void drawShape(const report::PreparedObject& object);
    void drawLine(const report::PreparedObject& object);
    void drawText(const report::PreparedObject& object);
    void drawFrame(const report::PreparedObject& object);
    void selectTextFont(const report::PreparedObject& object);

    IDialogService& m_dialogs;
    DocumentFactory m_createDocument;

    std::unique_ptr<pdf::PdfDocument> FPDFLibrary;
    int FFontID = 0;
    int FFontBoldID = 0;
    int FFontItalicID = 0;
    QString FSaveFile;

    // Height of the sheet being exported, for the one object that belongs
    // to no report page (the sheet's background).
    double m_sheetHeight = 0;
    // Set when drawing failed: the half-drawn report is then not saved.
    bool m_drawingFailed = false;
};
