#include "application.h"

#include "dbdatamodule.h"
#include "dskproject.h"
#include "mainform.h"

#include "testutils.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

namespace {

class StartupTest : public ::testing::Test {
protected:
    TenvikApplication::Options options(const QString& databasePath)
    {
        TenvikApplication::Options o;
        o.databasePath = databasePath;
        o.dialogs = &dialogs;
        o.settings = [this] { return std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat); };
        o.systemLanguage = QStringLiteral("es");
        // A scripted clock: 250 ms per reading, starting just before a wrap.
        o.ticks = [this] {
            const std::uint32_t now = tick;
            tick += 250;
            ++tickReadings;
            return now;
        };
        o.onStep = [this](const QString& step) {
            steps << step;
            if (step == QLatin1String("catalogue"))
                splashVisibleAtCatalogue = program && program->splash()->isVisible();
            if (step == QLatin1String("main window"))
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        };
        return o;
    }
    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }

    QTemporaryDir dir;
    testutils::ScriptedDialogs dialogs;
    std::uint32_t tick = 0xFFFFFF00u;
    int tickReadings = 0;
    QStringList steps;
    bool splashVisibleAtCatalogue = true;
    TenvikApplication* program = nullptr;
};

} // namespace

TEST_F(StartupTest, aMissingCatalogueIsReportedOnceAndTheMainWindowStillComes)
{
    TenvikApplication app(options(dir.filePath(QStringLiteral("missing/tenvik_sqlite.db"))));
    program = &app;
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(steps, QStringList({ "splash shown", "splash hidden", "catalogue", "main window" }));
    EXPECT_FALSE(splashVisibleAtCatalogue);
    // 2000 ms at 250 ms per reading: the start reading and eight passes.
    EXPECT_EQ(tickReadings, 9);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
    EXPECT_EQ(app.dataModule(), nullptr);
    ASSERT_NE(app.mainForm(), nullptr);
    EXPECT_TRUE(app.mainForm()->isVisible());
    EXPECT_EQ(app.mainForm()->project().DataModule(), nullptr);
    EXPECT_FALSE(app.splash()->isVisible());
}

TEST_F(StartupTest, anOpenCatalogueIsHandedToTheProjectAndTheEndWritesTheSettings)
{
    testutils::TemporaryCatalogue catalogue(testutils::catalogueSchemaSql());
    {
        TenvikApplication app(options(catalogue.path()));
        program = &app;
        EXPECT_EQ(app.run(), 0);
        EXPECT_TRUE(dialogs.messages.empty());
        ASSERT_NE(app.dataModule(), nullptr);
        EXPECT_EQ(app.mainForm()->project().DataModule(), app.dataModule());
        app.mainForm()->project().setLangOS(false);
        app.mainForm()->project().setLanguage(TAppLanguage::en);
        program = nullptr;
    }
    QSettings settings(settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("language/auto")).toString(), "0");
    EXPECT_EQ(settings.value(QStringLiteral("language/code")).toInt(), 1);
}

TEST_F(StartupTest, closingTheMainWindowEndsTheProgramWithAtMostOneQuestion)
{
    struct Case {
        bool saved;
        std::deque<bool> answers; // a second answer is there to be refused
        std::size_t questions;
    };
    const Case cases[] = {
        { false, { true, false }, 1 },
        { true, { false }, 0 },
    };
    for (const Case& c : cases) {
        TenvikApplication::Options o = options(dir.filePath(QStringLiteral("missing/tenvik_sqlite.db")));
        // Instead of the fixture's immediate exit: close the main window,
        // and end a loop that goes on with another code.
        o.onStep = [this, saved = c.saved](const QString& step) {
            if (step != QLatin1String("main window"))
                return;
            QTimer::singleShot(0, qApp, [this, saved] {
                program->mainForm()->project().setIsSaved(saved);
                program->mainForm()->close();
            });
            QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(7); });
        };
        dialogs.yesNoAnswers = c.answers;
        dialogs.questions.clear();
        TenvikApplication app(std::move(o));
        program = &app;
        EXPECT_EQ(app.run(), 0) << c.saved;
        EXPECT_EQ(dialogs.questions.size(), c.questions) << c.saved;
        program = nullptr;
    }
}
