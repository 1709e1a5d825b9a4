#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// A data set that holds no rows itself: the report walks its records and
// reads their values through callbacks of the set's owner.
namespace report {

class UserDataSet {
public:
    explicit UserDataSet(QString name)
        : m_name(std::move(name))
    {
    }

    UserDataSet(const UserDataSet&) = delete;
    UserDataSet& operator=(const UserDataSet&) = delete;

    const QString& name() const { return m_name; }
    // The declared columns, in order.
    const QStringList& fields() const { return m_fields; }
    void setFields(const QStringList& fields) { m_fields = fields; }
    // Free for the owner; the billing data set keeps its cursor here.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    std::function<void(UserDataSet&)> onFirst;
    std::function<void(UserDataSet&)> onNext;
    std::function<void(UserDataSet&)> onPrior;
    // Sets its flag to true past the last record.
    std::function<void(UserDataSet&, bool& eof)> onCheckEOF;
    // Replaces `value` with the named column's value of the current record,
    // or leaves it as it came.
    std::function<void(const QString& column, QVariant& value)> onGetValue;

    // The engine's calls; a missing callback does nothing, and without an
    // end-of-data check the set has no records.
    void First();
    void Next();
    void Prior();
    bool Eof();
    QVariant Value(const QString& column);

private:
    QString m_name;
    QStringList m_fields;
    int m_tag = 0;
};

} // namespace report
