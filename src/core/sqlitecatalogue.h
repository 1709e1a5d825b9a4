#pragma once

#include "catalogue.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A read-only connection to an SQLite catalogue file. Never creates a
// missing file; refuses every write (the connection is query-only).
class SqliteConnection {
public:
    // Not connected; connect() opens the file.
    SqliteConnection() = default;
    // Connects at once; raises ECatalogueError naming the file when it is
    // missing, unreadable or not an SQLite database.
    explicit SqliteConnection(const QString& path);
    ~SqliteConnection();

    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens `path` read-only, closing any earlier file first. On failure the
    // connection is left closed and ECatalogueError names the file.
    void connect(const QString& path);
    void disconnect();
    bool isConnected() const { return m_db != nullptr; }

    sqlite3* handle() const { return m_db; }
    const QString& path() const { return m_path; }

    // The statement for `sql`, prepared on its first use and kept, reset,
    // until the connection closes: the description query runs again for
    // every candidate of a calculation. Returns SQLite's result code; the
    // statement is null for a text that holds no statement.
    int prepared(const QByteArray& sql, sqlite3_stmt** statement) const;

    // Tells one connected span from any other: changes with every connect,
    // 0 while not connected.
    std::uint64_t session() const { return m_session; }

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    std::uint64_t m_session = 0;
    mutable std::vector<std::pair<QByteArray, sqlite3_stmt*>> m_statements;
};

// One fixed SELECT over the connection, kept open as a row set. Opening
// runs the statement to its end and holds the rows: the catalogue is small
// and the selection walks each table several times per calculation.
// The rows of each run are kept by the values bound while the connection
// stays connected, and opening with the same values again hands them out
// without running the statement: the connection reads the catalogue inside
// one transaction for its life, so the run would give the same rows. The
// description query is opened again for every candidate of a calculation.
class SqliteQuery final : public CatalogueRowSet {
public:
    SqliteQuery(const SqliteConnection& connection, QString sql);

    bool isOpen() const override { return m_open; }
    void first() override;
    void next() override;
    bool eof() const override;

    CatalogueColumn column(const QString& name) const override;

    using CatalogueRowSet::fieldAsBlob;
    using CatalogueRowSet::fieldAsBoolean;
    using CatalogueRowSet::fieldAsInteger;
    using CatalogueRowSet::fieldAsPicture;
    using CatalogueRowSet::fieldAsSingle;
    using CatalogueRowSet::fieldAsString;
    bool fieldAsBoolean(const CatalogueColumn& column) const override;
    std::int32_t fieldAsInteger(const CatalogueColumn& column) const override;
    QString fieldAsString(const CatalogueColumn& column) const override;
    float fieldAsSingle(const CatalogueColumn& column) const override;
    QByteArray fieldAsBlob(const CatalogueColumn& column) const override;
    // Decoded pictures are kept by their stored bytes for the life of the
    // query, across reopening: the catalogue is read-only, and the same
    // series pictures are decoded again on every calculation otherwise.
    // The pictures handed out share their data.
    QImage fieldAsPicture(const CatalogueColumn& column) const override;

    void close() override;
    void setParameter(const QString& name, const QString& value) override;
    // Runs the statement with the parameters set so far (an unset parameter
    // is an empty text). Raises ECatalogueError when the connection is not
    // connected or the statement fails; the row set is then closed.
    void open() override;

    const QString& sql() const { return m_sql; }
    // The number of rows held while open.
    std::size_t rowCount() const { return m_rows ? m_rows->size() : 0; }

    // A stored value as SQLite typed it: NULL, integer, real, text or blob.
    using Value = std::variant<std::monostate, qint64, double, QString, QByteArray>;

private:
    const Value& field(const CatalogueColumn& column) const;
    [[noreturn]] void failToRead(const CatalogueColumn& column) const;
    double numberOf(const CatalogueColumn& column, const Value& value) const;
    [[noreturn]] void fail(const QString& message) const;
    void setColumns(sqlite3_stmt* statement);

    const SqliteConnection& m_connection;
    QString m_sql;
    QByteArray m_sqlUtf8;
    std::vector<std::pair<QString, QString>> m_parameters; // name, value
    // The statement's columns, read once for the connection's session and
    // kept while closed and for the runs handed out again: a closed row set
    // hands out no value whatever its columns.
    std::vector<QString> m_columns;
    mutable QHash<QByteArray, QImage> m_pictures;
    bool m_hasCaseVariants = false; // two columns equal but for letter case
    // Row by row: one flat array for a whole table would be large enough
    // to be mapped afresh, page by page, at every opening.
    using Rows = std::vector<std::vector<Value>>;
    std::shared_ptr<const Rows> m_rows; // while open
    // The rows of earlier runs by the values bound (UTF-8, in the
    // statement's order), for the connection's session.
    std::vector<std::pair<std::vector<QByteArray>, std::shared_ptr<const Rows>>> m_runs;
    std::uint64_t m_runsSession = 0;
    std::size_t m_current = 0;
    bool m_open = false;
};
