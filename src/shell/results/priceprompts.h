#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

class IDialogService;
class TBattery;
class TSelection;

// The four values the user may correct on the equipment detail page. The
// candidate's price and its cable's price and length belong to the candidate
// shown when the prompt opened; the current transformer's price belongs to
// the selection and so applies to every candidate.
enum class PriceField : std::uint8_t { BatteryPrice, TransformerPrice, ConductorPrice, ConductorLength };

namespace PricePrompts {

// The Spanish prompt line of a field (a translation key).
QString promptLine(PriceField field);

// The field's current value with two decimals, as the prompt starts with it
// and the page shows it. Empty when the field has no record to read (no
// current transformer, no cable).
QString valueText(PriceField field, const TBattery& battery, const TSelection& selection,
                  const QLocale& locale = QLocale());

// Stores an answer, read as TypedNumber::amount reads what is typed (the
// desktop's thousands grouping refused), into the field: money rounded to four decimals, halves
// to even; the length as a float in metres. False, with nothing stored, when
// the answer is not a number or does not fit the field.
bool storeAnswer(PriceField field, TBattery& battery, TSelection& selection, const QString& answer,
                 const QLocale& locale = QLocale());

// The prompt's close handler: on OK stores the first answer; a refused
// answer shows "El valor entrado no es válido." (translated) as a plain
// message. True exactly when a value was stored.
bool queryClose(PriceField field, TBattery& battery, TSelection& selection, bool accepted,
                const QString& answer, IDialogService& dialogs, const QLocale& locale = QLocale());

// Opens the prompt for the field with caption "Cambiar valor" and the
// current value, then runs its close handler. True when a value was stored.
bool ask(PriceField field, TBattery& battery, TSelection& selection, IDialogService& dialogs,
         const QLocale& locale = QLocale());

} // namespace PricePrompts
