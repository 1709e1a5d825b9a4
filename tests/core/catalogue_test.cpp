// Catalogue access against real SQLite files built from SQL text: the data
// module's queries, their row sets, and the read-only connection.
#include "dbdatamodule.h"
#include "sqlitecatalogue.h"

#include "testutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// A complete catalogue with a few rows in each table.
QString smallCatalogueSql()
{
    return testutils::catalogueSchemaSql()
        + QStringLiteral(
              "INSERT INTO bb VALUES ('BB-1', 'Fenwa', 400, 30, 1000, 1, 0, 0, '6x5', '500x700x250 mm');\n"
              "INSERT INTO bb VALUES ('BB-2', 'Corsel', 400, 40, 1200, 1, 0, 0, '4x10', '600x1000x400 mm');\n"
              "INSERT INTO bb6 VALUES ('B6-1', 'Fenwa', 480, 30, 1100, 1, 0, 0, '6x5', '500x700x250 mm');\n"
              "INSERT INTO bbf VALUES ('F-1', 'Ostrel', 400, 50, 4000, 1, 0, 0, '5x10', '600x1200x500 mm');\n"
              "INSERT INTO bbe VALUES ('E-1', 'Nimbra', 400, 60, 4500, 1, 0, 0, '6x10', '600x1200x500 mm');\n"
              "INSERT INTO cond VALUES (16, 100, 13.2);\n"
              "INSERT INTO trans VALUES ('TI 250/5', 250, 38.75);\n")
        + QStringLiteral("INSERT INTO description VALUES ('Fenwa', %1, '', 'Batería', 'Bank');\n"
                         "INSERT INTO description VALUES ('Corsel', %1, 'none', 'Armario', 'Cabinet');\n"
                         "INSERT INTO description VALUES ('O''Brien', %1, '', 'Comilla', 'Quote');\n")
              .arg(testutils::tinyPngSqlLiteral());
}

std::vector<QString> column(CatalogueRowSet& rows, const QString& name)
{
    std::vector<QString> values;
    for (rows.first(); !rows.eof(); rows.next())
        values.push_back(rows.fieldAsString(name));
    return values;
}

using Getter = std::function<CatalogueRowSet&(TDbDataModule&)>;

struct NamedGetter {
    const char* table;
    Getter get;
};

const std::vector<NamedGetter>& allGetters()
{
    static const std::vector<NamedGetter> getters{
        {"bbf", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetBbfTable(); }},
        {"bbe", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetBbeTable(); }},
        {"bb6", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetBb6Table(); }},
        {"bb", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetBbTable(); }},
        {"cond", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetCondTable(); }},
        {"trans", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetTransTable(); }},
        {"description", [](TDbDataModule& m) -> CatalogueRowSet& { return m.GetDescriptionTable(); }},
    };
    return getters;
}

} // namespace

// ------------------------------------------------------------ the data module

TEST(DataModule, EveryGetterHandsOutTheSameOpenRowSetWithItsPositionKept)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    TDbDataModule module(catalogue.path());
    for (const auto& [table, get] : allGetters()) {
        SCOPED_TRACE(table);
        CatalogueRowSet& once = get(module);
        EXPECT_TRUE(once.isOpen());
        once.first();
        once.next();
        CatalogueRowSet& again = get(module);
        EXPECT_EQ(&once, &again);
        EXPECT_TRUE(again.isOpen());
        // bb has two rows: the second call left it on the second one.
        if (QLatin1String(table) == QLatin1String("bb")) {
            EXPECT_EQ(again.fieldAsString("code"), "BB-2");
        }
    }
}

TEST(DataModule, EachGetterReadsItsOwnTable)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    TDbDataModule module(catalogue.path());
    EXPECT_EQ(column(module.GetBbTable(), "code"), (std::vector<QString>{"BB-1", "BB-2"}));
    EXPECT_EQ(column(module.GetBb6Table(), "code"), std::vector<QString>{"B6-1"});
    EXPECT_EQ(column(module.GetBbfTable(), "code"), std::vector<QString>{"F-1"});
    EXPECT_EQ(column(module.GetBbeTable(), "code"), std::vector<QString>{"E-1"});
    EXPECT_EQ(column(module.GetCondTable(), "gauge"), std::vector<QString>{"16"});
    EXPECT_EQ(column(module.GetTransTable(), "type"), std::vector<QString>{"TI 250/5"});
    // Opened with its parameter empty: no series has an empty code.
    module.GetDescriptionTable().first();
    EXPECT_TRUE(module.GetDescriptionTable().eof());
}

