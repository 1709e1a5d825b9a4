#pragma once

class QWidget;

// Passes every static text of a built window through TranslateText: labels,
// buttons (push, tool, check and radio), group-box titles, tab texts, the
// items of combo boxes and list widgets, the column headers of grids, and the
// texts of the window's actions (which their buttons show). Edits, spin
// boxes and the window's caption are left alone.
//
// Each text's Spanish design text is remembered on first use, so calling
// this again after the table in force has changed shows every text in the
// new language rather than translating a translation.
void translateStaticTexts(QWidget* window);
