// Exporting a prepared two-page report to a PDF file, the way printing to a
// file does: fonts looked up, every sheet drawn, the file written.
#include "exportfilter.h"
#include "ufrxPDFExport.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using report::ObjectKind;
using report::PreparedObject;

constexpr double Mm = report::PixelsPerMm;
constexpr double SheetHeight = 1123;

class FixedFileDialogs : public IDialogService {
public:
    explicit FixedFileDialogs(QString path)
        : m_path(std::move(path))
    {
    }
    void showMessage(MessageKind, const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> inputQuery(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> getOpenFileName(const QString&) override { return {}; }
    std::optional<QString> getSaveFileName(const QString&, const QString&, const QString&, bool) override
    {
        return m_path;
    }

private:
    QString m_path;
};

PreparedObject object(ObjectKind kind, double xMm, double yMm, double wMm, double hMm)
{
    PreparedObject result;
    result.kind = kind;
    result.absLeft = (10 + xMm) * Mm;
    result.absTop = (10 + yMm) * Mm;
    result.width = wMm * Mm;
    result.height = hMm * Mm;
    result.pageHeight = SheetHeight;
    return result;
}

PreparedObject text(double xMm, double yMm, double wMm, const QString& value)
{
    PreparedObject result = object(ObjectKind::Memo, xMm, yMm, wMm, 5);
    result.text = value;
    return result;
}

// About the report's size: a header with its emblem, forty label and value
// pairs, a silver heading, a framed table and a long wrapped description.
report::PreparedPage sheet(const QImage& emblem, const QImage& photo)
{
    report::PreparedPage page;
    page.width = 794;
    page.height = SheetHeight;
    PreparedObject background = object(ObjectKind::Picture, -10, -10, 210, 297);
    background.hasPage = false;
    page.objects.push_back(background);

    PreparedObject band = object(ObjectKind::Band, 0, 0, 190, 270);
    PreparedObject picture = object(ObjectKind::Picture, 0, 0, 22, 25);
    picture.picture = emblem;
    band.children.push_back(picture);
    PreparedObject title = text(25, 0, 25, QStringLiteral("TENVIK"));
    title.bold = true;
    title.fontSize = 16;
    band.children.push_back(title);
    band.children.push_back(object(ObjectKind::Line, 0, 25, 190, 0));
    PreparedObject shape = object(ObjectKind::Shape, 0, 35, 190, 10);
    shape.color = report::ColorSilver;
    band.children.push_back(shape);
    PreparedObject photoView = object(ObjectKind::Picture, 0, 50, 71, 65);
    photoView.picture = photo;
    band.children.push_back(photoView);
    PreparedObject description = object(ObjectKind::Memo, 75, 50, 115, 127);
    description.text = QStringLiteral(
        "Batería automática de condensadores con filtros de rechazo sintonizados a 189 Hz, para redes con "
        "contenido en armónicos. Regulador de energía reactiva de 12 escalones con pantalla y alarma de "
        "temperatura.\nArmario metálico IP31, ventilación forzada, acceso frontal.");
    band.children.push_back(description);
    for (int row = 0; row < 20; ++row) {
        band.children.push_back(text(0, 130 + row * 6, 30, QStringLiteral("Precio (€):")));
        PreparedObject value = text(31, 130 + row * 6, 40, QStringLiteral("%1,56").arg(1000 + row));
        value.hAlign = report::HAlign::Right;
        value.frame = { true, true, true, true };
        band.children.push_back(value);
    }
    PreparedObject note = text(0, 260, 190,
        QStringLiteral("Se recomienda a los instaladores realizar un análisis "
                       "de red antes de instalar el equipo."));
    note.italic = true;
    band.children.push_back(note);
    page.objects.push_back(band);
    return page;
}

} // namespace

static void BM_ExportTwoPageReport(benchmark::State& state)
{
    QImage emblem(142, 142, QImage::Format_ARGB32);
    emblem.fill(QColor(0, 90, 160, 200));
    QImage photo(300, 400, QImage::Format_RGB32);
    photo.fill(QColor(120, 125, 135));
    report::PreparedReport prepared;
    prepared.pages.push_back(sheet(emblem, photo));
    prepared.pages.push_back(sheet(emblem, photo));

    QTemporaryDir dir;
    FixedFileDialogs dialogs(dir.filePath(QStringLiteral("informe.pdf")));
    for (auto _ : state) {
        TfrxPDFExport filter(dialogs);
        filter.Title = QStringLiteral("Informe TENVIK versión 7");
        filter.Author = QStringLiteral("Orvel Energía");
        filter.Creator = QStringLiteral("Orvel Energía");
        report::runExport(prepared, filter);
    }
}
BENCHMARK(BM_ExportTwoPageReport)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
