#pragma once

// Puts the interface language chosen at start-up in force, before the main
// window shows its texts: the program's own table (TranslateText) and Qt's
// own translation of its dialogs, standard buttons and context menus.
// Spanish is the program's own language and has no table of the program's;
// Qt's texts are then read from its Spanish translation. Each window shows
// its texts in this language when it is prepared (translateStaticTexts).
void setInterfaceLanguage(bool english);
