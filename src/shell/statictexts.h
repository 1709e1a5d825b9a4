#pragma once

class QWidget;

// The static texts of the program's windows: labels, buttons (push, tool,
// check and radio), group-box titles, tab texts, the items of combo boxes
// and list widgets, the column headers of grids, and the texts of the
// windows' actions (which their buttons show). Edits, spin boxes and window
// captions are not static texts.
//
// Every static text is written in Spanish and shows through TranslateText.
// The interface language is chosen once, at start-up, before any window is
// built, so each window looks its texts up once, when it is prepared; code
// that sets a static text later looks it up itself.

// Shows every static text of `window` (a window or a page) in the language
// in force. Called once per window, after its controls are built: a text
// already shown in English would be looked up a second time.
void translateStaticTexts(QWidget* window);
