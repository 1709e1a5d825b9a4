// The project document: construction, reset, new and the language settings.

#include "documentfixtures.h"
#include "dskproject.h"
#include "languagesettings.h"
#include "selection.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

using docfixtures::SettingsStore;
using testutils::ScriptedDialogs;

namespace {

std::unique_ptr<TDskProject> makeDocument(const SettingsStore& store, ScriptedDialogs& dialogs)
{
    return std::make_unique<TDskProject>(nullptr, &dialogs, store.open());
}

} // namespace

TEST(ProjectDocument, NewDocumentIsResetUnsavedAndUncalculated)
{
    SettingsStore store;
    ScriptedDialogs dialogs;
    auto document = makeDocument(store, dialogs);
    EXPECT_TRUE(document->FileName().isEmpty());
    EXPECT_EQ(document->Version(), "7.1.0");
    EXPECT_FALSE(document->IsSaved());
    EXPECT_FALSE(document->ValidCalculation());
    EXPECT_TRUE(document->LangOS());
    EXPECT_EQ(document->Language(), TAppLanguage::es);
    EXPECT_TRUE(document->BusinessName().isEmpty());
    EXPECT_EQ(document->ConsumptionList().Count(), 0);
    EXPECT_EQ(document->ConsumptionList().WorkHours(), 300);
    EXPECT_EQ(&document->Selection().project(), document.get());
    EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST(ProjectDocument, ResetAndNewKeepTheLanguageChoiceAndTheFilters)
{
    SettingsStore store;
    ScriptedDialogs dialogs;
    auto document = makeDocument(store, dialogs);
    docfixtures::fillProject(*document);
    document->setLanguage(TAppLanguage::en);
    document->setLangOS(false);
    document->setDialogSaveFilterName(QStringLiteral("open filter"));
    document->setDialogOpenFilterName(QStringLiteral("save filter"));
    document->setVersion(QStringLiteral("6"));
    document->setIsSaved(true);
    document->setValidCalculation(true);

    for (const bool viaNew : { false, true }) {
        SCOPED_TRACE(viaNew ? "New" : "Reset");
        if (viaNew)
            document->New();
        else
            document->Reset();
        EXPECT_TRUE(document->FileName().isEmpty());
        EXPECT_EQ(document->Version(), "7.1.0");
        EXPECT_FALSE(document->IsSaved());
        EXPECT_FALSE(document->ValidCalculation());
        EXPECT_TRUE(document->BusinessName().isEmpty());
        EXPECT_EQ(document->BatteryType(), TBatteryType::ferimont);
        EXPECT_EQ(document->ConsumptionList().Count(), 0);
        EXPECT_EQ(document->ConsumptionList().Powerfactor(), 1.0f);
        EXPECT_EQ(document->Language(), TAppLanguage::en);
        EXPECT_EQ(document->LanguageCode(), "en");
        EXPECT_FALSE(document->LangOS());
        EXPECT_EQ(document->DialogSaveFilterName(), "open filter");
        EXPECT_EQ(document->DialogOpenFilterName(), "save filter");
        docfixtures::fillProject(*document);
        document->setIsSaved(true);
    }
}

TEST(LanguageSettings, FirstRunUsesTheDefaultsAndWritesThemAtTheEnd)
{
    SettingsStore store;
    ScriptedDialogs dialogs;
    makeDocument(store, dialogs).reset();
    const QString text = store.text();
    EXPECT_TRUE(text.contains("[language]")) << text.toStdString();
    EXPECT_TRUE(text.contains("auto=1")) << text.toStdString();
    EXPECT_TRUE(text.contains("code=0")) << text.toStdString();

    const auto settings = store.open();
    EXPECT_EQ(settings->value("language/auto").toString(), "1");
    EXPECT_EQ(settings->value("language/code").toString(), "0");
}

TEST(LanguageSettings, StoredValuesFollowTheNumberRules)
{
    const struct {
        const char* ini;
        bool langOS;
        int language;
    } cases[] = {
        { "", true, 0 },
        { "[language]\nauto=0\ncode=1\n", false, 1 },
        { "[language]\nauto=2\n", true, 0 },
        { "[language]\nauto=yes\ncode=abc\n", true, 0 },
        { "[language]\nauto=\ncode=\n", true, 0 },
        { "[language]\nauto=-1\ncode=2\n", true, 2 },
        { "[language]\ncode=257\n", true, 1 }, // the low 8 bits
        { "[language]\nauto=0, 1\n", true, 0 }, // a list, neither text nor number
        { "[other]\nauto=0\ncode=1\n", true, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        SettingsStore store;
        store.write(c.ini);
        ScriptedDialogs dialogs;
        auto document = makeDocument(store, dialogs);
        EXPECT_EQ(document->LangOS(), c.langOS);
        EXPECT_EQ(static_cast<int>(document->Language()), c.language);
    }
}

TEST(LanguageSettings, ChoiceIsWrittenOnlyWhenTheDocumentIsDestroyed)
{
    SettingsStore store;
    store.write("[language]\nauto=1\ncode=2\n");
    ScriptedDialogs dialogs;
    auto document = makeDocument(store, dialogs);
    EXPECT_EQ(static_cast<int>(document->Language()), 2); // held as read
    document->setLangOS(false);
    EXPECT_TRUE(store.open()->value("language/auto").toString() == "1");
    document.reset();
    EXPECT_EQ(store.open()->value("language/auto").toString(), "0");
    EXPECT_EQ(store.open()->value("language/code").toString(), "2");

    document = makeDocument(store, dialogs);
    document->setLanguage(TAppLanguage::en);
    document.reset();
    EXPECT_EQ(store.open()->value("language/auto").toString(), "0");
    EXPECT_EQ(store.open()->value("language/code").toString(), "1");
}

// The native store keeps a value's type: a code once stored as text stays
// text, an integer stays an integer; "auto" is always text.
TEST(LanguageSettings, WritingKeepsTheStoredTypeOfTheCode)
{
    SettingsStore store;
    auto settings = store.open();
    settings->setValue("language/code", QStringLiteral("0"));
    settings->setValue("language/auto", 1);
    LanguageSettings::write(*settings, { true, TAppLanguage::en });
    EXPECT_EQ(settings->value("language/code").metaType().id(), QMetaType::QString);
    EXPECT_EQ(settings->value("language/code").toString(), "1");
    EXPECT_EQ(settings->value("language/auto").metaType().id(), QMetaType::QString);
    EXPECT_EQ(settings->value("language/auto").toString(), "1");

    settings->setValue("language/code", 0);
    LanguageSettings::write(*settings, { false, TAppLanguage::en });
    EXPECT_EQ(settings->value("language/code").metaType().id(), QMetaType::Int);
    EXPECT_EQ(settings->value("language/code").toInt(), 1);
    EXPECT_EQ(settings->value("language/auto").toString(), "0");
}

TEST(LanguageSettings, IntegerValuesReadAsNumbers)
{
    SettingsStore store;
    auto settings = store.open();
    settings->setValue("language/auto", 0);
    settings->setValue("language/code", 1);
    const auto choice = LanguageSettings::read(*settings);
    EXPECT_FALSE(choice.langOS);
    EXPECT_EQ(choice.language, TAppLanguage::en);

    settings->setValue("language/auto", 5);
    settings->setValue("language/code", QByteArray("1"));
    const auto other = LanguageSettings::read(*settings);
    EXPECT_TRUE(other.langOS);
    EXPECT_EQ(other.language, TAppLanguage::es); // a value of another kind
}

TEST(LanguageSettings, DefaultStoreIsTheProgramsOwnNativeStore)
{
    QStandardPaths::setTestModeEnabled(true); // nothing of the user's is read or written
    const auto settings = TDskProject::defaultSettings();
    EXPECT_EQ(settings->format(), QSettings::NativeFormat);
    EXPECT_EQ(settings->scope(), QSettings::UserScope);
    EXPECT_EQ(settings->organizationName(), "ORVEL");
    EXPECT_EQ(settings->applicationName(), "Tenvik7");
}

// Only the user's own key is read: a value in the organisation-wide or the
// machine-wide store is not taken for it, and so never copied into it.
TEST(LanguageSettings, OnlyTheUsersOwnStoreIsRead)
{
    const char* const elsewhere[] = { "user/ORVEL.conf", "system/ORVEL/Tenvik7.conf", "system/ORVEL.conf" };
    for (const char* file : elsewhere) {
        SCOPED_TRACE(file);
        const docfixtures::FileFolder folder;
        QDir().mkpath(folder.path("system/ORVEL"));
        QDir().mkpath(folder.path("user/ORVEL"));
        folder.write(file, "[language]\nauto=0\ncode=1\n");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path("user"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folder.path("system"));

        ScriptedDialogs dialogs;
        auto document = std::make_unique<TDskProject>(nullptr, &dialogs);
        EXPECT_TRUE(document->LangOS());
        EXPECT_EQ(document->Language(), TAppLanguage::es);
        document.reset();
        const QString own = QString::fromUtf8(testutils::readFile(folder.path("user/ORVEL/Tenvik7.conf")));
        EXPECT_TRUE(own.contains("auto=1")) << own.toStdString();
        EXPECT_TRUE(own.contains("code=0")) << own.toStdString();
    }
}