TEST(DataModule, DescriptionQueryIsReRunWithItsBoundParameter)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    TDbDataModule module(catalogue.path());
    CatalogueRowSet& description = module.GetDescriptionTable();

    const auto describe = [&description](const QString& parameterName, const QString& code) {
        description.close();
        description.setParameter(parameterName, code);
        description.open();
        description.first();
        return description.eof() ? QStringLiteral("<none>") : description.fieldAsString("text_en");
    };
    EXPECT_EQ(describe("type", "Fenwa"), "Bank");
    // The parameter is declared upper case; names match without regard to case.
    EXPECT_EQ(describe("Type", "Corsel"), "Cabinet");
    EXPECT_EQ(describe("type", "O'Brien"), "Quote");
    // The value is bound, never spliced into the statement, and compared
    // exactly.
    EXPECT_EQ(describe("type", "x' OR '1'='1"), "<none>");
    EXPECT_EQ(describe("type", "fenwa"), "<none>");
    EXPECT_EQ(describe("type", "Fenwa "), "<none>");
    EXPECT_EQ(describe("TYPE", "Fenwa"), "Bank");
}

TEST(DataModule, SeriesPicturesAreDecodedOnceAndShared)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    TDbDataModule module(catalogue.path());
    CatalogueRowSet& description = module.GetDescriptionTable();

    const auto pictureOf = [&description](const QString& code) {
        description.close();
        description.setParameter("type", code);
        description.open();
        description.first();
        return description.fieldAsPicture("image");
    };
    const QImage first = pictureOf("Fenwa");
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(1, 1));
    // The same stored bytes, read again after reopening or for another
    // series, hand out the very same picture data.
    EXPECT_EQ(pictureOf("Fenwa").cacheKey(), first.cacheKey());
    EXPECT_EQ(pictureOf("Corsel").cacheKey(), first.cacheKey());
}

TEST(DataModule, RowsComeInInsertionOrder)
{
    // Equal powers and codes out of alphabetical order: only the stored
    // order can explain what comes back.
    QString sql = testutils::catalogueSchemaSql();
    const std::vector<QString> codes{"Z-9", "A-1", "M-5", "A-0", "Z-1"};
    for (const QString& code : codes)
        sql += QStringLiteral("INSERT INTO bb VALUES ('%1', 'Fenwa', 400, 50, 10, 1, 0, 0, '', '');\n").arg(code);
    sql += QStringLiteral("INSERT INTO cond VALUES (50, 192, 3);\nINSERT INTO cond VALUES (10, 75, 1);\n");
    testutils::TemporaryCatalogue catalogue(sql);
    TDbDataModule module(catalogue.path());
    EXPECT_EQ(column(module.GetBbTable(), "code"), codes);
    EXPECT_EQ(column(module.GetCondTable(), "gauge"), (std::vector<QString>{"50", "10"}));
}

