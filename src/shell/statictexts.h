#pragma once

class QObject;
class QString;
class QWidget;

// The static texts of the program's windows: labels, buttons (push, tool,
// check and radio), group-box titles, tab texts, the items of combo boxes
// and list widgets, the column headers of grids, and the texts of the
// windows' actions (which their buttons show). Edits, spin boxes and window
// captions are not static texts.
//
// Every static text is written in Spanish, its design text, and shows
// through TranslateText. The design text is kept beside the shown one, so a
// text is always looked up again from Spanish, never from a translation.

// Shows every static text of `window` (a window or a page) in the language
// in force, from its design text. A control met for the first time, or
// whose text the program has set directly since, takes the text it shows as
// its design text. Calling it again after the table in force has changed
// shows the new language.
void translateStaticTexts(QWidget* window);

// Gives one control (a label, a button, a group box or an action) a new
// design text, shown in the language in force. Code that changes a static
// text after the window is built goes through here.
void setStaticText(QObject* control, const QString& designText);

// Shows the static texts of every window and page prepared by
// translateStaticTexts again, after a change of the table in force.
void translateAllStaticTexts();
