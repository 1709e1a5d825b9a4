#include "fileparse.h"

#include "cnumericlocale.h"
#include "decimaltext.h"
#include "exceptions.h"
#include "filemessages.h"
#include "filereading.h"
#include "project.h"
#include "replacefile.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view Eol = "\r\n";
const QString CurrentVersion = QStringLiteral("7.1.0");

// ---- writing ---------------------------------------------------------------

// JSON string with the program's escapes: the two-character forms where JSON
// has them, \uXXXX (upper-case hex) for the other C0 controls and for U+0085,
// U+2028 and U+2029, which some readers take as line ends. "/" stays as is.
std::string quoted(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const auto n = utf8.size();
    std::string out;
    out.reserve(static_cast<std::size_t>(n) + 2);
    out += '"';
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
                out += escape;
            } else if (c == 0xC2 && i + 1 < n && static_cast<unsigned char>(utf8[i + 1]) == 0x85) {
                out += "\\u0085";
                i += 1;
            } else if (c == 0xE2 && i + 2 < n && static_cast<unsigned char>(utf8[i + 1]) == 0x80
                && (static_cast<unsigned char>(utf8[i + 2]) == 0xA8
                    || static_cast<unsigned char>(utf8[i + 2]) == 0xA9)) {
                out += static_cast<unsigned char>(utf8[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return out;
}

template <typename E> std::string quotedName(E value)
{
    const QString name = enumName(value);
    if (name.isEmpty()) // a value outside the type would not read back
        FileMessages::raiseSaveFailed();
    return quoted(name);
}

std::string boolean(bool value)
{
    return value ? "true" : "false";
}

// The power factor as the reader will take it back; refuses what it would not.
std::string powerFactorText(float value)
{
    if (!std::isfinite(value))
        FileMessages::raiseSaveFailed();
    std::string text = DecimalText::general15(value);
    if (!DecimalText::toTicks(text))
        FileMessages::raiseSaveFailed();
    return text;
}

class JsonLines {
public:
    void open(int level, std::string_view key, char bracket)
    {
        start(level, key);
        m_text += bracket;
        m_text += Eol;
    }
    void close(int level, char bracket, bool last)
    {
        m_text.append(static_cast<std::size_t>(2 * level), ' ');
        m_text += bracket;
        end(last);
    }
    void member(int level, std::string_view key, const std::string& value, bool last = false)
    {
        start(level, key);
        m_text += value;
        end(last);
    }
    void emptyArray(int level, std::string_view key)
    {
        start(level, key);
        m_text += "[]";
        end(true);
    }
    std::string& text() { return m_text; }

private:
    void start(int level, std::string_view key)
    {
        m_text.append(static_cast<std::size_t>(2 * level), ' ');
        if (!key.empty()) {
            m_text += '"';
            m_text += key;
            m_text += "\": ";
        }
    }
    void end(bool last)
    {
        if (!last)
            m_text += ',';
        m_text += Eol;
    }

    std::string m_text;
};

// ---- reading ---------------------------------------------------------------

using Json = nlohmann::json;

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

[[noreturn]] void refuse()
{
    FileMessages::raiseInvalidFormat();
}

// One scalar JSON value as the reader meets it.
struct Scalar {
    enum class Kind { Null, Boolean, Signed, Unsigned, Float, String };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::int64_t signedValue = 0;
    std::uint64_t unsignedValue = 0;
    std::string_view text; // a string's text, or a float's text as written

    bool isNull() const { return kind == Kind::Null; }

    QString toText() const
    {
        if (isNull())
            return QString();
        if (kind != Kind::String)
            refuse();
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    bool toBoolean() const
    {
        if (isNull())
            return false;
        if (kind != Kind::Boolean)
            refuse();
        return boolean;
    }
    // A whole number written without fraction or exponent, within 32 bits.
    std::int32_t toInt32() const
    {
        constexpr auto low = std::numeric_limits<std::int32_t>::min();
        constexpr auto high = std::numeric_limits<std::int32_t>::max();
        switch (kind) {
        case Kind::Null:
            return 0;
        case Kind::Signed:
            if (signedValue < low || signedValue > high)
                refuse();
            return static_cast<std::int32_t>(signedValue);
        case Kind::Unsigned:
            if (unsignedValue > static_cast<std::uint64_t>(high))
                refuse();
            return static_cast<std::int32_t>(unsignedValue);
        default:
            refuse();
        }
    }
    template <typename E> E toEnum() const
    {
        if (kind != Kind::String)
            refuse();
        const auto& names = EnumNames<E>::names;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (sameIgnoringAsciiCase(text, names[i]))
                return static_cast<E>(i);
        }
        refuse();
    }
    // Any number, held to four decimals (halves to even) as the program's
    // fixed-point type does, then as the nearest float.
    float toPowerFactor() const
    {
        constexpr std::int64_t maxUnits = std::numeric_limits<std::int64_t>::max() / 10000;
        std::int64_t ticks = 0;
        switch (kind) {
        case Kind::Null:
            return 0.0f;
        case Kind::Signed:
            if (signedValue < -maxUnits || signedValue > maxUnits)
                refuse();
            ticks = signedValue * 10000;
            break;
        case Kind::Unsigned:
            if (unsignedValue > static_cast<std::uint64_t>(maxUnits))
                refuse();
            ticks = static_cast<std::int64_t>(unsignedValue) * 10000;
            break;
        case Kind::Float: {
            const auto parsed = DecimalText::toTicks(text);
            if (!parsed)
                refuse();
            ticks = *parsed;
            break;
        }
        default:
            refuse();
        }
        return DecimalText::ticksToFloat(ticks);
    }
};

constexpr std::array<std::string_view, 18> RootKeys { "Version", "BusinessName", "UserName", "Address", "State",
    "Place", "Telephone", "Distribution", "CalculationType", "BatteryType", "Temperature", "Voltage", "Frequency",
    "Harmonics", "MaximumPower", "HasInputTransformer", "InputTransformer", "Consumption" };
constexpr int RootConsumption = 17;

constexpr std::array<std::string_view, 4> ConsumptionKeys { "Powerfactor", "WorkHours", "PeriodType",
    "ConsumptionItems" };
constexpr int ConsumptionItemsKey = 3;

constexpr std::array<std::string_view, 9> ItemKeys { "Period", "Year", "kwht", "kvarh", "InputTransformer",
    "PeakDemand", "ReactiveSurcharge", "CostPowerTerm", "CostActiveTerm" };

template <std::size_t N> int keyIndex(const std::array<std::string_view, N>& keys, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (keys[i] == name) // exactly, letter case included
            return static_cast<int>(i);
    }
    return -1;
}

// Reads the root object into the project. Values of a kind no key expects
// (an object or array under an unknown key, a scalar where "Consumption" or
// "ConsumptionItems" want a container, a non-object array element) are
// passed over whole, however deep.
class ProjectReader : public nlohmann::json_sax<Json> {
public:
    ProjectReader(TCProyect& project, QString* version)
        : m_project(project)
        , m_version(version)
    {
    }

    bool null() override { return scalar({}); }
    bool boolean(bool value) override
    {
        Scalar s;
        s.kind = Scalar::Kind::Boolean;
        s.boolean = value;
        return scalar(s);
    }
    bool number_integer(number_integer_t value) override
    {
        Scalar s;
        s.kind = Scalar::Kind::Signed;
        s.signedValue = value;
        return scalar(s);
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        Scalar s;
        s.kind = Scalar::Kind::Unsigned;
        s.unsignedValue = value;
        return scalar(s);
    }
    bool number_float(number_float_t, const string_t& text) override
    {
        Scalar s;
        s.kind = Scalar::Kind::Float;
        s.text = text;
        return scalar(s);
    }
    bool string(string_t& value) override
    {
        Scalar s;
        s.kind = Scalar::Kind::String;
        s.text = value;
        return scalar(s);
    }
    bool binary(binary_t&) override { return scalar({}); }

    bool start_object(std::size_t) override
    {
        if (m_levels.empty()) {
            m_levels.push_back(Level::Root);
        } else if (top() == Level::Root && m_key == RootConsumption) {
            m_levels.push_back(Level::Consumption);
        } else if (top() == Level::Items) {
            m_item = std::make_unique<TConsumption>();
            m_levels.push_back(Level::Item);
        } else {
            m_levels.push_back(Level::Skip);
        }
        m_key = -1;
        return true;
    }
    bool end_object() override
    {
        if (top() == Level::Item)
            m_project.ConsumptionList().Add(std::move(m_item));
        m_levels.pop_back();
        m_key = -1;
        return true;
    }
    bool start_array(std::size_t) override
    {
        if (m_levels.empty())
            return false; // a root array holds no project: reading stops here, without failure
        m_levels.push_back(top() == Level::Consumption && m_key == ConsumptionItemsKey ? Level::Items : Level::Skip);
        m_key = -1;
        return true;
    }
    bool end_array() override
    {
        m_levels.pop_back();
        m_key = -1;
        return true;
    }
    bool key(string_t& name) override
    {
        switch (top()) {
        case Level::Root:
            m_key = keyIndex(RootKeys, name);
            break;
        case Level::Consumption:
            m_key = keyIndex(ConsumptionKeys, name);
            break;
        case Level::Item:
            m_key = keyIndex(ItemKeys, name);
            break;
        default:
            m_key = -1;
            break;
        }
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { refuse(); }

private:
    enum class Level { Root, Consumption, Items, Item, Skip };

    Level top() const { return m_levels.back(); }

    bool scalar(const Scalar& value)
    {
        const int key = m_key;
        m_key = -1;
        if (key < 0)
            return true;
        switch (top()) {
        case Level::Root:
            rootValue(key, value);
            break;
        case Level::Consumption:
            consumptionValue(key, value);
            break;
        case Level::Item:
            itemValue(key, value);
            break;
        default:
            break;
        }
        return true;
    }

    void rootValue(int key, const Scalar& v)
    {
        TCProyect& p = m_project;
        switch (key) {
        case 0: {
            const QString version = v.toText(); // checked even when nobody asks for it
            if (m_version)
                *m_version = version;
            break;
        }
        case 1:
            p.setBusinessName(v.toText());
            break;
        case 2:
            p.setUserName(v.toText());
            break;
        case 3:
            p.setAddress(v.toText());
            break;
        case 4:
            p.setState(v.toText());
            break;
        case 5:
            p.setPlace(v.toText());
            break;
        case 6:
            p.setTelephone(v.toText());
            break;
        case 7:
            p.setDistribution(v.toText());
            break;
        case 8:
            p.setCalculationType(v.toEnum<TCalculationType>());
            break;
        case 9:
            p.setBatteryType(v.toEnum<TBatteryType>());
            break;
        case 10:
            p.setTemperature(v.toEnum<TTemperature>());
            break;
        case 11:
            p.setVoltage(v.toEnum<TVoltage>());
            break;
        case 12:
            p.setFrequency(v.toEnum<TFrequency>());
            break;
        case 13:
            p.setHarmonics(v.toBoolean());
            break;
        case 14:
            p.setMaximumPower(v.toInt32());
            break;
        case 15:
            p.setHasInputTransformer(v.toBoolean());
            break;
        case 16:
            p.setInputTransformer(v.toInt32());
            break;
        default:
            break; // a scalar "Consumption" is passed over
        }
    }

    void consumptionValue(int key, const Scalar& v)
    {
        TConsumptionList& list = m_project.ConsumptionList();
        switch (key) {
        case 0:
            list.setPowerfactor(v.toPowerFactor());
            break;
        case 1:
            list.setWorkHours(v.toInt32());
            break;
        case 2:
            list.setPeriodType(v.toEnum<TPeriodType>());
            break;
        default:
            break; // a scalar "ConsumptionItems" is passed over
        }
    }

    void itemValue(int key, const Scalar& v)
    {
        TConsumption& item = *m_item;
        switch (key) {
        case 0:
            item.setPeriod(v.toText());
            break;
        case 1:
            item.setYear(v.toInt32());
            break;
        case 2:
            item.setKwht(v.toInt32());
            break;
        case 3:
            item.setKvarh(v.toInt32());
            break;
        case 4:
            item.setInputTransformer(v.toInt32());
            break;
        case 5:
            item.setPeakDemand(v.toInt32());
            break;
        case 6:
            item.setReactiveSurcharge(v.toInt32());
            break;
        case 7:
            item.setCostPowerTerm(v.toInt32());
            break;
        case 8:
            item.setCostActiveTerm(v.toInt32());
            break;
        default:
            break;
        }
    }

    TCProyect& m_project;
    QString* m_version;
    std::vector<Level> m_levels;
    int m_key = -1; // the current object's key waiting for its value
    std::unique_ptr<TConsumption> m_item;
};

bool isJsonWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

TFileParse::TFileParse(TCProyect* CProyect, QString* version)
    : FCProyect(CProyect)
    , m_version(version)
{
}

QByteArray TFileParse::BuildJson() const
{
    const TCProyect& p = *FCProyect;
    const TConsumptionList& list = p.ConsumptionList();
    JsonLines json;
    json.open(0, {}, '{');
    json.member(1, "Version", quoted(CurrentVersion));
    json.member(1, "BusinessName", quoted(p.BusinessName()));
    json.member(1, "UserName", quoted(p.UserName()));
    json.member(1, "Address", quoted(p.Address()));
    json.member(1, "State", quoted(p.State()));
    json.member(1, "Place", quoted(p.Place()));
    json.member(1, "Telephone", quoted(p.Telephone()));
    json.member(1, "Distribution", quoted(p.Distribution()));
    json.member(1, "CalculationType", quotedName(p.CalculationType()));
    json.member(1, "BatteryType", quotedName(p.BatteryType()));
    json.member(1, "Temperature", quotedName(p.Temperature()));
    json.member(1, "Voltage", quotedName(p.Voltage()));
    json.member(1, "Frequency", quotedName(p.Frequency()));
    json.member(1, "Harmonics", boolean(p.Harmonics()));
    json.member(1, "MaximumPower", std::to_string(p.MaximumPower()));
    json.member(1, "HasInputTransformer", boolean(p.HasInputTransformer()));
    json.member(1, "InputTransformer", std::to_string(p.InputTransformer()));
    json.open(1, "Consumption", '{');
    json.member(2, "Powerfactor", powerFactorText(list.Powerfactor()));
    json.member(2, "WorkHours", std::to_string(list.WorkHours()));
    json.member(2, "PeriodType", quotedName(list.PeriodType()));
    if (list.Count() == 0) {
        json.emptyArray(2, "ConsumptionItems");
    } else {
        json.open(2, "ConsumptionItems", '[');
        for (int i = 0; i < list.Count(); ++i) {
            const TConsumption& c = list[i];
            json.open(3, {}, '{');
            json.member(4, "Period", quoted(c.Period()));
            json.member(4, "Year", std::to_string(c.Year()));
            json.member(4, "kwht", std::to_string(c.kwht()));
            json.member(4, "kvarh", std::to_string(c.kvarh()));
            json.member(4, "InputTransformer", std::to_string(c.InputTransformer()));
            json.member(4, "PeakDemand", std::to_string(c.PeakDemand()));
            json.member(4, "ReactiveSurcharge", std::to_string(c.ReactiveSurcharge()));
            json.member(4, "CostPowerTerm", std::to_string(c.CostPowerTerm()));
            json.member(4, "CostActiveTerm", std::to_string(c.CostActiveTerm()), true);
            json.close(3, '}', i + 1 == list.Count());
        }
        json.close(2, ']', true);
    }
    json.close(1, '}', true);
    json.text() += '}';
    return QByteArray::fromStdString(json.text());
}

QByteArray TFileParse::fileContents() const
{
    QByteArray contents(ByteOrderMark.data(), static_cast<qsizetype>(ByteOrderMark.size()));
    contents += BuildJson();
    contents += QByteArrayView(Eol.data(), static_cast<qsizetype>(Eol.size()));
    return contents;
}

void TFileParse::save(const QString& FileName)
{
    const QByteArray contents = fileContents();
    // The reader refuses larger files: such a project would be saved for good
    // and never open again.
    if (contents.size() > MaximumFileSize)
        FileMessages::raiseSaveFailed();
    try {
        files::replaceFile(FileName, contents);
    } catch (const files::WriteFailed&) {
        FileMessages::raiseSaveFailed();
    }
}

void TFileParse::open(const QString& FileName)
{
    readContents(readProjectFile(FileName, MaximumFileSize));
}

void TFileParse::readContents(const QByteArray& contents)
{
    const char* begin = contents.constData();
    const char* end = begin + contents.size();
    if (std::string_view(begin, static_cast<std::size_t>(end - begin)).starts_with(ByteOrderMark))
        begin += ByteOrderMark.size();
    ParseJson(begin, end);
}

void TFileParse::ParseJson(const char* begin, const char* end)
{
    // A text whose first token opens no object (an empty file among them)
    // holds no project: nothing is set and nothing is refused. A text whose
    // first token is no JSON token at all (a binary file, a word) is refused:
    // opened as an empty project, a later save would replace it.
    const char* first = begin;
    while (first != end && isJsonWhitespace(*first))
        ++first;
    if (first == end)
        return;
    // A second mark is no JSON token, but the JSON reader would pass over a
    // mark at the start of what it is given.
    if (std::string_view(first, static_cast<std::size_t>(end - first)).starts_with(ByteOrderMark))
        refuse();

    ProjectReader reader(*FCProyect, m_version);
    // The JSON reader writes the C library's decimal point into the number
    // texts it hands on (and reads their values through it): under a
    // Spanish locale 0.95 would come as "0,95" and be refused.
    const CNumericLocale numbers;
    // Not strict: whatever follows the root's closing brace, or a first
    // scalar token, is not read.
    Json::sax_parse(first, end, &reader, Json::input_format_t::json, false);
}
