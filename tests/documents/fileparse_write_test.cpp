// The current project file as written, byte for byte, and read back.

#include "documentfixtures.h"
#include "exceptions.h"
#include "fileparse.h"
#include "project.h"
#include "projectcomparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using docfixtures::crlfLines;

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";

QByteArray contentsOf(TCProyect& project)
{
    return TFileParse(&project).fileContents();
}

void expectReadsBackEqual(TCProyect& written)
{
    TCProyect read(nullptr);
    TFileParse(&read).readContents(contentsOf(written));
    EXPECT_TRUE(sameFileContents(written, read));
}

} // namespace

TEST(ProjectFileWriting, NewProjectIsWrittenByteForByte)
{
    const QByteArray expected = Bom
        + crlfLines({
            "{",
            "  \"Version\": \"7.1.0\",",
            "  \"BusinessName\": \"\",",
            "  \"UserName\": \"\",",
            "  \"Address\": \"\",",
            "  \"State\": \"\",",
            "  \"Place\": \"\",",
            "  \"Telephone\": \"\",",
            "  \"Distribution\": \"\",",
            "  \"CalculationType\": \"consumption\",",
            "  \"BatteryType\": \"ferimont\",",
            "  \"Temperature\": \"less_than_35\",",
            "  \"Voltage\": \"v400\",",
            "  \"Frequency\": \"f50Hz\",",
            "  \"Harmonics\": false,",
            "  \"MaximumPower\": 0,",
            "  \"HasInputTransformer\": false,",
            "  \"InputTransformer\": 0,",
            "  \"Consumption\": {",
            "    \"Powerfactor\": 1,",
            "    \"WorkHours\": 300,",
            "    \"PeriodType\": \"monthly\",",
            "    \"ConsumptionItems\": []",
            "  }",
            "}",
        });
    TCProyect project(nullptr);
    EXPECT_EQ(contentsOf(project), expected);
    expectReadsBackEqual(project);
}

// The power factor is the one float of the file: widened exactly, then at
// most 15 significant digits in plain decimal form.
TEST(ProjectFileWriting, FullProjectIsWrittenByteForByteForEachPowerFactor)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        { 0.95f, "0.949999988079071" },
        { 0.9f, "0.899999976158142" },
        { 0.85f, "0.850000023841858" },
        { 0.0001f, "0.0000999999974737875" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QByteArray powerFactorLine = QByteArray("    \"Powerfactor\": ") + c.text + ",\r\n";
        const QByteArray expected = Bom
            + crlfLines({
                "{",
                "  \"Version\": \"7.1.0\",",
                "  \"BusinessName\": \"Talleres Pe\xC3\xB1"
                "a\",",
                "  \"UserName\": \"Ana\",",
                "  \"Address\": \"Calle Mayor 1\",",
                "  \"State\": \"Sevilla\",",
                "  \"Place\": \"Dos Hermanas\",",
                "  \"Telephone\": \"954000000\",",
                "  \"Distribution\": \"Endesa\",",
                "  \"CalculationType\": \"contracted_power\",",
                "  \"BatteryType\": \"battery\",",
                "  \"Temperature\": \"greater_than_35\",",
                "  \"Voltage\": \"v230\",",
                "  \"Frequency\": \"f60Hz\",",
                "  \"Harmonics\": true,",
                "  \"MaximumPower\": 450,",
                "  \"HasInputTransformer\": true,",
                "  \"InputTransformer\": 630,",
                "  \"Consumption\": {",
            })
            + powerFactorLine
            + crlfLines({
                "    \"WorkHours\": 250,",
                "    \"PeriodType\": \"bimonthly\",",
                "    \"ConsumptionItems\": [",
                "      {",
                "        \"Period\": \"Enero-Febrero\",",
                "        \"Year\": 2024,",
                "        \"kwht\": 10000,",
                "        \"kvarh\": -7000,",
                "        \"InputTransformer\": 400,",
                "        \"PeakDemand\": 120,",
                "        \"ReactiveSurcharge\": 35,",
                "        \"CostPowerTerm\": 900,",
                "        \"CostActiveTerm\": 1500",
                "      },",
                "      {",
                "        \"Period\": \"Periodo 1\",",
                "        \"Year\": 2025,",
                "        \"kwht\": 20000,",
                "        \"kvarh\": -14000,",
                "        \"InputTransformer\": 400,",
                "        \"PeakDemand\": 121,",
                "        \"ReactiveSurcharge\": 35,",
                "        \"CostPowerTerm\": 900,",
                "        \"CostActiveTerm\": 1501",
                "      },",
                "      {",
                "        \"Period\": \"Periodo 2\",",
                "        \"Year\": 2026,",
                "        \"kwht\": 30000,",
                "        \"kvarh\": -21000,",
                "        \"InputTransformer\": 400,",
                "        \"PeakDemand\": 122,",
                "        \"ReactiveSurcharge\": 35,",
                "        \"CostPowerTerm\": 900,",
                "        \"CostActiveTerm\": 1502",
                "      }",
                "    ]",
                "  }",
                "}",
            });
        TCProyect project(nullptr);
        docfixtures::fillProject(project);
        project.ConsumptionList().setPowerfactor(c.value);
        EXPECT_EQ(contentsOf(project), expected);
        expectReadsBackEqual(project);
    }
}

