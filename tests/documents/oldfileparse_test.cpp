// Reading the previous version's binary project files.

#include "cp1252.h"
#include "exceptions.h"
#include "oldfileparse.h"
#include "project.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace {

// A file of `size` zero bytes with the given 32-byte lines, in hex, at their
// offsets.
QByteArray hexFile(int size, std::initializer_list<std::pair<int, const char*>> lines)
{
    QByteArray bytes(size, '\0');
    for (const auto& [offset, hex] : lines) {
        const QByteArray line = QByteArray::fromHex(hex);
        bytes.replace(offset, line.size(), line);
    }
    return bytes;
}

// Builds old files field by field over junk: every byte the reader must pass
// over (unused string bytes, padding, the fields nobody reads) is random.
class OldFile {
public:
    explicit OldFile(std::uint16_t tag, unsigned seed = 1)
        : m_random(seed)
    {
        const int size = tag == 100 ? 616 : tag == 50 ? 596 : 592;
        bytes = junk(size);
        u16(0, tag);
        text(2, 100, "");
        text(103, 100, "");
        text(204, 100, "");
        text(326, 20, "");
        text(356, 100, "");
        text(457, 96, "");
        for (int offset : { 352, 556, 568, 572, 584, 588 })
            i32(offset, 0);
        f32(560, 1.0f);
        if (tag == 100) {
            for (int offset : { 596, 600, 608, 612 })
                i32(offset, 0);
            bytes[604] = 0;
        }
    }

    void u16(int offset, std::uint16_t value) { put(offset, &value, 2); }
    void i32(int offset, std::int32_t value) { put(offset, &value, 4); }
    void f32(int offset, float value) { put(offset, &value, 4); }
    void f64(int offset, double value) { put(offset, &value, 8); }
    // A length byte and the text; the bytes after the text stay junk.
    void text(int offset, int capacity, const QByteArray& cp1252)
    {
        EXPECT_LE(cp1252.size(), capacity);
        bytes[offset] = static_cast<char>(cp1252.size());
        bytes.replace(offset + 1, cp1252.size(), cp1252);
    }

    struct Record {
        QByteArray period = "Enero";
        std::int32_t year = 2010;
        double kwht = 0, peakDemand = 0, kvarh = 0, costPowerTerm = 0, inputTransformer = 0, costActiveTerm = 0,
               reactiveSurcharge = 0;
    };
    void addRecord(const Record& r)
    {
        const int at = static_cast<int>(bytes.size());
        bytes += junk(136);
        text(at, 15, r.period);
        i32(at + 16, r.year);
        f64(at + 24, r.kwht);
        f64(at + 64, r.peakDemand);
        f64(at + 80, r.kvarh);
        f64(at + 96, r.costPowerTerm);
        f64(at + 104, r.inputTransformer);
        f64(at + 120, r.costActiveTerm);
        f64(at + 128, r.reactiveSurcharge);
    }
    void addJunk(int count) { bytes += junk(count); }

    QByteArray bytes;

private:
    // Little-endian on every machine this builds on; checked below.
    void put(int offset, const void* value, int size)
    {
        bytes.replace(offset, size, QByteArray(static_cast<const char*>(value), size));
    }
    QByteArray junk(int count)
    {
        QByteArray result(count, '\0');
        for (char& c : result)
            c = static_cast<char>(m_random() & 0xFF);
        return result;
    }
    std::mt19937 m_random;
};

static_assert(std::endian::native == std::endian::little, "the fixtures write native little-endian fields");

std::unique_ptr<TCProyect> readOld(const QByteArray& bytes)
{
    auto project = std::make_unique<TCProyect>(nullptr);
    OldFileRead(*project, bytes);
    return project;
}

void expectRefused(const QByteArray& bytes)
{
    TCProyect project(nullptr);
    try {
        OldFileRead(project, bytes);
        ADD_FAILURE() << "read";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "El archivo no tiene un formato válido.");
    }
}

} // namespace

