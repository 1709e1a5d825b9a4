#pragma once

#include "catalogue.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <cstddef>
#include <utility>
#include <vector>

struct sqlite3;

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

private:
    sqlite3* m_db = nullptr;
    QString m_path;
};

// One fixed SELECT over the connection, kept open as a row set. Opening
// runs the statement to its end and holds the rows: the catalogue is small
// and the selection walks each table several times per calculation.
class SqliteQuery final : public CatalogueRowSet {
public:
    SqliteQuery(const SqliteConnection& connection, QString sql);

    bool isOpen() const override { return m_open; }
    void first() override;
    void next() override;
    bool eof() const override;

    bool fieldAsBoolean(const QString& name) const override;
    std::int32_t fieldAsInteger(const QString& name) const override;
    QString fieldAsString(const QString& name) const override;
    float fieldAsSingle(const QString& name) const override;
    QByteArray fieldAsBlob(const QString& name) const override;
    // Decoded pictures are kept by their stored bytes for the life of the
    // query, across reopening: the catalogue is read-only, and the same
    // series pictures are decoded again on every calculation otherwise.
    // The pictures handed out share their data.
    QImage fieldAsPicture(const QString& name) const override;

    void close() override;
    void setParameter(const QString& name, const QString& value) override;
    // Runs the statement with the parameters set so far (an unset parameter
    // is an empty text). Raises ECatalogueError when the connection is not
    // connected or the statement fails; the row set is then closed.
    void open() override;

    const QString& sql() const { return m_sql; }
    // The number of rows held while open.
    std::size_t rowCount() const { return m_rows.size(); }

private:
    const QVariant& field(const QString& name) const;
    double numberOf(const QString& name, const QVariant& value) const;
    [[noreturn]] void fail(const QString& message) const;

    const SqliteConnection& m_connection;
    QString m_sql;
    std::vector<std::pair<QString, QString>> m_parameters; // name, value
    std::vector<QString> m_columns;
    mutable QHash<QByteArray, QImage> m_pictures;
    bool m_hasCaseVariants = false; // two columns equal but for letter case
    std::vector<std::vector<QVariant>> m_rows;
    std::size_t m_current = 0;
    bool m_open = false;
};
