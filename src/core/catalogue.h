#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <utility>

// A failure of the catalogue: the file cannot be opened, a query fails, a
// column is missing, a row set is not open or past its end, a picture
// cannot be decoded.
class ECatalogueError : public std::runtime_error {
public:
    explicit ECatalogueError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A column of a row set, found by its name once and then read row after row
// by its position. A column the row set does not have is held as missing:
// reading it raises, naming the column, as a read by name does.
class CatalogueColumn {
public:
    CatalogueColumn() = default;
    CatalogueColumn(int index, QString name)
        : m_index(index)
        , m_name(std::move(name))
    {
    }

    int index() const { return m_index; } // -1 when missing
    const QString& name() const { return m_name; }

private:
    int m_index = -1;
    QString m_name;
};

// One open row set of the catalogue: a query's rows, walked forward from the
// first. Columns are read by name (ignoring case) from the current row, or by
// a column found once with column(). A row set that is not open (its query
// failed, or was never run) cannot be moved and hands out no column, and one
// past its last row hands out no column either: each such call raises
// ECatalogueError. eof() is true for a row set that is not open.
class CatalogueRowSet {
public:
    virtual ~CatalogueRowSet() = default;

    virtual bool isOpen() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    // The column of that name, the first of equal names ignoring case. Found
    // among the columns of the open row set; it stays valid while the same
    // query is reopened, whose columns do not change.
    virtual CatalogueColumn column(const QString& name) const = 0;

    virtual bool fieldAsBoolean(const CatalogueColumn& column) const = 0;
    virtual std::int32_t fieldAsInteger(const CatalogueColumn& column) const = 0;
    virtual QString fieldAsString(const CatalogueColumn& column) const = 0;
    virtual float fieldAsSingle(const CatalogueColumn& column) const = 0;
    virtual QByteArray fieldAsBlob(const CatalogueColumn& column) const = 0;
    // A picture stored in a blob column, decoded; an empty blob gives an
    // empty picture, one that cannot be decoded raises ECatalogueError.
    virtual QImage fieldAsPicture(const CatalogueColumn& column) const;

    bool fieldAsBoolean(const QString& name) const { return fieldAsBoolean(column(name)); }
    std::int32_t fieldAsInteger(const QString& name) const { return fieldAsInteger(column(name)); }
    QString fieldAsString(const QString& name) const { return fieldAsString(column(name)); }
    float fieldAsSingle(const QString& name) const { return fieldAsSingle(column(name)); }
    QByteArray fieldAsBlob(const QString& name) const { return fieldAsBlob(column(name)); }
    QImage fieldAsPicture(const QString& name) const { return fieldAsPicture(column(name)); }

    // The parameterised description query: close, set the text parameter by
    // name (ignoring case), reopen.
    virtual void close() = 0;
    virtual void setParameter(const QString& name, const QString& value) = 0;
    virtual void open() = 0;
};

// The catalogue interface: one operation per catalogue query, each handing
// out the same open row set every time. Holding a reference does not keep
// the catalogue alive: it is created before the project and outlives it.
class IDbDataModule {
public:
    virtual ~IDbDataModule() = default;

    virtual CatalogueRowSet& GetBbfTable() = 0;
    virtual CatalogueRowSet& GetBbeTable() = 0;
    virtual CatalogueRowSet& GetBb6Table() = 0;
    virtual CatalogueRowSet& GetBbTable() = 0;
    virtual CatalogueRowSet& GetCondTable() = 0;
    virtual CatalogueRowSet& GetTransTable() = 0;
    virtual CatalogueRowSet& GetDescriptionTable() = 0;
};
