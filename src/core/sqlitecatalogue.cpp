#include "sqlitecatalogue.h"

#include <QFileInfo>
#include <QVariant>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("sin memoria");
}

// Resets a kept statement when a run ends, however it ends, so that it
// holds no cursor until it runs again.
struct ResetGuard {
    sqlite3_stmt* statement = nullptr;
    ~ResetGuard() { sqlite3_reset(statement); }
};

SqliteQuery::Value columnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return static_cast<qint64>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    case SQLITE_BLOB: {
        // The pointer comes before the size, as SQLite asks.
        const char* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QByteArray(data, sqlite3_column_bytes(statement, column));
    }
    default:
        return {};
    }
}

enum Kind : std::size_t { Null, Integer, Real, Text, Blob }; // SqliteQuery::Value's alternatives

} // namespace

// ---------------------------------------------------------- SqliteConnection

SqliteConnection::SqliteConnection(const QString& path)
{
    connect(path);
}

SqliteConnection::~SqliteConnection()
{
    disconnect();
}

void SqliteConnection::connect(const QString& path)
{
    disconnect();
    m_path = path;
    const auto failure = [&path](const QString& reason) {
        return ECatalogueError(QStringLiteral("No se puede abrir el catálogo «%1»: %2").arg(path, reason));
    };
    if (path.isEmpty())
        throw failure(QStringLiteral("no se ha indicado el archivo"));
    // An absolute path never reads as an SQLite URI ("file:..."), whose
    // options could ask for a mode other than read-only.
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString reason = sqliteMessage(db);
        sqlite3_close(db);
        throw failure(reason);
    }
    // Opening is lazy: read the schema now so that a file that is not a
    // database fails here, and make the connection refuse writes. The read
    // transaction begun here stays open for the connection's life: every
    // query then reads one consistent catalogue, and the description query,
    // run again for every candidate, does not take and drop the file lock
    // and check the file again each time.
    char* error = nullptr;
    if (sqlite3_exec(db, "PRAGMA query_only = ON; BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr,
                     &error)
        != SQLITE_OK) {
        const QString reason = error ? QString::fromUtf8(error) : sqliteMessage(db);
        sqlite3_free(error);
        sqlite3_close(db);
        throw failure(reason);
    }
    m_db = db;
    static std::uint64_t lastSession = 0;
    m_session = ++lastSession;
}

void SqliteConnection::disconnect()
{
    for (const auto& [sql, statement] : m_statements)
        sqlite3_finalize(statement);
    m_statements.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_session = 0;
}

int SqliteConnection::prepared(const QByteArray& sql, sqlite3_stmt** statement) const
{
    for (const auto& [text, kept] : m_statements) {
        if (text == sql) {
            *statement = kept;
            return SQLITE_OK;
        }
    }
    *statement = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), static_cast<int>(sql.size()), statement, nullptr);
    if (rc == SQLITE_OK && *statement)
        m_statements.emplace_back(sql, *statement);
    return rc;
}

// --------------------------------------------------------------- SqliteQuery

SqliteQuery::SqliteQuery(const SqliteConnection& connection, QString sql)
    : m_connection(connection)
    , m_sql(std::move(sql))
    , m_sqlUtf8(m_sql.toUtf8())
{
}

void SqliteQuery::fail(const QString& message) const
{
    throw ECatalogueError(QStringLiteral("%1 (%2)").arg(message, m_sql));
}

void SqliteQuery::close()
{
    m_open = false;
    m_rows.reset();
    m_current = 0;
}

void SqliteQuery::setParameter(const QString& name, const QString& value)
{
    for (auto& [parameter, bound] : m_parameters) {
        if (parameter.compare(name, Qt::CaseInsensitive) == 0) {
            bound = value;
            return;
        }
    }
    m_parameters.emplace_back(name, value);
}

