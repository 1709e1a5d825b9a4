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
    enum class Opening {
        Now,     // connect and open every query in the constructor
        Deferred // only create the queries; DataModuleCreate() opens them
    };

    // The catalogue beside the running program.
    static QString defaultDatabasePath();

    // Connects to the file at `databasePath` and opens every query in the
    // order bb, bb6, bbf, cond, trans, description (parameter empty), bbe.
    // A failure stops the rest and raises ECatalogueError.
    explicit TDbDataModule(const QString& databasePath = defaultDatabasePath());
    // With Opening::Deferred the data module exists with every row set
    // closed; start-up then calls DataModuleCreate() and, when it fails,
    // reports the failure and goes on with the row sets that did not open
    // still closed (their reads raise).
    TDbDataModule(const QString& databasePath, Opening opening);
    ~TDbDataModule() override;

    TDbDataModule(const TDbDataModule&) = delete;
    TDbDataModule& operator=(const TDbDataModule&) = delete;

    // Connects and opens the queries in the order above; a failure stops
    // the rest (the queries opened before it stay open) and raises
    // ECatalogueError naming the file or the query.
    void DataModuleCreate();
    // Closes every query and the connection.
    void DataModuleDestroy();
    bool isConnected() const;

    CatalogueRowSet& GetBbfTable() override;
    CatalogueRowSet& GetBbeTable() override;
    CatalogueRowSet& GetBb6Table() override;
    CatalogueRowSet& GetBbTable() override;
    CatalogueRowSet& GetCondTable() override;
    CatalogueRowSet& GetTransTable() override;
    CatalogueRowSet& GetDescriptionTable() override;

    const QString& databasePath() const { return m_databasePath; }

private:
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
