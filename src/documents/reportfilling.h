#pragma once

#include <QString>

class TBattery;
class TDskProject;

namespace report {
class Report;
}

// Filling the report template with the language and the project's data.
// Both work on the template's objects, found by name; whatever they write
// stays in the template until it is written again.

// What the start-up translation keeps for later prints: the right
// column's "Tipo:" label, which a print without current transformer
// overwrites and the next print with one restores.
struct TReportTexts {
    QString TransformerTypeLabel = QStringLiteral("Tipo:");
};

// Translates the template's fixed texts (text objects tagged 300) once, at
// start: each is trimmed of blanks and control characters; a text ending in
// ":" is looked up without it and gets it back.
TReportTexts LangTextReport(TDskProject& project, report::Report& frxReport);

// Writes the titles, the customer, the candidate with its cable, the
// current transformer and the summary of the calculation kind, and switches
// the blocks for this print. `ActiveBattery` is a candidate of the
// project's selection and has its cable. Numbers use the default locale's
// decimal separator and no group separator; a figure that is not finite is
// written as an empty text.
void MakeReport(TDskProject& project, report::Report& frxReport, TBattery* ActiveBattery,
    const TReportTexts& texts = TReportTexts());