void SqliteQuery::open()
{
    close();
    sqlite3* db = m_connection.handle();
    if (!db)
        fail(QStringLiteral("El catálogo no está conectado"));
    ResetGuard guard;
    if (m_connection.prepared(m_sqlUtf8, &guard.statement) != SQLITE_OK)
        fail(QStringLiteral("Consulta del catálogo fallida: %1").arg(sqliteMessage(db)));
    if (!guard.statement)
        fail(QStringLiteral("Consulta del catálogo vacía"));

    // Parameters are bound, never spliced into the text; names compare
    // without regard to case.
    const int parameterCount = sqlite3_bind_parameter_count(guard.statement);
    std::vector<QByteArray> bound;
    for (int i = 1; i <= parameterCount; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(guard.statement, i);
        const QString name = rawName ? QString::fromUtf8(rawName + 1) : QString();
        QString value;
        for (const auto& [parameter, text] : m_parameters) {
            if (parameter.compare(name, Qt::CaseInsensitive) == 0)
                value = text;
        }
        bound.push_back(value.toUtf8());
    }

    // The statement's columns are the same for every run of a session: the
    // connection's one read transaction keeps the schema as it is.
    if (m_runsSession != m_connection.session()) {
        m_runs.clear();
        m_runsSession = m_connection.session();
        setColumns(guard.statement);
    }
    for (const auto& [values, rows] : m_runs) {
        if (values == bound) {
            m_rows = rows;
            m_open = true;
            return;
        }
    }

    for (int i = 1; i <= parameterCount; ++i) {
        const QByteArray& utf8 = bound[static_cast<std::size_t>(i - 1)];
        sqlite3_bind_text(guard.statement, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    const std::size_t columnCount = m_columns.size();

    auto rows = std::make_shared<Rows>();
    for (;;) {
        const int rc = sqlite3_step(guard.statement);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            fail(QStringLiteral("Consulta del catálogo fallida: %1").arg(sqliteMessage(db)));
        std::vector<Value>& row = rows->emplace_back();
        row.reserve(columnCount);
        for (std::size_t c = 0; c < columnCount; ++c)
            row.push_back(columnValue(guard.statement, static_cast<int>(c)));
    }
    m_runs.emplace_back(std::move(bound), rows);
    m_rows = std::move(rows);
    m_open = true;
}

void SqliteQuery::setColumns(sqlite3_stmt* statement)
{
    const int columnCount = sqlite3_column_count(statement);
    m_columns.clear();
    for (int c = 0; c < columnCount; ++c)
        m_columns.push_back(QString::fromUtf8(sqlite3_column_name(statement, c)));
    m_hasCaseVariants = false;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        for (std::size_t d = 0; d < c; ++d) {
            if (m_columns[d] != m_columns[c] && m_columns[d].compare(m_columns[c], Qt::CaseInsensitive) == 0)
                m_hasCaseVariants = true;
        }
    }
}

void SqliteQuery::first()
{
    if (!m_open)
        fail(QStringLiteral("La consulta del catálogo no está abierta"));
    m_current = 0;
}

void SqliteQuery::next()
{
    if (!m_open)
        fail(QStringLiteral("La consulta del catálogo no está abierta"));
    if (m_current < rowCount())
        ++m_current;
}

bool SqliteQuery::eof() const
{
    return !m_open || m_current >= rowCount();
}

CatalogueColumn SqliteQuery::column(const QString& name) const
{
    // Columns are found by name, ignoring case; the first of equal names wins.
    // The program asks with the stored spelling, so the exact lookup usually
    // answers; but a column spelt in another case that comes earlier wins.
    if (!m_hasCaseVariants) {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c] == name)
                return CatalogueColumn(static_cast<int>(c), name);
        }
    }
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].compare(name, Qt::CaseInsensitive) == 0)
            return CatalogueColumn(static_cast<int>(c), name);
    }
    return CatalogueColumn(-1, name);
}

const SqliteQuery::Value& SqliteQuery::field(const CatalogueColumn& column) const
{
    // A missing column's index, -1, lies beyond every row.
    const auto index = static_cast<std::size_t>(column.index());
    if (!m_open || m_current >= m_rows->size() || index >= m_columns.size()) [[unlikely]]
        failToRead(column);
    return (*m_rows)[m_current][index];
}