// Tag 34: the 592-byte header without the contracted-power fields, and one
// billing period, written out byte by byte.
TEST(OldProjectFile, ReadsAFileWrittenOutByteByByte)
{
    const QByteArray bytes = hexFile(728,
        {
            { 0, "22000441636d6500000000000000000000000000000000000000000000000000" },
            { 96, "000000000000000543e164697a00000000000000000000000000000000000000" },
            { 192, "00000000000000000000000006456e6465736100000000000000000000000000" },
            { 320, "0000000000000339353600000000000000000000000000000000000000000000" },
            { 352, "01000000044c7569730000000000000000000000000000000000000000000000" },
            { 448, "0000000000000000000743616c6c652031000000000000000000000000000000" },
            { 544, "000000000000000000000000c80000006666663f000000000100000001000000" },
            { 576, "0000000000000000010000000100000005456e65726f00000000000000000000" },
            { 608, "d90700000000000000000000004a934000000000000000000000000000000000" },
            { 640, "0000000000000000000000000000000000000000000054400000000000000000" },
            { 672, "0000000000c0824000000000000000000000000000c072400000000000406f40" },
            { 704, "000000000000000000000000007097400000000000002840" },
        });
    const auto p = readOld(bytes);
    EXPECT_EQ(p->BusinessName(), "Acme");
    EXPECT_EQ(p->State(), QStringLiteral("Cádiz"));
    EXPECT_EQ(p->Distribution(), "Endesa");
    EXPECT_EQ(p->Telephone(), "956");
    EXPECT_EQ(p->UserName(), "Luis");
    EXPECT_EQ(p->Address(), "Calle 1");
    EXPECT_TRUE(p->Place().isEmpty());
    EXPECT_EQ(p->Voltage(), TVoltage::v480);
    EXPECT_EQ(p->ConsumptionList().WorkHours(), 200);
    EXPECT_EQ(p->ConsumptionList().Powerfactor(), 0.9f);
    EXPECT_TRUE(p->Harmonics());
    EXPECT_EQ(p->ConsumptionList().PeriodType(), TPeriodType::bimonthly);
    EXPECT_EQ(p->Frequency(), TFrequency::f60Hz);
    EXPECT_EQ(p->Temperature(), TTemperature::greater_than_35);
    // what the short header lacks
    EXPECT_EQ(p->CalculationType(), TCalculationType::consumption);
    EXPECT_EQ(p->BatteryType(), TBatteryType::battery);
    EXPECT_EQ(p->MaximumPower(), 0);
    EXPECT_FALSE(p->HasInputTransformer());
    EXPECT_EQ(p->InputTransformer(), 0);

    ASSERT_EQ(p->ConsumptionList().Count(), 1);
    const TConsumption& c = p->ConsumptionList()[0];
    EXPECT_EQ(c.Period(), "Enero");
    EXPECT_EQ(c.Year(), 2009);
    EXPECT_EQ(c.kwht(), 1234); // 1234.5, half to even
    EXPECT_EQ(c.PeakDemand(), 80);
    EXPECT_EQ(c.kvarh(), 600);
    EXPECT_EQ(c.CostPowerTerm(), 300);
    EXPECT_EQ(c.InputTransformer(), 250);
    EXPECT_EQ(c.CostActiveTerm(), 1500);
    EXPECT_EQ(c.ReactiveSurcharge(), 12);
    EXPECT_EQ(c.Fmr2(), 0.0f);
}

