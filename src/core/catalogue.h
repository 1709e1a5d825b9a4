#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <stdexcept>

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

// One open row set of the catalogue: a query's rows, walked forward from the
// first. Columns are read by name (ignoring case) from the current row. A
// row set that is not open (its query failed, or was never run) cannot be
// moved and hands out no column, and one past its last row hands out no
// column either: each such call raises ECatalogueError. eof() is true for
// a row set that is not open.
class CatalogueRowSet {
public:
    virtual ~CatalogueRowSet() = default;

    virtual bool isOpen() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    virtual bool fieldAsBoolean(const QString& name) const = 0;
    virtual std::int32_t fieldAsInteger(const QString& name) const = 0;
    virtual QString fieldAsString(const QString& name) const = 0;
    virtual float fieldAsSingle(const QString& name) const = 0;
    virtual QByteArray fieldAsBlob(const QString& name) const = 0;
    // A picture stored in a blob column, decoded; an empty blob gives an
    // empty picture, one that cannot be decoded raises ECatalogueError.
    virtual QImage fieldAsPicture(const QString& name) const;

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