void SqliteQuery::failToRead(const CatalogueColumn& column) const
{
    if (!m_open)
        fail(QStringLiteral("La consulta del catálogo no está abierta"));
    if (m_current >= m_rows->size())
        fail(QStringLiteral("No hay fila actual en la consulta del catálogo"));
    fail(QStringLiteral("Campo «%1» no encontrado").arg(column.name()));
}

// A stored number as a number; a NULL reads as 0. A text must hold a number
// and nothing else, and a blob is no number: a catalogue price or power
// that silently read as 0 would be a wrong result, not a failure.
double SqliteQuery::numberOf(const CatalogueColumn& column, const Value& value) const
{
    switch (value.index()) {
    case Integer:
        return static_cast<double>(std::get<Integer>(value));
    case Real:
        return std::get<Real>(value);
    case Text: {
        bool ok = false;
        const double number = std::get<Text>(value).trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("El campo «%1» no es un número").arg(column.name()));
        return number;
    }
    case Blob:
        fail(QStringLiteral("El campo «%1» no es un número").arg(column.name()));
    default:
        return 0.0;
    }
}

bool SqliteQuery::fieldAsBoolean(const CatalogueColumn& column) const
{
    const Value& value = field(column);
    if (value.index() == Integer)
        return std::get<Integer>(value) != 0;
    if (value.index() == Text) {
        const QString text = std::get<Text>(value).trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return numberOf(column, value) != 0.0;
}

std::int32_t SqliteQuery::fieldAsInteger(const CatalogueColumn& column) const
{
    const Value& value = field(column);
    if (value.index() == Integer) {
        const qint64 v = std::get<Integer>(value);
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            fail(QStringLiteral("El campo «%1» no cabe en un entero").arg(column.name()));
        return static_cast<std::int32_t>(v);
    }
    // A real number becomes an integer by rounding to the nearest, halves
    // to even.
    const double v = std::nearbyint(numberOf(column, value));
    if (!std::isfinite(v) || v < -2147483648.0 || v > 2147483647.0)
        fail(QStringLiteral("El campo «%1» no cabe en un entero").arg(column.name()));
    return static_cast<std::int32_t>(v);
}

QString SqliteQuery::fieldAsString(const CatalogueColumn& column) const
{
    const Value& value = field(column);
    switch (value.index()) {
    case Integer:
        return QString::number(std::get<Integer>(value));
    case Real:
        return QString::number(std::get<Real>(value), 'g', 15);
    case Text:
        return std::get<Text>(value);
    case Blob:
        return QString::fromUtf8(std::get<Blob>(value));
    default:
        return QString();
    }
}

float SqliteQuery::fieldAsSingle(const CatalogueColumn& column) const
{
    // Rounded to the nearest single; beyond its range the value becomes an
    // infinity, written out rather than left to the cast.
    const double value = numberOf(column, field(column));
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

QByteArray SqliteQuery::fieldAsBlob(const CatalogueColumn& column) const
{
    const Value& value = field(column);
    switch (value.index()) {
    case Integer:
        return QByteArray::number(std::get<Integer>(value));
    case Real:
        // A number's bytes are its shortest text, as Qt writes a double.
        return QVariant(std::get<Real>(value)).toByteArray();
    case Text:
        return std::get<Text>(value).toUtf8();
    case Blob:
        return std::get<Blob>(value);
    default:
        return QByteArray();
    }
}

QImage SqliteQuery::fieldAsPicture(const CatalogueColumn& column) const
{
    const QByteArray bytes = fieldAsBlob(column);
    if (bytes.isEmpty())
        return QImage();
    const auto cached = m_pictures.constFind(bytes);
    if (cached != m_pictures.constEnd())
        return *cached;
    const QImage picture = CatalogueRowSet::fieldAsPicture(column);
    m_pictures.insert(bytes, picture);
    return picture;
}