TEST(DataModule, ReadsTablesWithExtraAndReorderedColumns)
{
    // The program's own schema in other orders, with columns it never reads.
    QString sql;
    for (const char* table : {"bb", "bb6", "bbf", "bbe"})
        sql += QStringLiteral("CREATE TABLE %1 (notes TEXT, dim TEXT, price REAL, steps TEXT, power REAL, "
                              "transform INTEGER, code TEXT, id INTEGER, harmonic INTEGER, volt INTEGER, "
                              "automatic INTEGER, type TEXT);\n")
                   .arg(QLatin1String(table));
    sql += QStringLiteral(
        "CREATE TABLE cond (price REAL, maker TEXT, current REAL, gauge REAL);\n"
        "CREATE TABLE trans (price REAL, a REAL, class TEXT, type TEXT);\n"
        "CREATE TABLE description (text_en TEXT, name TEXT, type TEXT, image BLOB, text_es TEXT, rev INTEGER);\n"
        "INSERT INTO bb VALUES ('n', '600x800x300 mm', 1500.5, '5x10', 50, 1, 'GLX-50', 7, 0, 440, 1, 'Galvix');\n"
        "INSERT INTO cond VALUES (20.5, 'x', 127, 25);\n"
        "INSERT INTO trans VALUES (41.3, 300, '0.5', 'TI 300/5');\n");
    sql += QStringLiteral("INSERT INTO description VALUES ('Text', 'Nombre', 'Galvix', %1, 'Texto', 3);\n")
               .arg(testutils::tinyPngSqlLiteral());
    testutils::TemporaryCatalogue catalogue(sql);
    TDbDataModule module(catalogue.path());

    CatalogueRowSet& bb = module.GetBbTable();
    bb.first();
    EXPECT_EQ(bb.fieldAsString("code"), "GLX-50");
    EXPECT_EQ(bb.fieldAsString("type"), "Galvix");
    EXPECT_EQ(bb.fieldAsInteger("volt"), 440);
    EXPECT_EQ(bb.fieldAsSingle("power"), 50.0f);
    EXPECT_EQ(bb.fieldAsSingle("price"), 1500.5f);
    EXPECT_TRUE(bb.fieldAsBoolean("automatic"));
    EXPECT_FALSE(bb.fieldAsBoolean("harmonic"));
    EXPECT_TRUE(bb.fieldAsBoolean("transform"));
    EXPECT_EQ(bb.fieldAsString("steps"), "5x10");
    EXPECT_EQ(bb.fieldAsString("dim"), "600x800x300 mm");

    CatalogueRowSet& cond = module.GetCondTable();
    cond.first();
    EXPECT_EQ(cond.fieldAsSingle("gauge"), 25.0f);
    EXPECT_EQ(cond.fieldAsSingle("current"), 127.0f);
    EXPECT_EQ(cond.fieldAsSingle("price"), 20.5f);

    CatalogueRowSet& trans = module.GetTransTable();
    trans.first();
    EXPECT_EQ(trans.fieldAsString("type"), "TI 300/5");
    EXPECT_EQ(trans.fieldAsSingle("a"), 300.0f);

    CatalogueRowSet& description = module.GetDescriptionTable();
    description.close();
    description.setParameter("type", "Galvix");
    description.open();
    description.first();
    EXPECT_EQ(description.fieldAsString("name"), "Nombre");
    EXPECT_EQ(description.fieldAsString("text_es"), "Texto");
    EXPECT_EQ(description.fieldAsString("text_en"), "Text");
    EXPECT_FALSE(description.fieldAsBlob("image").isEmpty());
}

