#pragma once

#include "catalogue.h"

#include <QString>

#include <memory>

class SqliteConnection;
class SqliteQuery;

// The catalogue data module: one read-only connection to the catalogue file
// and one query per table, open from start-up until the program ends.
class TDbDataModule final : public IDbDataModule {
public:
    // The catalogue beside the running program.
    static QString defaultDatabasePath();

    // Connects to the file at `databasePath` and opens every query in the
    // order bb, bb6, bbf, cond, trans, description (parameter empty), bbe.
    // A failure stops the rest and raises ECatalogueError naming the file
    // or the query; start-up then goes on without a catalogue.
    explicit TDbDataModule(const QString& databasePath = defaultDatabasePath());
    // Closes every query and the connection.
    ~TDbDataModule() override;

    TDbDataModule(const TDbDataModule&) = delete;
    TDbDataModule& operator=(const TDbDataModule&) = delete;

    CatalogueRowSet& GetBbfTable() override;
    CatalogueRowSet& GetBbeTable() override;
    CatalogueRowSet& GetBb6Table() override;
    CatalogueRowSet& GetBbTable() override;
    CatalogueRowSet& GetCondTable() override;
    CatalogueRowSet& GetTransTable() override;
    CatalogueRowSet& GetDescriptionTable() override;

    const QString& databasePath() const { return m_databasePath; }

private:
    void DataModuleCreate();
    void DataModuleDestroy();

    QString m_databasePath;
    // Declared first so that it is destroyed last, after the queries that
    // read from it.
    std::unique_ptr<SqliteConnection> TenvikConnection;
    std::unique_ptr<SqliteQuery> BbTable;
    std::unique_ptr<SqliteQuery> Bb6Table;
    std::unique_ptr<SqliteQuery> BbfTable;
    std::unique_ptr<SqliteQuery> CondTable;
    std::unique_ptr<SqliteQuery> TransTable;
    std::unique_ptr<SqliteQuery> DescriptionTable;
    std::unique_ptr<SqliteQuery> BbeTable;
};