TEST(ProjectFileWriting, StringsAreEscapedAndReadBackUnchanged)
{
    TCProyect project(nullptr);
    project.setBusinessName(QStringLiteral("Say \"hi\" \\ a/b"));
    project.setUserName(QString::fromUtf8("\x01\b\t\n\f\r\x1F\x7F", 8));
    project.setAddress(QStringLiteral("Peña"));
    project.setState(QStringLiteral("a\u2028b\u0085c\u2029d"));
    project.setPlace(QString(QChar(0)) + QStringLiteral("€"));
    const QByteArray text = contentsOf(project);
    EXPECT_TRUE(text.contains("  \"BusinessName\": \"Say \\\"hi\\\" \\\\ a/b\",\r\n"));
    EXPECT_TRUE(text.contains("  \"UserName\": \"\\u0001\\b\\t\\n\\f\\r\\u001F\x7F\",\r\n"));
    EXPECT_TRUE(text.contains("  \"Address\": \"Pe\xC3\xB1"
                              "a\",\r\n"));
    EXPECT_TRUE(text.contains("  \"State\": \"a\\u2028b\\u0085c\\u2029d\",\r\n"));
    EXPECT_TRUE(text.contains("  \"Place\": \"\\u0000\xE2\x82\xAC\",\r\n"));
    expectReadsBackEqual(project);
}

TEST(ProjectFileWriting, PowerFactorFormsAtTheEdgesOfPlainDecimal)
{
    const struct {
        float value;
        const char* text;
        bool readsBackEqual; // reading keeps four decimals
    } cases[] = {
        { 0.0f, "0", true },
        { -0.0f, "0", true },
        { 1.0f, "1", true },
        { -0.5f, "-0.5", true },
        { 123456.7f, "123456.703125", true },
        { 0.00002f, "0.0000199999994947575", false },
        // 0.00001f lies just below 0.00001
        { 0.00001f, "9.99999974737875E-6", false },
        // the largest float the reader's fixed-point range still holds
        { 922337180385280.0f, "922337180385280", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TCProyect project(nullptr);
        project.ConsumptionList().setPowerfactor(c.value);
        EXPECT_TRUE(contentsOf(project).contains(QByteArray("\"Powerfactor\": ") + c.text + ",\r\n"));
        if (c.readsBackEqual) {
            expectReadsBackEqual(project);
        }
    }
}

// A file the reader would refuse is never written.
TEST(ProjectFileWriting, PowerFactorTheReaderCannotTakeRefusesToSave)
{
    for (float value : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
             -std::numeric_limits<float>::infinity(), 922337247494144.0f, 1e15f, -3e30f }) {
        SCOPED_TRACE(value);
        TCProyect project(nullptr);
        project.ConsumptionList().setPowerfactor(value);
        try {
            contentsOf(project);
            ADD_FAILURE() << "written";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.message(),
                "Ha ocurrido un error al guardar el archivo, verifique que tiene los permisos "
                "necesarios en la carpeta destino.");
        }
    }
}
