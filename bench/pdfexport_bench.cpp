// Exporting the program's two-page report to a PDF file, the way printing
// to a file does: fonts looked up, every sheet drawn, the file written.
#include "reportfixture.h"

#include "exportfilter.h"
#include "ufrxPDFExport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

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

// A catalogue series picture at `width` pixels.
QImage seriesPicture(int width)
{
    const QImage shipped(QStringLiteral(TENVIK_SERIES_PICTURE));
    return shipped.scaledToWidth(width, Qt::SmoothTransformation);
}

} // namespace

// The report of 24 monthly periods, its chart and a series picture of
// state.range(0) pixels' width (the shipped catalogue's are 96).
static void BM_ExportTheReport(benchmark::State& state)
{
    bench::ReportPrint print;
    print.fill();
    print.layout.frxReport()
        .find<report::PictureView>(QStringLiteral("BatteryImage"))
        ->setPicture(seriesPicture(static_cast<int>(state.range(0))));
    print.layout.frxReport().PrepareReport();
    const report::PreparedReport& prepared = print.layout.frxReport().prepared();

    // The file goes to memory where the machine has it: the disk's flush
    // of a complete file is the machine's time, not the export's.
    const QString memory = QStringLiteral("/dev/shm");
    QTemporaryDir dir((QFileInfo(memory).isDir() ? memory : QDir::tempPath()) + QStringLiteral("/tenvik-bench-XXXXXX"));
    FixedFileDialogs dialogs(dir.filePath(QStringLiteral("informe.pdf")));
    for (auto _ : state) {
        TfrxPDFExport filter(dialogs);
        filter.Title = QStringLiteral("Informe TENVIK versión 7");
        filter.Version = QStringLiteral("7.1.0");
        filter.Author = QStringLiteral("Orvel Energía");
        filter.Creator = QStringLiteral("Orvel Energía");
        report::runExport(prepared, filter);
    }
}
BENCHMARK(BM_ExportTheReport)->Arg(96)->Arg(600)->Unit(benchmark::kMillisecond);
