#include "oldfileparse.h"

#include "cp1252.h"
#include "filemessages.h"
#include "filereading.h"
#include "project.h"
#include "rounding.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int RecordSize = 136;

std::uint16_t u16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::int32_t i32(const unsigned char* p)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(bits);
}

float f32(const unsigned char* p)
{
    const auto bits = static_cast<std::uint32_t>(i32(p));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double f64(const unsigned char* p)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// An amount stored as a double, rounded to the nearest whole number with
// halves to the even neighbour.
std::int32_t amount(const unsigned char* p)
{
    const auto rounded = roundToInt32(f64(p));
    if (!rounded)
        FileMessages::raiseInvalidFormat();
    return *rounded;
}

template <typename E, typename Set> void setCode(std::int32_t code, Set set)
{
    if (const auto value = enumFromCode<E>(code))
        set(*value);
}

// The header's size by its tag, or 0 for a tag the format does not know.
int headerSize(std::uint16_t tag)
{
    switch (tag) {
    case 100:
        return 616;
    case 50:
        return 596;
    case 34:
        return 592;
    default:
        return 0;
    }
}

// The header fields from offset 596 on, which only the 616-byte header has.
struct ContractedPowerFields {
    std::int32_t calculationType;
    std::int32_t maximumPower;
    bool hasInputTransformer;
    std::int32_t inputTransformer;
    std::int32_t batteryType;
};

// What the two older headers stand for. Battery code 1 is a plain bank: no
// code of this format names the Lumarest line.
ContractedPowerFields SetOldDefaults()
{
    return { 0, 0, false, 0, 1 };
}

} // namespace

QString ShortAnsiToString(const unsigned char* field, int capacity)
{
    const int length = field[0];
    if (length > capacity)
        FileMessages::raiseInvalidFormat();
    return cp1252ToString(field + 1, static_cast<std::size_t>(length));
}

void OldFileRead(TCProyect& CProyect, const QByteArray& contents)
{
    CProyect.Reset();

    const auto* bytes = reinterpret_cast<const unsigned char*>(contents.constData());
    const qsizetype size = contents.size();
    if (size < 2)
        FileMessages::raiseInvalidFormat();
    const int headerLength = headerSize(u16(bytes));
    if (headerLength == 0 || size < headerLength)
        FileMessages::raiseInvalidFormat();

    ContractedPowerFields contracted = SetOldDefaults();
    const unsigned char* h = bytes;
    if (headerLength == 616) {
        contracted.calculationType = i32(h + 596);
        contracted.maximumPower = i32(h + 600);
        contracted.hasInputTransformer = h[604] != 0;
        contracted.inputTransformer = i32(h + 608);
        contracted.batteryType = i32(h + 612);
    }

    TConsumptionList& list = CProyect.ConsumptionList();
    // A shorter last piece (the file ending inside a record) is ignored.
    for (qsizetype at = headerLength; size - at >= RecordSize; at += RecordSize) {
        const unsigned char* r = bytes + at;
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(ShortAnsiToString(r + 0, 15));
        period->setYear(i32(r + 16));
        period->setKwht(amount(r + 24));
        period->setKvarh(amount(r + 80));
        period->setInputTransformer(amount(r + 104));
        period->setPeakDemand(amount(r + 64));
        period->setReactiveSurcharge(amount(r + 128));
        period->setCostPowerTerm(amount(r + 96));
        period->setCostActiveTerm(amount(r + 120));
        list.Add(std::move(period));
    }

    CProyect.setBusinessName(ShortAnsiToString(h + 2, 100));
    CProyect.setUserName(ShortAnsiToString(h + 356, 100));
    CProyect.setAddress(ShortAnsiToString(h + 457, 96));
    CProyect.setState(ShortAnsiToString(h + 103, 100));
    CProyect.setDistribution(ShortAnsiToString(h + 204, 100));
    CProyect.setPlace(QString()); // the format has no town
    CProyect.setTelephone(ShortAnsiToString(h + 326, 20));
    list.setPowerfactor(f32(h + 560));
    setCode<TVoltage>(i32(h + 352), [&](TVoltage v) { CProyect.setVoltage(v); });
    CProyect.setHarmonics(i32(h + 568) == 1);
    setCode<TPeriodType>(i32(h + 572), [&](TPeriodType v) { list.setPeriodType(v); });
    list.setWorkHours(i32(h + 556));
    setCode<TFrequency>(i32(h + 584), [&](TFrequency v) { CProyect.setFrequency(v); });
    setCode<TTemperature>(i32(h + 588), [&](TTemperature v) { CProyect.setTemperature(v); });
    setCode<TCalculationType>(contracted.calculationType, [&](TCalculationType v) { CProyect.setCalculationType(v); });
    CProyect.setMaximumPower(contracted.maximumPower);
    CProyect.setHasInputTransformer(contracted.hasInputTransformer);
    CProyect.setInputTransformer(contracted.inputTransformer);
    switch (contracted.batteryType) {
    case 0:
        CProyect.setBatteryType(TBatteryType::ferimont);
        break;
    case 1:
        CProyect.setBatteryType(TBatteryType::battery);
        break;
    default:
        break;
    }
}

void OldFileOpen(TCProyect& CProyect, const QString& FileName)
{
    CProyect.Reset();
    OldFileRead(CProyect, readProjectFile(FileName, MaximumOldFileSize));
}
