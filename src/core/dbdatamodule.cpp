#include "dbdatamodule.h"

#include "sqlitecatalogue.h"

#include <QCoreApplication>
#include <QDir>

QString TDbDataModule::defaultDatabasePath()
{
    // Only the program's own folder is searched; the working directory plays
    // no part.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tenvik_sqlite.db"));
}

TDbDataModule::TDbDataModule(const QString& databasePath)
    : m_databasePath(databasePath)
    , TenvikConnection(std::make_unique<SqliteConnection>())
{
    const SqliteConnection& connection = *TenvikConnection;
    BbTable = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM bb"));
    Bb6Table = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM bb6"));
    BbfTable = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM bbf"));
    CondTable = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM cond"));
    TransTable = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM trans"));
    DescriptionTable =
        std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM description where type=:type"));
    DescriptionTable->setParameter(QStringLiteral("TYPE"), QString());
    BbeTable = std::make_unique<SqliteQuery>(connection, QStringLiteral("SELECT * FROM bbe"));

    DataModuleCreate();
}

TDbDataModule::~TDbDataModule()
{
    DataModuleDestroy();
}

void TDbDataModule::DataModuleCreate()
{
    TenvikConnection->connect(m_databasePath);
    for (SqliteQuery* query :
         {BbTable.get(), Bb6Table.get(), BbfTable.get(), CondTable.get(), TransTable.get(), DescriptionTable.get(),
          BbeTable.get()})
        query->open();
}

void TDbDataModule::DataModuleDestroy()
{
    for (SqliteQuery* query :
         {BbTable.get(), Bb6Table.get(), BbfTable.get(), CondTable.get(), TransTable.get(), DescriptionTable.get(),
          BbeTable.get()})
        query->close();
    TenvikConnection->disconnect();
}

CatalogueRowSet& TDbDataModule::GetBbfTable() { return *BbfTable; }
CatalogueRowSet& TDbDataModule::GetBbeTable() { return *BbeTable; }
CatalogueRowSet& TDbDataModule::GetBb6Table() { return *Bb6Table; }
CatalogueRowSet& TDbDataModule::GetBbTable() { return *BbTable; }
CatalogueRowSet& TDbDataModule::GetCondTable() { return *CondTable; }
CatalogueRowSet& TDbDataModule::GetTransTable() { return *TransTable; }
CatalogueRowSet& TDbDataModule::GetDescriptionTable() { return *DescriptionTable; }
