#include "documentfixtures.h"

#include <QFile>

#include <stdexcept>

namespace docfixtures {

SettingsStore::SettingsStore()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
}

std::unique_ptr<QSettings> SettingsStore::open() const
{
    return std::make_unique<QSettings>(path(), QSettings::IniFormat);
}

QString SettingsStore::text() const
{
    return QString::fromUtf8(testutils::readFile(path()));
}

void SettingsStore::write(const QByteArray& iniText) const
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly) || file.write(iniText) != iniText.size())
        throw std::runtime_error("cannot write settings fixture");
}

FileFolder::FileFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
}

QString FileFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString target = path(name);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write file fixture");
    return target;
}

QByteArray crlfLines(std::initializer_list<const char*> lines)
{
    QByteArray text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void fillProject(TCProyect& project)
{
    project.setBusinessName(QStringLiteral("Talleres Peña"));
    project.setUserName(QStringLiteral("Ana"));
    project.setAddress(QStringLiteral("Calle Mayor 1"));
    project.setState(QStringLiteral("Sevilla"));
    project.setPlace(QStringLiteral("Dos Hermanas"));
    project.setTelephone(QStringLiteral("954000000"));
    project.setDistribution(QStringLiteral("Endesa"));
    project.setCalculationType(TCalculationType::contracted_power);
    project.setBatteryType(TBatteryType::battery);
    project.setTemperature(TTemperature::greater_than_35);
    project.setVoltage(TVoltage::v230);
    project.setFrequency(TFrequency::f60Hz);
    project.setHarmonics(true);
    project.setMaximumPower(450);
    project.setHasInputTransformer(true);
    project.setInputTransformer(630);
    TConsumptionList& list = project.ConsumptionList();
    list.setPowerfactor(0.95f);
    list.setWorkHours(250);
    list.setPeriodType(TPeriodType::bimonthly);
    for (int i = 0; i < 3; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(i == 0 ? QStringLiteral("Enero-Febrero") : QStringLiteral("Periodo %1").arg(i));
        period->setYear(2024 + i);
        period->setKwht(10000 * (i + 1));
        period->setKvarh(-7000 * (i + 1));
        period->setInputTransformer(400);
        period->setPeakDemand(120 + i);
        period->setReactiveSurcharge(35);
        period->setCostPowerTerm(900);
        period->setCostActiveTerm(1500 + i);
        list.Add(std::move(period));
    }
}

} // namespace docfixtures
