#include "sqlitecatalogue.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("sin memoria");
}

// Finalises a statement when it goes out of scope.
struct StatementGuard {
    sqlite3_stmt* statement = nullptr;
    ~StatementGuard() { sqlite3_finalize(statement); }
};

QVariant columnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return static_cast<qlonglong>(sqlite3_column_int64(statement, column));
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
}

void SqliteConnection::disconnect()
{
    sqlite3_close(m_db);
    m_db = nullptr;
}

// --------------------------------------------------------------- SqliteQuery

SqliteQuery::SqliteQuery(const SqliteConnection& connection, QString sql)
    : m_connection(connection), m_sql(std::move(sql))
{
}

void SqliteQuery::fail(const QString& message) const
{
    throw ECatalogueError(QStringLiteral("%1 (%2)").arg(message, m_sql));
}

void SqliteQuery::close()
{
    m_open = false;
    m_columns.clear();
    m_hasCaseVariants = false;
    m_rows.clear();
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
    StatementGuard guard;
    const QByteArray text = m_sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &guard.statement, nullptr)
        != SQLITE_OK)
        fail(QStringLiteral("Consulta del catálogo fallida: %1").arg(sqliteMessage(db)));
    if (!guard.statement)
        fail(QStringLiteral("Consulta del catálogo vacía"));

    // Parameters are bound, never spliced into the text; names compare
    // without regard to case.
    const int parameterCount = sqlite3_bind_parameter_count(guard.statement);
    for (int i = 1; i <= parameterCount; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(guard.statement, i);
        const QString name = rawName ? QString::fromUtf8(rawName + 1) : QString();
        QString value;
        for (const auto& [parameter, bound] : m_parameters) {
            if (parameter.compare(name, Qt::CaseInsensitive) == 0)
                value = bound;
        }
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(guard.statement, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }

    const int columnCount = sqlite3_column_count(guard.statement);
    std::vector<QString> columns;
    columns.reserve(static_cast<std::size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c)
        columns.push_back(QString::fromUtf8(sqlite3_column_name(guard.statement, c)));

    std::vector<std::vector<QVariant>> rows;
    for (;;) {
        const int rc = sqlite3_step(guard.statement);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            fail(QStringLiteral("Consulta del catálogo fallida: %1").arg(sqliteMessage(db)));
        std::vector<QVariant> row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c)
            row.push_back(columnValue(guard.statement, c));
        rows.push_back(std::move(row));
    }
    m_columns = std::move(columns);
    m_hasCaseVariants = false;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        for (std::size_t d = 0; d < c; ++d) {
            if (m_columns[d] != m_columns[c] && m_columns[d].compare(m_columns[c], Qt::CaseInsensitive) == 0)
                m_hasCaseVariants = true;
        }
    }
    m_rows = std::move(rows);
    m_current = 0;
    m_open = true;
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
    if (m_current < m_rows.size())
        ++m_current;
}

bool SqliteQuery::eof() const
{
    return !m_open || m_current >= m_rows.size();
}

const QVariant& SqliteQuery::field(const QString& name) const
{
    if (!m_open)
        fail(QStringLiteral("La consulta del catálogo no está abierta"));
    if (m_current >= m_rows.size())
        fail(QStringLiteral("No hay fila actual en la consulta del catálogo"));
    // Columns are found by name, ignoring case; the first of equal names wins.
    // The program asks with the stored spelling, so the exact lookup usually
    // answers; but a column spelt in another case that comes earlier wins.
    if (!m_hasCaseVariants) {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c] == name)
                return m_rows[m_current][c];
        }
    }
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].compare(name, Qt::CaseInsensitive) == 0)
            return m_rows[m_current][c];
    }
    fail(QStringLiteral("Campo «%1» no encontrado").arg(name));
}

// A stored number as a number; a NULL reads as 0. A text must hold a number
// and nothing else, and a blob is no number: a catalogue price or power
// that silently read as 0 would be a wrong result, not a failure.
double SqliteQuery::numberOf(const QString& name, const QVariant& value) const
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return static_cast<double>(value.toLongLong());
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("El campo «%1» no es un número").arg(name));
        return number;
    }
    case QMetaType::QByteArray:
        fail(QStringLiteral("El campo «%1» no es un número").arg(name));
    default:
        return 0.0;
    }
}

bool SqliteQuery::fieldAsBoolean(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return numberOf(name, value) != 0.0;
}

std::int32_t SqliteQuery::fieldAsInteger(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::LongLong) {
        const qlonglong v = value.toLongLong();
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            fail(QStringLiteral("El campo «%1» no cabe en un entero").arg(name));
        return static_cast<std::int32_t>(v);
    }
    // A real number becomes an integer by rounding to the nearest, halves
    // to even.
    const double v = std::nearbyint(numberOf(name, value));
    if (!std::isfinite(v) || v < -2147483648.0 || v > 2147483647.0)
        fail(QStringLiteral("El campo «%1» no cabe en un entero").arg(name));
    return static_cast<std::int32_t>(v);
}

QString SqliteQuery::fieldAsString(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

float SqliteQuery::fieldAsSingle(const QString& name) const
{
    // Rounded to the nearest single; beyond its range the value becomes an
    // infinity, written out rather than left to the cast.
    const double value = numberOf(name, field(name));
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

QByteArray SqliteQuery::fieldAsBlob(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    return value.toByteArray();
}

QImage SqliteQuery::fieldAsPicture(const QString& name) const
{
    const QByteArray bytes = fieldAsBlob(name);
    if (bytes.isEmpty())
        return QImage();
    const auto cached = m_pictures.constFind(bytes);
    if (cached != m_pictures.constEnd())
        return *cached;
    const QImage picture = CatalogueRowSet::fieldAsPicture(name);
    m_pictures.insert(bytes, picture);
    return picture;
}
