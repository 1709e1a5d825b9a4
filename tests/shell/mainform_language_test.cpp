// The interface language as a whole: the program's static texts on every
// page and dialog, and Qt's own texts, follow the language in force, also
// when it changes while the windows are up.
#include "configform.h"
#include "entryform.h"
#include "interfacelanguage.h"
#include "printerform.h"
#include "results/fakeprinters.h"

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

// The texts that differ, one per line, for a readable failure.
std::string differences(const QStringList& shown, const QStringList& expected)
{
    if (shown.size() != expected.size())
        return "different number of texts";
    std::string out;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] != expected[i])
            out += "\"" + shown[i].toStdString() + "\" instead of \"" + expected[i].toStdString() + "\"\n";
    }
    return out;
}

class InterfaceLanguageTest : public MainFormFixture {
protected:
    ~InterfaceLanguageTest() override { setInterfaceLanguage(false); }

    // A window started on a system of `language`, showing the first
    // candidate in detail.
    TMainForm& detailWindow(const char* language)
    {
        TMainForm& window = create(QString::fromLatin1(language), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
        window.show();
        showFirstCandidateDetail(window);
        return window;
    }

    QStringList textsOfAWindowStartedIn(const char* language)
    {
        detailWindow(language);
        QStringList texts = staticTexts(*form);
        form->project().setIsSaved(true);
        form.reset();
        return texts;
    }
};

} // namespace

TEST_F(InterfaceLanguageTest, everyPageShowsTheNewLanguageFromItsDesignTexts)
{
    const QStringList spanish = textsOfAWindowStartedIn("es");
    const QStringList english = textsOfAWindowStartedIn("en");
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(spanish.size(), english.size());
    // The three pages' titles, looked up from the design texts.
    for (const char* text :
        { "Resultados del cálculo", "Empresa", "Equipo a instalar", "Potencia (kVAr)", "Resultados" })
        EXPECT_TRUE(spanish.contains(QString::fromUtf8(text))) << text;
    for (const char* text :
        { "Results of the calculation", "Company", "Equipment to install", "Power (kVAr)", "Results" })
        EXPECT_TRUE(english.contains(QString::fromUtf8(text))) << text;

    // Both round trips, each from a window started in its language.
    for (const char* start : { "en", "es" }) {
        SCOPED_TRACE(start);
        TMainForm& window = detailWindow(start);
        const bool startsEnglish = QLatin1String(start) == QLatin1String("en");
        EXPECT_EQ(differences(staticTexts(window), startsEnglish ? english : spanish), "");
        setInterfaceLanguage(!startsEnglish);
        EXPECT_EQ(differences(staticTexts(window), startsEnglish ? spanish : english), "");
        setInterfaceLanguage(startsEnglish);
        EXPECT_EQ(differences(staticTexts(window), startsEnglish ? english : spanish), "");
        window.project().setIsSaved(true);
        form.reset();
    }
}

TEST_F(InterfaceLanguageTest, theDialogsFollowAChangeWhileTheyAreUp)
{
    create();
    TConsumption period;
    FakePrinters printers({ QStringLiteral("Oficina") }, 0);
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> dialogs[] = {
        { "options", [this] { return std::make_unique<TConfigForm>(project()); } },
        { "billing period", [&period] { return std::make_unique<TEntryForm>(period); } },
        { "print destination", [&printers] { return std::make_unique<TPrinterForm>(printers); } },
    };
    for (const auto& [name, build] : dialogs) {
        SCOPED_TRACE(name);
        setInterfaceLanguage(false);
        const QStringList spanish = staticTexts(*build());
        setInterfaceLanguage(true);
        const std::unique_ptr<QWidget> dialog = build();
        const QStringList english = staticTexts(*dialog);
        EXPECT_NE(english, spanish);
        setInterfaceLanguage(false);
        EXPECT_EQ(differences(staticTexts(*dialog), spanish), "");
        setInterfaceLanguage(true);
        EXPECT_EQ(differences(staticTexts(*dialog), english), "");
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

    create(QStringLiteral("es"));
    EXPECT_FALSE(Translation::englishInForce());
    EXPECT_EQ(cancelText(), "Cancelar");
    EXPECT_TRUE(contextMenuTexts().contains("Deshacer")) << contextMenuTexts().toStdString();
    EXPECT_EQ(fileDialogAcceptText(), "&Guardar");

    // A box already up follows a change too.
    QDialogButtonBox shown(QDialogButtonBox::Cancel);
    setInterfaceLanguage(true);
    EXPECT_EQ(cancelText(), "Cancel");
    EXPECT_TRUE(contextMenuTexts().contains("Undo")) << contextMenuTexts().toStdString();
    EXPECT_EQ(fileDialogAcceptText(), "&Save");
    QCoreApplication::sendPostedEvents(&shown, QEvent::LanguageChange);
    EXPECT_EQ(shown.button(QDialogButtonBox::Cancel)->text(), "Cancel");

    setInterfaceLanguage(false);
    EXPECT_EQ(cancelText(), "Cancelar");
    QCoreApplication::sendPostedEvents(&shown, QEvent::LanguageChange);
    EXPECT_EQ(shown.button(QDialogButtonBox::Cancel)->text(), "Cancelar");

    // An English start: Qt's texts are English.
    form.reset();
    create(QStringLiteral("en"));
    EXPECT_EQ(cancelText(), "Cancel");
}
