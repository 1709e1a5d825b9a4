#pragma once

#include "mainform.h"

#include "dbdatamodule.h"
#include "dskproject.h"
#include "resultsview.h"
#include "translation.h"

#include "testutils.h"

#include <QAction>
#include <QListView>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A main window over scripted dialogs, a private settings file and a chosen
// system language, with the shell's "open" recorded.
class MainFormFixture : public ::testing::Test {
protected:
    ~MainFormFixture() override
    {
        form.reset();
        Translation::setEnglishInForce(false);
    }

    QString settingsPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    QString folder() const { return m_dir.path(); }

    void storeLanguage(const char* automatic, int code)
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("language/auto"), QString::fromLatin1(automatic));
        settings.setValue(QStringLiteral("language/code"), code);
    }

    // With `cataloguePath`, the window reads that catalogue; without, none.
    TMainForm& create(const QString& systemLanguage = QStringLiteral("es"), const QString& cataloguePath = QString())
    {
        if (!cataloguePath.isEmpty())
            m_catalogue = std::make_unique<TDbDataModule>(cataloguePath);
        TMainForm::Environment environment;
        environment.dataModule = m_catalogue.get();
        environment.dialogs = &dialogs;
        environment.settings = std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat);
        environment.systemLanguage = systemLanguage;
        environment.programFolder = folder();
        environment.openUrl = [this](const QUrl& url) { opened.push_back(url); };
        form = std::make_unique<TMainForm>(std::move(environment));
        return *form;
    }

    TDskProject& project() { return form->project(); }

    // Calculates a plain bank of 120 kW contracted power (with its current
    // transformer) on the shown window and opens the first candidate's
    // detail page. The window must read a catalogue.
    void showFirstCandidateDetail(TMainForm& window)
    {
        window.project().setBatteryType(TBatteryType::battery);
        window.project().setCalculationType(TCalculationType::contracted_power);
        window.project().setVoltage(TVoltage::v400);
        window.project().setMaximumPower(120);
        window.LoadProjectData();
        window.FindBatteryAction->trigger();
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
        QListView* list = window.results().resultsPage()->BatteryListView;
        ASSERT_GT(list->model()->rowCount(), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        ASSERT_EQ(window.Pages.ResultTabControl->currentWidget(), window.Pages.BatteryDetailTabItem);
    }

    testutils::ScriptedDialogs dialogs;
    std::vector<QUrl> opened;
    std::unique_ptr<TDbDataModule> m_catalogue; // outlives the window
    std::unique_ptr<TMainForm> form;

private:
    QTemporaryDir m_dir;
};
