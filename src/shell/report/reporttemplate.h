#pragma once

namespace report {
class Report;
class UserDataSet;
} // namespace report

// Builds the two-page report of one chosen candidate into an empty report:
// Page1 with the customer, the candidate, its cable and current
// transformer; Page2 with the billing table, bound to `billing`, and the
// two summary blocks (both switched off until the report is filled).
// Texts marked with the tag ReportTranslatedTag are the fixed texts that are
// translated once at start.
void buildReportTemplate(report::Report& frxReport, report::UserDataSet& billing);

inline constexpr int ReportTranslatedTag = 300;
