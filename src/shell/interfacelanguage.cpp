#include "interfacelanguage.h"

#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Qt's translation in force, owned by the application object.
QPointer<QTranslator> g_qtTranslation;

// The folder of Qt's own translations, as the Qt installation gives it.
QString qtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace

void setInterfaceLanguage(bool english)
{
    Translation::setEnglishInForce(english);

    // A translation put in force earlier in the process is replaced, not
    // stacked under the new one.
    delete g_qtTranslation.data(); // removes itself from the application
    // "qtbase" holds the texts of the widgets the program uses: file
    // dialogs, message boxes, standard buttons, the edits' context menus.
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QLocale language(english ? QLocale::English : QLocale::Spanish);
    if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslationsFolder())
        && QCoreApplication::installTranslator(translator))
        g_qtTranslation = translator;
    else
        delete translator;
}
