#include "sqlitecatalogue.h"

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

} // namespace

// ---------------------------------------------------------- SqliteConnection

SqliteConnection::SqliteConnection(const QString& path) : m_path(path)
{
    const QByteArray file = path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = sqliteMessage(m_db);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw ECatalogueError(QStringLiteral("No se puede abrir el catálogo «%1»: %2").arg(path, reason));
    }
    // Opening is lazy: read the schema now so that a file that is not a
    // database fails here, and make the connection refuse writes.
    char* error = nullptr;
    if (sqlite3_exec(m_db, "PRAGMA query_only = ON; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, &error)
        != SQLITE_OK) {
        const QString reason = error ? QString::fromUtf8(error) : sqliteMessage(m_db);
        sqlite3_free(error);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw ECatalogueError(QStringLiteral("No se puede abrir el catálogo «%1»: %2").arg(path, reason));
    }
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close(m_db);
}

// --------------------------------------------------------------- SqliteQuery

SqliteQuery::SqliteQuery(const SqliteConnection& connection, QString sql)
    : m_connection(connection), m_sql(std::move(sql))
{
}

void SqliteQuery::close()
{
    m_open = false;
    m_columns.clear();
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
    StatementGuard guard;
    const QByteArray text = m_sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &guard.statement, nullptr)
        != SQLITE_OK)
        throw ECatalogueError(QStringLiteral("Consulta del catálogo fallida (%1): %2").arg(m_sql, sqliteMessage(db)));

    // Parameters are bound, never spliced into the text; names compare
    // without regard to case, an unset parameter is an empty text.
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
    for (int c = 0; c < columnCount; ++c)
        columns.push_back(QString::fromUtf8(sqlite3_column_name(guard.statement, c)));

    std::vector<std::vector<QVariant>> rows;
    for (;;) {
        const int rc = sqlite3_step(guard.statement);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw ECatalogueError(
                QStringLiteral("Consulta del catálogo fallida (%1): %2").arg(m_sql, sqliteMessage(db)));
        std::vector<QVariant> row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c) {
            switch (sqlite3_column_type(guard.statement, c)) {
            case SQLITE_INTEGER:
                row.emplace_back(static_cast<qlonglong>(sqlite3_column_int64(guard.statement, c)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(guard.statement, c));
                break;
            case SQLITE_TEXT:
                row.emplace_back(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(guard.statement, c)),
                    sqlite3_column_bytes(guard.statement, c)));
                break;
            case SQLITE_BLOB: {
                const void* data = sqlite3_column_blob(guard.statement, c);
                row.emplace_back(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(guard.statement, c)));
                break;
            }
            default:
                row.emplace_back();
                break;
            }
        }
        rows.push_back(std::move(row));
    }
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_current = 0;
    m_open = true;
}

void SqliteQuery::first()
{
    if (!m_open)
        throw ECatalogueError(QStringLiteral("La consulta del catálogo no está abierta (%1).").arg(m_sql));
    m_current = 0;
}

void SqliteQuery::next()
{
    if (!m_open)
        throw ECatalogueError(QStringLiteral("La consulta del catálogo no está abierta (%1).").arg(m_sql));
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
        throw ECatalogueError(QStringLiteral("La consulta del catálogo no está abierta (%1).").arg(m_sql));
    if (m_current >= m_rows.size())
        throw ECatalogueError(QStringLiteral("No hay fila actual en la consulta del catálogo (%1).").arg(m_sql));
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].compare(name, Qt::CaseInsensitive) == 0)
            return m_rows[m_current][c];
    }
    throw ECatalogueError(QStringLiteral("Campo «%1» no encontrado (%2).").arg(name, m_sql));
}

namespace {

// SQLite's own numeric reading of a text: a leading number, else 0.
double numberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString) {
        const QByteArray text = value.toString().toUtf8();
        return std::strtod(text.constData(), nullptr);
    }
    if (value.typeId() == QMetaType::QByteArray)
        return 0.0;
    return value.toDouble();
}

} // namespace

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
    return numberOf(value) != 0.0;
}

std::int32_t SqliteQuery::fieldAsInteger(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::LongLong) {
        // A stored integer outside 32 bits does not fit the field.
        const qlonglong v = value.toLongLong();
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            throw ECatalogueError(QStringLiteral("El campo «%1» no cabe en un entero (%2).").arg(name, m_sql));
        return static_cast<std::int32_t>(v);
    }
    const double v = std::trunc(numberOf(value));
    if (!std::isfinite(v) || v < -2147483648.0 || v > 2147483647.0)
        throw ECatalogueError(QStringLiteral("El campo «%1» no cabe en un entero (%2).").arg(name, m_sql));
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
    return static_cast<float>(numberOf(field(name)));
}

QByteArray SqliteQuery::fieldAsBlob(const QString& name) const
{
    const QVariant& value = field(name);
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    return value.toByteArray();
}
