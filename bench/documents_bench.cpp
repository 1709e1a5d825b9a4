// Opening and saving projects in the current format, through the document as
// the program does it: a saved project of 1000 billing periods, and opening
// projects of 1000 to 100,000 periods, whose time must grow in step with
// their number.
#include "dskproject.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <stdexcept>

namespace {

constexpr int SavedPeriodCount = 1000;

class Fixture {
public:
    Fixture()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        m_document = std::make_unique<TDskProject>(
            nullptr, nullptr, std::make_unique<QSettings>(m_dir.filePath("settings.ini"), QSettings::IniFormat));
        m_document->setBusinessName(QStringLiteral("Talleres Peña"));
        m_document->ConsumptionList().setPowerfactor(0.95f);
        for (int i = 0; i < SavedPeriodCount; ++i) {
            auto period = std::make_unique<TConsumption>();
            period->setPeriod(QStringLiteral("Periodo %1").arg(i));
            period->setYear(2000 + i % 30);
            period->setKwht(100000 + i);
            period->setKvarh(70000 + i);
            period->setInputTransformer(630);
            period->setPeakDemand(400 + i % 50);
            period->setReactiveSurcharge(120);
            period->setCostPowerTerm(3000 + i);
            period->setCostActiveTerm(9000 + i);
            m_document->ConsumptionList().Add(std::move(period));
        }
        m_savedPath = m_dir.filePath("project.tvk");
        m_document->SaveToFile(m_savedPath);
    }

    TDskProject& document() { return *m_document; }
    const QString& savedPath() const { return m_savedPath; }

    // A project of `count` periods of two values each: written the program's
    // own way, more than about 14,800 periods would pass the reader's size
    // limit, which this compact form keeps below up to 100,000.
    QString compactFile(int count)
    {
        auto& path = m_compactFiles[count];
        if (path.isEmpty()) {
            QByteArray text = "{\"BusinessName\": \"Talleres\", \"Consumption\": {\"ConsumptionItems\": [";
            for (int i = 0; i < count; ++i) {
                text += i ? "," : "";
                text += "{\"Year\":" + QByteArray::number(2000 + i % 30) + ",\"kwht\":" + QByteArray::number(100000 + i)
                    + "}";
            }
            text += "]}}";
            path = m_dir.filePath(QStringLiteral("compact%1.tvk").arg(count));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
                throw std::runtime_error("cannot write the compact project");
        }
        return path;
    }

private:
    // First, so that it is removed last: the document writes its settings
    // into it when it is destroyed.
    QTemporaryDir m_dir;
    std::map<int, QString> m_compactFiles;
    std::unique_ptr<TDskProject> m_document;
    QString m_savedPath;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& f = fixture();
    f.document().OpenFromFile(f.savedPath());
    for (auto _ : state)
        f.document().SaveToFile(f.savedPath());
    state.SetItemsProcessed(state.iterations() * SavedPeriodCount);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenSavedProject(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.document().OpenFromFile(f.savedPath());
        benchmark::DoNotOptimize(f.document().ConsumptionList().Count());
    }
    if (f.document().ConsumptionList().Count() != SavedPeriodCount)
        state.SkipWithError("the project did not read back whole");
    state.SetItemsProcessed(state.iterations() * SavedPeriodCount);
}
BENCHMARK(BM_OpenSavedProject)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state)
{
    Fixture& f = fixture();
    const int count = static_cast<int>(state.range(0));
    const QString path = f.compactFile(count);
    for (auto _ : state) {
        f.document().OpenFromFile(path);
        benchmark::DoNotOptimize(f.document().ConsumptionList().Count());
    }
    if (f.document().ConsumptionList().Count() != count)
        state.SkipWithError("the project did not read back whole");
    state.SetItemsProcessed(state.iterations() * count);
    state.SetComplexityN(count);
}
BENCHMARK(BM_OpenProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