TEST(DataModule, MissingFileRaisesNamingItAndCreatesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("tenvik_sqlite.db");
    try {
        TDbDataModule module(path);
        FAIL() << "a missing catalogue opened";
    } catch (const ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(DataModule, UnreadableFilesRaiseNamingTheFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString notADatabase = folder.filePath("text.db");
    {
        QFile file(notADatabase);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    // A parent that is a regular file: no path below it can exist.
    const QString belowAFile = notADatabase + "/tenvik_sqlite.db";

    for (const QString& path : {notADatabase, belowAFile, QString()}) {
        SCOPED_TRACE(path.toStdString());
        try {
            TDbDataModule module(path);
            FAIL() << "opened";
        } catch (const ECatalogueError& e) {
            EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        }
    }
}

TEST(DataModule, APathIsAFileNameNeverAnSqliteUri)
{
    // SQLite reads "file:..." as a URI whose options could reach another
    // file or mode; for the program it names a file that does not exist.
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(catalogue.folder()));
    EXPECT_THROW(TDbDataModule{"file:tenvik_sqlite.db?mode=ro"}, ECatalogueError);
    EXPECT_NO_THROW(TDbDataModule{"tenvik_sqlite.db"});
    QDir::setCurrent(previous);
}

TEST(DataModule, RefusesEveryWriteThroughItsConnection)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    const QByteArray before = testutils::readFile(catalogue.path());
    SqliteConnection connection(catalogue.path());
    for (const char* statement :
         {"INSERT INTO bb VALUES ('X', 'Fenwa', 400, 1, 1, 1, 0, 0, '', '')", "UPDATE cond SET price = 0",
          "DELETE FROM trans", "CREATE TABLE extra (x)", "DROP TABLE bbe", "PRAGMA query_only = OFF; DELETE FROM bb"}) {
        SCOPED_TRACE(statement);
        char* error = nullptr;
        EXPECT_NE(sqlite3_exec(connection.handle(), statement, nullptr, nullptr, &error), SQLITE_OK);
        sqlite3_free(error);
    }
    connection.disconnect();
    EXPECT_EQ(testutils::readFile(catalogue.path()), before);
}

// The queries open in the order bb, bb6, bbf, cond, trans, description,
// bbe; the first that fails stops the rest, and the data module is not
// created. With this table and every later one missing, the failure names
// this one.
class FailedOpening : public ::testing::TestWithParam<const char*> {};

TEST_P(FailedOpening, StopsAtTheFirstMissingTableInOpeningOrder)
{
    const QString missing = QString::fromLatin1(GetParam());
    const std::vector<QString> order{"bb", "bb6", "bbf", "cond", "trans", "description", "bbe"};
    QString sql = smallCatalogueSql();
    for (auto table = std::find(order.begin(), order.end(), missing); table != order.end(); ++table)
        sql += QStringLiteral("DROP TABLE %1;\n").arg(*table);
    testutils::TemporaryCatalogue catalogue(sql);

    try {
        TDbDataModule module(catalogue.path());
        FAIL() << "a catalogue without " << GetParam() << " opened";
    } catch (const ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: %1 ").arg(missing)))
            << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(MissingTable, FailedOpening,
                         ::testing::Values("bb", "bb6", "bbf", "cond", "trans", "description", "bbe"),
                         [](const auto& info) { return std::string(info.param); });

// A query over a connection that is not connected, or no longer, cannot be
// opened and hands out nothing.
TEST(SqliteQuery, WithoutAConnectionNothingOpens)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    SqliteConnection connection;
    SqliteQuery description(connection, QStringLiteral("SELECT * FROM description where type=:type"));
    description.setParameter("type", "Fenwa");
    EXPECT_THROW(description.open(), ECatalogueError);
    EXPECT_FALSE(description.isOpen());
    EXPECT_THROW(description.fieldAsString("name"), ECatalogueError);

    connection.connect(catalogue.path());
    description.open();
    EXPECT_TRUE(description.isOpen());
    connection.disconnect();
    description.close();
    EXPECT_THROW(description.open(), ECatalogueError);
    EXPECT_FALSE(description.isOpen());
}

// The data module holds the catalogue's read lock for its life, so the
// file cannot change under a calculation; destroying it lets go.
TEST(DataModule, HoldsTheCatalogueUntilDestroyed)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.path().toUtf8().constData(), &writer), SQLITE_OK);
    const char* update = "UPDATE bb SET price = 1";
    {
        TDbDataModule module(catalogue.path());
        EXPECT_NE(sqlite3_exec(writer, update, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    EXPECT_EQ(sqlite3_exec(writer, update, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
}

TEST(DataModule, DefaultPathIsBesideTheProgramWhateverTheWorkingFolder)
{
    const QString expected = QDir(QCoreApplication::applicationDirPath()).filePath("tenvik_sqlite.db");
    const QString previous = QDir::currentPath();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString path = TDbDataModule::defaultDatabasePath();
    QDir::setCurrent(previous);
    EXPECT_EQ(path, expected);
    EXPECT_TRUE(QFileInfo(path).isAbsolute());
}

// ------------------------------------------------------------- one row set

namespace {

// One table `t` whose columns hold the values under test, one row each.
class RowSetTest : public ::testing::Test {
protected:
    void build(const QString& sql)
    {
        m_catalogue = std::make_unique<testutils::TemporaryCatalogue>(sql);
        m_connection = std::make_unique<SqliteConnection>(m_catalogue->path());
        m_query = std::make_unique<SqliteQuery>(*m_connection, QStringLiteral("SELECT * FROM t"));
        m_query->open();
        m_query->first();
    }
    SqliteQuery& rows() { return *m_query; }

private:
    std::unique_ptr<testutils::TemporaryCatalogue> m_catalogue;
    std::unique_ptr<SqliteConnection> m_connection;
    std::unique_ptr<SqliteQuery> m_query;
};

struct ConversionCase {
    const char* stored; // an SQL literal
    bool boolean;
    std::int32_t integer;
    float single;
    const char* text;
};

} // namespace

class RowSetConversion : public RowSetTest, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(RowSetConversion, ReadsAStoredValueAsEveryType)
{
    const ConversionCase& c = GetParam();
    build(QStringLiteral("CREATE TABLE t (v); INSERT INTO t VALUES (%1);").arg(QLatin1String(c.stored)));
    EXPECT_EQ(rows().fieldAsBoolean("v"), c.boolean);
    EXPECT_EQ(rows().fieldAsInteger("v"), c.integer);
    EXPECT_EQ(rows().fieldAsSingle("v"), c.single);
    EXPECT_EQ(rows().fieldAsString("v"), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, RowSetConversion,
    ::testing::Values(ConversionCase{"1", true, 1, 1.0f, "1"}, ConversionCase{"0", false, 0, 0.0f, "0"},
                      ConversionCase{"400", true, 400, 400.0f, "400"},
                      // Reals become integers by rounding, halves to even.
                      ConversionCase{"400.5", true, 400, 400.5f, "400.5"},
                      ConversionCase{"401.5", true, 402, 401.5f, "401.5"},
                      ConversionCase{"-2.5", true, -2, -2.5f, "-2.5"},
                      // A real is read as the nearest single.
                      ConversionCase{"1234.56", true, 1235, 1234.56f, "1234.56"},
                      ConversionCase{"0.1", true, 0, 0.1f, "0.1"},
                      // Texts that hold numbers read as those numbers.
                      ConversionCase{"' 12.5 '", true, 12, 12.5f, " 12.5 "},
                      // NULL reads as nothing: false, 0, empty.
                      ConversionCase{"NULL", false, 0, 0.0f, ""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(RowSetTest, NumericReadsOfTextOrBlobThatIsNoNumberRaise)
{
    build("CREATE TABLE t (word, blob, huge, yes, no); INSERT INTO t VALUES ('abc', X'0102', 1e300, 'true', 'FALSE');");
    EXPECT_TRUE(rows().fieldAsBoolean("yes"));
    EXPECT_FALSE(rows().fieldAsBoolean("no"));
    EXPECT_THROW(rows().fieldAsInteger("yes"), ECatalogueError);
    EXPECT_THROW(rows().fieldAsSingle("word"), ECatalogueError);
    EXPECT_THROW(rows().fieldAsInteger("word"), ECatalogueError);
    EXPECT_THROW(rows().fieldAsBoolean("word"), ECatalogueError);
    EXPECT_THROW(rows().fieldAsSingle("blob"), ECatalogueError);
    EXPECT_EQ(rows().fieldAsString("word"), "abc");
    EXPECT_EQ(rows().fieldAsBlob("blob"), QByteArray("\x01\x02", 2));
    // Beyond single range: an infinity, never a wrapped or clamped value.
    EXPECT_TRUE(std::isinf(rows().fieldAsSingle("huge")));
    EXPECT_THROW(rows().fieldAsInteger("huge"), ECatalogueError);
}

TEST_F(RowSetTest, IntegersOutside32BitsRaise)
{
    build("CREATE TABLE t (big, low); INSERT INTO t VALUES (2147483648, -2147483649);");
    EXPECT_THROW(rows().fieldAsInteger("big"), ECatalogueError);
    EXPECT_THROW(rows().fieldAsInteger("low"), ECatalogueError);
    EXPECT_EQ(rows().fieldAsSingle("big"), 2147483648.0f);
}

TEST_F(RowSetTest, ColumnsAreFoundByNameIgnoringCaseAndAMissingOneFailsWhenRead)
{
    build("CREATE TABLE t (Power REAL, code TEXT); INSERT INTO t VALUES (7.5, 'A');");
    EXPECT_EQ(rows().fieldAsSingle("power"), 7.5f);
    EXPECT_EQ(rows().fieldAsSingle("POWER"), 7.5f);
    try {
        rows().fieldAsString("price");
        FAIL() << "a missing column was read";
    } catch (const ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains("price"));
    }
    // The failure leaves the row set usable.
    EXPECT_EQ(rows().fieldAsString("code"), "A");
}

TEST_F(RowSetTest, AColumnFoundOnceReadsEveryRowAndAcrossReopening)
{
    build("CREATE TABLE t (Code TEXT, power REAL); INSERT INTO t VALUES ('A', 7.5); INSERT INTO t VALUES ('B', 10);");
    const CatalogueColumn power = rows().column("POWER");
    const CatalogueColumn price = rows().column("price");
    EXPECT_EQ(power.index(), 1);
    EXPECT_EQ(price.index(), -1);
    std::vector<float> powers;
    for (rows().first(); !rows().eof(); rows().next())
        powers.push_back(rows().fieldAsSingle(power));
    EXPECT_EQ(powers, (std::vector<float> { 7.5f, 10.0f }));

    rows().first();
    try {
        rows().fieldAsSingle(price);
        FAIL() << "a missing column was read";
    } catch (const ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains("price"));
    }
    rows().close();
    EXPECT_THROW(rows().fieldAsSingle(power), ECatalogueError);
    rows().open();
    rows().first();
    EXPECT_EQ(rows().fieldAsString(rows().column("code")), "A");
    EXPECT_EQ(rows().fieldAsSingle(power), 7.5f);
}

// A query opened again with the same value hands out the rows of its first
// run; after the connection is closed and opened again it reads the file
// as it stands then.
TEST(SqliteQuery, ReopeningReadsTheFileAgainAfterAReconnection)
{
    testutils::TemporaryCatalogue catalogue(smallCatalogueSql());
    SqliteConnection connection(catalogue.path());
    SqliteQuery description(connection, QStringLiteral("SELECT * FROM description where type=:type"));
    const auto describe = [&description](const QString& code) {
        description.close();
        description.setParameter("type", code);
        description.open();
        description.first();
        return description.eof() ? QStringLiteral("<none>") : description.fieldAsString("text_es");
    };
    EXPECT_EQ(describe("Fenwa"), QStringLiteral("Batería"));
    EXPECT_EQ(describe("Corsel"), "Armario");

    // While connected the catalogue cannot change: the connection's read
    // transaction keeps every writer out.
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.path().toUtf8().constData(), &writer), SQLITE_OK);
    const char* update = "UPDATE description SET text_es = 'Nueva' WHERE type = 'Fenwa'";
    EXPECT_NE(sqlite3_exec(writer, update, nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(describe("Fenwa"), QStringLiteral("Batería"));

    connection.disconnect();
    EXPECT_EQ(sqlite3_exec(writer, update, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
    connection.connect(catalogue.path());
    EXPECT_EQ(describe("Fenwa"), "Nueva");
    EXPECT_EQ(describe("Corsel"), "Armario");
}

TEST_F(RowSetTest, PastTheLastRowNoColumnIsHandedOut)
{
    build("CREATE TABLE t (v); INSERT INTO t VALUES (1); INSERT INTO t VALUES (2);");
    std::vector<std::int32_t> seen;
    for (rows().first(); !rows().eof(); rows().next())
        seen.push_back(rows().fieldAsInteger("v"));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 2}));
    EXPECT_THROW(rows().fieldAsInteger("v"), ECatalogueError);
    rows().next();
    EXPECT_TRUE(rows().eof());
    EXPECT_THROW(rows().fieldAsString("v"), ECatalogueError);
    rows().first();
    EXPECT_EQ(rows().fieldAsInteger("v"), 1);
}

TEST_F(RowSetTest, AnEmptyTableIsAtItsEndAtOnce)
{
    build("CREATE TABLE t (v);");
    EXPECT_TRUE(rows().isOpen());
    EXPECT_TRUE(rows().eof());
    EXPECT_THROW(rows().fieldAsInteger("v"), ECatalogueError);
}

TEST_F(RowSetTest, ClosedRowSetHandsOutNothingUntilReopened)
{
    build("CREATE TABLE t (v); INSERT INTO t VALUES (5);");
    rows().close();
    EXPECT_FALSE(rows().isOpen());
    EXPECT_THROW(rows().fieldAsInteger("v"), ECatalogueError);
    EXPECT_THROW(rows().first(), ECatalogueError);
    rows().open();
    rows().first();
    EXPECT_EQ(rows().fieldAsInteger("v"), 5);
}
