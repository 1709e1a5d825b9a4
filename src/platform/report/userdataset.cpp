#include "userdataset.h"

namespace report {

void UserDataSet::First()
{
    if (onFirst)
        onFirst(*this);
}

void UserDataSet::Next()
{
    if (onNext)
        onNext(*this);
}

void UserDataSet::Prior()
{
    if (onPrior)
        onPrior(*this);
}

bool UserDataSet::Eof()
{
    bool eof = true;
    if (onCheckEOF) {
        eof = false;
        onCheckEOF(*this, eof);
    }
    return eof;
}

QVariant UserDataSet::Value(const QString& column)
{
    QVariant value;
    if (onGetValue)
        onGetValue(column, value);
    return value;
}

} // namespace report