TEST(OldProjectFile, EachHeaderTagPlacesTheRecordsAndTheFieldsItHas)
{
    const struct {
        std::uint16_t tag;
        TCalculationType calculation;
        TBatteryType battery;
        std::int32_t maximumPower;
        bool hasInputTransformer;
        std::int32_t inputTransformer;
    } cases[] = {
        { 34, TCalculationType::consumption, TBatteryType::battery, 0, false, 0 },
        { 50, TCalculationType::consumption, TBatteryType::battery, 0, false, 0 },
        { 100, TCalculationType::contracted_power, TBatteryType::ferimont, 320, true, 800 },
    };
    for (const auto& c : cases) {
        for (unsigned seed : { 1u, 2u, 3u }) {
            SCOPED_TRACE(testing::Message() << "tag " << c.tag << " seed " << seed);
            OldFile file(c.tag, seed);
            file.text(2, 100, "Business");
            file.text(103, 100, "State");
            file.text(204, 100, "Distribution");
            file.text(326, 20, QByteArray(20, '9'));
            file.text(356, 100, QByteArray(100, 'u'));
            file.text(457, 96, QByteArray(96, 'a'));
            file.i32(352, 2);
            file.i32(556, 310);
            file.f32(560, 0.97f);
            file.i32(568, 1);
            file.i32(572, 1);
            file.i32(584, 1);
            file.i32(588, 1);
            if (c.tag == 100) {
                file.i32(596, 1);
                file.i32(600, 320);
                file.bytes[604] = 1;
                file.i32(608, 800);
                file.i32(612, 0);
            }
            file.addRecord({ "Enero", 2019, 1000, 90, 700, 310, 400, 1200, 15 });
            file.addRecord({ QByteArray(15, 'x'), -1, 2.5, 3.5, -2.5, 0, 0, 0, 0 });

            const auto p = readOld(file.bytes);
            EXPECT_EQ(p->BusinessName(), "Business");
            EXPECT_EQ(p->State(), "State");
            EXPECT_EQ(p->Distribution(), "Distribution");
            EXPECT_EQ(p->Telephone(), QString(20, '9'));
            EXPECT_EQ(p->UserName(), QString(100, 'u'));
            EXPECT_EQ(p->Address(), QString(96, 'a'));
            EXPECT_EQ(p->Voltage(), TVoltage::v230);
            EXPECT_EQ(p->ConsumptionList().WorkHours(), 310);
            EXPECT_EQ(p->ConsumptionList().Powerfactor(), 0.97f);
            EXPECT_TRUE(p->Harmonics());
            EXPECT_EQ(p->ConsumptionList().PeriodType(), TPeriodType::bimonthly);
            EXPECT_EQ(p->Frequency(), TFrequency::f60Hz);
            EXPECT_EQ(p->Temperature(), TTemperature::greater_than_35);
            EXPECT_EQ(p->CalculationType(), c.calculation);
            EXPECT_EQ(p->BatteryType(), c.battery);
            EXPECT_EQ(p->MaximumPower(), c.maximumPower);
            EXPECT_EQ(p->HasInputTransformer(), c.hasInputTransformer);
            EXPECT_EQ(p->InputTransformer(), c.inputTransformer);
            ASSERT_EQ(p->ConsumptionList().Count(), 2);
            const TConsumption& first = p->ConsumptionList()[0];
            EXPECT_EQ(first.Period(), "Enero");
            EXPECT_EQ(first.Year(), 2019);
            EXPECT_EQ(first.kwht(), 1000);
            EXPECT_EQ(first.PeakDemand(), 90);
            EXPECT_EQ(first.kvarh(), 700);
            EXPECT_EQ(first.CostPowerTerm(), 310);
            EXPECT_EQ(first.InputTransformer(), 400);
            EXPECT_EQ(first.CostActiveTerm(), 1200);
            EXPECT_EQ(first.ReactiveSurcharge(), 15);
            const TConsumption& second = p->ConsumptionList()[1];
            EXPECT_EQ(second.Period(), QString(15, 'x'));
            EXPECT_EQ(second.Year(), -1);
            EXPECT_EQ(second.kwht(), 2);
            EXPECT_EQ(second.PeakDemand(), 4);
            EXPECT_EQ(second.kvarh(), -2);
        }
    }
}

