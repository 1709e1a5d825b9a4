#pragma once

#include "reportobjects.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace report {

// The text a data-set value prints as, with the locale's decimal separator
// and no group separator. A number that is not finite prints as nothing;
// so does a value the data set left empty.
QString formatValue(const QVariant& value, const DisplayFormat& format, const QLocale& locale = QLocale());

} // namespace report
