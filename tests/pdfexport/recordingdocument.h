#pragma once

// A PDF document that only records the calls made to it, one line each,
// numbers in shortest form ("drawLine 0 842.25 75 842.25").

#include "pdfdocument.h"

#include <QStringList>

#include <functional>

class RecordingDocument : public pdf::PdfDocument {
public:
    QStringList calls;
    // What addTrueTypeFont answers for the three names the filter asks for:
    // ids 1, 2 and 3, or 0 for every one when false.
    bool trueTypeFontsInstalled = true;
    bool saveSucceeds = true;
    QString savedTo;
    // Called with each recorded line; may throw to simulate a failure.
    std::function<void(const QString&)> onCall;

    void setPageLayout(pdf::PageLayout layout) override;
    void setPageSize(pdf::PageSize size) override;
    void setMeasurementUnits(pdf::MeasurementUnits units) override;
    int addTrueTypeFont(const QString& name, bool embed) override;
    int addStandardFont(pdf::StandardFont font) override;
    void selectFont(int fontId) override;
    void setInformation(pdf::InfoEntry entry, const QString& value) override;
    void newPage() override;
    int addImage(const QImage& picture) override;
    void fitImage(double left, double top, double width, double height) override;
    void drawImage(double left, double top, double width, double height) override;
    void setFillColor(double red, double green, double blue) override;
    void drawBox(double left, double top, double width, double height) override;
    void drawLine(double startX, double startY, double endX, double endY) override;
    void setTextAlign(pdf::TextAlign align) override;
    void setTextSize(double size) override;
    void drawTextBox(double left, double top, double width, double height, const QString& text,
        pdf::VerticalAlign verticalAlign, pdf::TextWrap wrap = pdf::TextWrap::Wrap) override;
    bool saveToFile(const QString& path) override;

private:
    void record(const QString& call);
    int m_nextFont = 0;
    int m_images = 0;
};