TEST(OldProjectFile, CodesOutsideTheirValuesSetNothing)
{
    const struct {
        int offset;
        std::int32_t code;
        std::function<bool(const TCProyect&)> holds;
    } cases[] = {
        { 612, 0, [](const TCProyect& p) { return p.BatteryType() == TBatteryType::ferimont; } },
        { 612, 1, [](const TCProyect& p) { return p.BatteryType() == TBatteryType::battery; } },
        { 612, 2, [](const TCProyect& p) { return p.BatteryType() == TBatteryType::ferimont; } },
        { 612, -1, [](const TCProyect& p) { return p.BatteryType() == TBatteryType::ferimont; } },
        { 352, 3, [](const TCProyect& p) { return p.Voltage() == TVoltage::v400; } },
        { 352, 1, [](const TCProyect& p) { return p.Voltage() == TVoltage::v480; } },
        { 572, 2, [](const TCProyect& p) { return p.ConsumptionList().PeriodType() == TPeriodType::monthly; } },
        { 584, 256, [](const TCProyect& p) { return p.Frequency() == TFrequency::f50Hz; } },
        { 588, -2147483647 - 1, [](const TCProyect& p) { return p.Temperature() == TTemperature::less_than_35; } },
        { 596, 2, [](const TCProyect& p) { return p.CalculationType() == TCalculationType::consumption; } },
        { 568, 2, [](const TCProyect& p) { return !p.Harmonics(); } },
        { 568, 257, [](const TCProyect& p) { return !p.Harmonics(); } },
        { 568, 1, [](const TCProyect& p) { return p.Harmonics(); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " code " << c.code);
        OldFile file(100);
        file.i32(c.offset, c.code);
        EXPECT_TRUE(c.holds(*readOld(file.bytes)));
    }
}

// Any non-zero byte is true; the byte never reaches a bool unchecked.
TEST(OldProjectFile, OwnInputTransformerIsAnyNonZeroByte)
{
    for (const unsigned char byte : { 0x00, 0x01, 0x02, 0xFF }) {
        SCOPED_TRACE(static_cast<int>(byte));
        OldFile file(100);
        file.bytes[604] = static_cast<char>(byte);
        EXPECT_EQ(readOld(file.bytes)->HasInputTransformer(), byte != 0);
    }
}

TEST(OldProjectFile, ARecordCutShortIsIgnored)
{
    OldFile file(50);
    file.addRecord({});
    file.addRecord({});
    file.addJunk(40);
    EXPECT_EQ(readOld(file.bytes)->ConsumptionList().Count(), 2);
    file.addJunk(95);
    EXPECT_EQ(readOld(file.bytes)->ConsumptionList().Count(), 2);
}

TEST(OldProjectFile, AmountsRoundHalvesToEvenWithin32Bits)
{
    const struct {
        double stored;
        bool accepted;
        std::int32_t value;
    } cases[] = {
        { 1234.5, true, 1234 },
        { 1235.5, true, 1236 },
        { 2.5, true, 2 },
        { -2.5, true, -2 },
        { -0.4, true, 0 },
        { 2147483647.49, true, 2147483647 },
        { -2147483648.5, true, std::numeric_limits<std::int32_t>::min() },
        { 2147483647.5, false, 0 },
        { -2147483649.0, false, 0 },
        { 1e300, false, 0 },
        { std::numeric_limits<double>::quiet_NaN(), false, 0 },
        { std::numeric_limits<double>::infinity(), false, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        for (int field = 0; field < 7; ++field) {
            OldFile file(34);
            OldFile::Record record;
            double* amounts[] = { &record.kwht, &record.peakDemand, &record.kvarh, &record.costPowerTerm,
                &record.inputTransformer, &record.costActiveTerm, &record.reactiveSurcharge };
            *amounts[field] = c.stored;
            file.addRecord(record);
            if (!c.accepted) {
                expectRefused(file.bytes);
                continue;
            }
            const auto project = readOld(file.bytes);
            const TConsumption& read = project->ConsumptionList()[0];
            const std::int32_t values[] = { read.kwht(), read.PeakDemand(), read.kvarh(), read.CostPowerTerm(),
                read.InputTransformer(), read.CostActiveTerm(), read.ReactiveSurcharge() };
            EXPECT_EQ(values[field], c.value) << "field " << field;
        }
    }
}

TEST(OldProjectFile, TextsAreCp1252)
{
    OldFile file(100);
    file.text(2, 100, "\x80 \xF1\xD1 \x81\x8D\x8F\x90\x9D \x9F\xA0\xFF");
    file.text(103, 100, "");
    OldFile::Record record;
    record.period = "Diciembre";
    file.addRecord(record);
    const auto p = readOld(file.bytes);
    EXPECT_EQ(p->BusinessName(), QStringLiteral("€ ñÑ \u0081\u008D\u008F\u0090\u009D Ÿ\u00A0ÿ"));
    EXPECT_TRUE(p->State().isEmpty());
    EXPECT_EQ(p->ConsumptionList()[0].Period(), "Diciembre");
}

TEST(OldProjectFile, Cp1252TableMatchesTheCodePage)
{
    for (int byte = 0; byte < 0x80; ++byte)
        EXPECT_EQ(cp1252ToUnicode(static_cast<unsigned char>(byte)), byte);
    for (int byte = 0xA0; byte <= 0xFF; ++byte)
        EXPECT_EQ(cp1252ToUnicode(static_cast<unsigned char>(byte)), byte);
    const std::pair<unsigned char, char16_t> upper[] = {
        { 0x80, u'€' },
        { 0x82, u'‚' },
        { 0x83, u'ƒ' },
        { 0x84, u'„' },
        { 0x85, u'…' },
        { 0x86, u'†' },
        { 0x87, u'‡' },
        { 0x88, u'ˆ' },
        { 0x89, u'‰' },
        { 0x8A, u'Š' },
        { 0x8B, u'‹' },
        { 0x8C, u'Œ' },
        { 0x8E, u'Ž' },
        { 0x91, u'‘' },
        { 0x92, u'’' },
        { 0x93, u'“' },
        { 0x94, u'”' },
        { 0x95, u'•' },
        { 0x96, u'–' },
        { 0x97, u'—' },
        { 0x98, u'˜' },
        { 0x99, u'™' },
        { 0x9A, u'š' },
        { 0x9B, u'›' },
        { 0x9C, u'œ' },
        { 0x9E, u'ž' },
        { 0x9F, u'Ÿ' },
        { 0x81, u'\u0081' },
        { 0x8D, u'\u008D' },
        { 0x8F, u'\u008F' },
        { 0x90, u'\u0090' },
        { 0x9D, u'\u009D' },
    };
    for (const auto& [byte, expected] : upper)
        EXPECT_EQ(cp1252ToUnicode(byte), expected) << std::hex << static_cast<int>(byte);
}

TEST(OldProjectFile, FilesOutsideTheFormatAreRefused)
{
    expectRefused({});
    expectRefused("d");
    for (std::uint16_t tag : { 0, 33, 35, 99, 101, 0xFFFF }) {
        OldFile file(100);
        file.u16(0, tag);
        expectRefused(file.bytes);
    }
    for (std::uint16_t tag : { 34, 50, 100 }) {
        SCOPED_TRACE(tag);
        expectRefused(OldFile(tag).bytes.chopped(1));
    }
    // A length byte beyond the field's capacity, in each text field.
    const std::pair<int, int> texts[]
        = { { 2, 100 }, { 103, 100 }, { 204, 100 }, { 326, 20 }, { 356, 100 }, { 457, 96 } };
    for (const auto& [offset, capacity] : texts) {
        SCOPED_TRACE(offset);
        OldFile file(100);
        file.bytes[offset] = static_cast<char>(capacity + 1);
        expectRefused(file.bytes);
        file.bytes[offset] = static_cast<char>(capacity);
        EXPECT_EQ(readOld(file.bytes)->ConsumptionList().Count(), 0);
    }
    OldFile file(34);
    file.addRecord({});
    file.bytes[592] = 16;
    expectRefused(file.bytes);
}
