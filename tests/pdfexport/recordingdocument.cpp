#include "recordingdocument.h"

#include <QImage>

namespace {

QString n(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

void RecordingDocument::record(const QString& call)
{
    calls << call;
    if (onCall)
        onCall(call);
}

void RecordingDocument::setPageLayout(pdf::PageLayout layout)
{
    record(QStringLiteral("setPageLayout %1").arg(static_cast<int>(layout)));
}

void RecordingDocument::setPageSize(pdf::PageSize)
{
    record(QStringLiteral("setPageSize A4"));
}

void RecordingDocument::setMeasurementUnits(pdf::MeasurementUnits units)
{
    record(QStringLiteral("setMeasurementUnits %1").arg(static_cast<int>(units)));
}

int RecordingDocument::addTrueTypeFont(const QString& name, bool embed)
{
    record(QStringLiteral("addTrueTypeFont %1 %2").arg(name).arg(embed ? 1 : 0));
    return trueTypeFontsInstalled ? ++m_nextFont : 0;
}

int RecordingDocument::addStandardFont(pdf::StandardFont font)
{
    record(QStringLiteral("addStandardFont %1").arg(static_cast<int>(font)));
    return 100 + static_cast<int>(font);
}

void RecordingDocument::selectFont(int fontId)
{
    record(QStringLiteral("selectFont %1").arg(fontId));
}

void RecordingDocument::setInformation(pdf::InfoEntry entry, const QString& value)
{
    record(QStringLiteral("setInformation %1 %2").arg(static_cast<int>(entry)).arg(value));
}

void RecordingDocument::newPage()
{
    record(QStringLiteral("newPage"));
}

int RecordingDocument::addImage(const QImage& picture)
{
    // Record the picture's pixel size to show which.
    if (picture.isNull()) {
        record(QStringLiteral("addImage null"));
        return 0;
    }
    record(QStringLiteral("addImage %1x%2").arg(picture.width()).arg(picture.height()));
    return ++m_images;
}

void RecordingDocument::fitImage(double left, double top, double width, double height)
{
    record(QStringLiteral("fitImage %1 %2 %3 %4").arg(n(left), n(top), n(width), n(height)));
}

void RecordingDocument::drawImage(double left, double top, double width, double height)
{
    record(QStringLiteral("drawImage %1 %2 %3 %4").arg(n(left), n(top), n(width), n(height)));
}

void RecordingDocument::setFillColor(double red, double green, double blue)
{
    record(QStringLiteral("setFillColor %1 %2 %3").arg(n(red), n(green), n(blue)));
}

void RecordingDocument::drawBox(double left, double top, double width, double height)
{
    record(QStringLiteral("drawBox %1 %2 %3 %4").arg(n(left), n(top), n(width), n(height)));
}

void RecordingDocument::drawLine(double startX, double startY, double endX, double endY)
{
    record(QStringLiteral("drawLine %1 %2 %3 %4").arg(n(startX), n(startY), n(endX), n(endY)));
}

void RecordingDocument::setTextAlign(pdf::TextAlign align)
{
    record(QStringLiteral("setTextAlign %1").arg(static_cast<int>(align)));
}

void RecordingDocument::setTextSize(double size)
{
    record(QStringLiteral("setTextSize %1").arg(n(size)));
}

// A single-line text box is recorded with " single" at the end.
void RecordingDocument::drawTextBox(double left, double top, double width, double height, const QString& text,
    pdf::VerticalAlign verticalAlign, pdf::TextWrap wrap)
{
    record(QStringLiteral("drawTextBox %1 %2 %3 %4 [%5] %6%7")
               .arg(n(left), n(top), n(width), n(height), text)
               .arg(static_cast<int>(verticalAlign))
               .arg(wrap == pdf::TextWrap::SingleLine ? QStringLiteral(" single") : QString()));
}

bool RecordingDocument::saveToFile(const QString& path)
{
    record(QStringLiteral("saveToFile"));
    savedTo = path;
    return saveSucceeds;
}
