#pragma once

class QString;

// Puts the interface language in force for the whole program: the program's
// own table (TranslateText), Qt's own translation of its dialogs, standard
// buttons and context menus, and every prepared window's static texts,
// shown again from their design texts. Spanish is the program's own
// language and has no table of the program's; Qt's texts are then read from
// its Spanish translation.
void setInterfaceLanguage(bool english);

// The folder of Qt's own translations, as the Qt installation gives it.
QString qtTranslationsFolder();
