// The interface language as a whole: a window built under the language
// chosen at start-up shows every static text of every page and dialog, and
// Qt's own texts, in that language, with no text left in the other one.
#include "configform.h"
#include "entryform.h"
#include "interfacelanguage.h"
#include "printerform.h"
#include "results/fakeprinters.h"
#include "translationtable.h"

#include "mainformfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>
#include <memory>

namespace {

// Every static text `window` shows, in the order of its children.
QStringList staticTexts(const QWidget& window)
{
    QStringList texts;
    for (QObject* object : window.findChildren<QObject*>()) {
        if (auto* action = qobject_cast<QAction*>(object)) {
            texts << action->text();
        } else if (auto* label = qobject_cast<QLabel*>(object)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
            texts << group->title();
        } else if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* table = qobject_cast<QTableWidget*>(object)) {
            for (int i = 0; i < table->columnCount(); ++i)
                texts << table->horizontalHeaderItem(i)->text();
        }
    }
    return texts;
}

// The English form of a Spanish text under the program's table.
QString englishOf(const QString& spanish)
{
    const bool before = Translation::englishInForce();
    Translation::setEnglishInForce(true);
    QString english = TranslateText(spanish);
    Translation::setEnglishInForce(before);
    return english;
}

// The English texts of the table that are no Spanish text as well: a
// Spanish window shows none of them.
const QSet<QString>& englishOnlyTexts()
{
    static const QSet<QString> texts = [] {
        QSet<QString> spanish;
        QSet<QString> english;
        const auto add = [&](const auto& rows) {
            for (const TranslationRow& row : rows) {
                spanish.insert(QString::fromUtf16(row.spanish));
                english.insert(QString::fromUtf16(row.english));
            }
        };
        add(EnglishTable);
        add(ProgramTexts);
        return english - spanish;
    }();
    return texts;
}

// The texts of one window built once under Spanish and once under English,
// in the order of its children: each English text is its Spanish text's row
// of the table (or the same text, where it has none), and the Spanish one
// shows no English text.
void expectEachInItsLanguage(const QStringList& spanish, const QStringList& english)
{
    ASSERT_EQ(spanish.size(), english.size());
    EXPECT_NE(spanish, english);
    for (qsizetype i = 0; i < spanish.size(); ++i) {
        EXPECT_EQ(english[i], englishOf(spanish[i])) << "for \"" << spanish[i].toStdString() << "\"";
        EXPECT_FALSE(englishOnlyTexts().contains(spanish[i])) << "English in Spanish: " << spanish[i].toStdString();
    }
}

class InterfaceLanguageTest : public MainFormFixture {
protected:
    ~InterfaceLanguageTest() override
    {
        form.reset();
        setInterfaceLanguage(false);
    }

    // The texts of a window started on a system of `language`, showing the
    // first candidate in detail, its results list built too.
    QStringList textsOfAWindowStartedIn(const char* language)
    {
        TMainForm& window = create(QString::fromLatin1(language), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
        window.show();
        showFirstCandidateDetail(window);
        QStringList texts = staticTexts(window);
        window.project().setIsSaved(true);
        form.reset();
        return texts;
    }
};

} // namespace

TEST_F(InterfaceLanguageTest, everyPageShowsTheLanguageChosenAtStartUp)
{
    const QStringList spanish = textsOfAWindowStartedIn("es");
    const QStringList english = textsOfAWindowStartedIn("en");
    ASSERT_FALSE(HasFailure());
    // The three pages' titles, and texts the pages set after they are built.
    for (const char* text :
        { "Resultados del cálculo", "Empresa", "Equipo a instalar", "Potencia (kVAr)", "Resultados" })
        EXPECT_TRUE(spanish.contains(QString::fromUtf8(text))) << text;
    for (const char* text :
        { "Results of the calculation", "Company", "Equipment to install", "Power (kVAr)", "Results" })
        EXPECT_TRUE(english.contains(QString::fromUtf8(text))) << text;
    expectEachInItsLanguage(spanish, english);
}

TEST_F(InterfaceLanguageTest, theDialogsShowTheLanguageChosenAtStartUp)
{
    TConsumption period;
    FakePrinters printers({ QStringLiteral("Oficina") }, 0);
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> dialogs[] = {
        { "options", [this] { return std::make_unique<TConfigForm>(project()); } },
        { "billing period", [&period] { return std::make_unique<TEntryForm>(period); } },
        { "print destination", [&printers] { return std::make_unique<TPrinterForm>(printers); } },
    };
    for (const auto& [name, build] : dialogs) {
        SCOPED_TRACE(name);
        create(QStringLiteral("es"));
        const QStringList spanish = staticTexts(*build());
        form.reset();
        create(QStringLiteral("en"));
        const QStringList english = staticTexts(*build());
        form.reset();
        expectEachInItsLanguage(spanish, english);
    }
}

TEST_F(InterfaceLanguageTest, qtsOwnTextsSpeakTheInterfaceLanguage)
{
    const auto cancelText = [] {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text();
    };
    const auto contextMenuTexts = [] {
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        return texts.join(QLatin1Char('|'));
    };
    const auto fileDialogAcceptText = [] {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
    };

    // One start after another in the same process, as a test runs them:
    // each start's choice replaces the one before.
    for (const char* language : { "es", "en", "es" }) {
        SCOPED_TRACE(language);
        create(QString::fromLatin1(language));
        const bool english = QLatin1String(language) == QLatin1String("en");
        EXPECT_EQ(Translation::englishInForce(), english);
        EXPECT_EQ(cancelText(), english ? "Cancel" : "Cancelar");
        EXPECT_TRUE(contextMenuTexts().contains(english ? "Undo" : "Deshacer")) << contextMenuTexts().toStdString();
        EXPECT_EQ(fileDialogAcceptText(), english ? "&Save" : "&Guardar");
        form.reset();
    }
}
