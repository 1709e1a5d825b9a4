#pragma once

#include "presentform.h"

#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

class IDialogService;
class TDbDataModule;
class TMainForm;

// The application object's part of the program: it shows the splash, then
// creates the catalogue data module and the main window, which it owns, and
// releases them at the end, the main window first.
class TenvikApplication {
public:
    struct Options {
        QString databasePath; // empty: the catalogue beside the program
        IDialogService* dialogs = nullptr; // required, not owned
        // A fresh settings store for each reader (the splash, the document);
        // empty: the program's own store.
        std::function<std::unique_ptr<QSettings>()> settings;
        QString systemLanguage; // empty: asked of the locale
        std::uint32_t splashMilliseconds = 2000;
        TickSource ticks = systemTickCount;
        // Told each start-up step as it happens: "splash shown", "splash
        // hidden", "catalogue", "main window".
        std::function<void(const QString&)> onStep;
    };

    explicit TenvikApplication(Options options);
    ~TenvikApplication();

    // The whole start: splash, wait, hide; then, once the event loop runs,
    // the data module and the main window. Returns the loop's exit code.
    int run();

    // The pieces of run(), in their order.
    void showSplash();
    void waitAndHideSplash();
    void createDataModuleAndMainWindow();

    TPresentForm* splash() const { return m_splash.get(); }
    // Null when the catalogue could not be opened.
    TDbDataModule* dataModule() const { return m_dataModule.get(); }
    TMainForm* mainForm() const { return m_mainForm.get(); }

private:
    void step(const QString& name);
    std::unique_ptr<QSettings> settings() const;

    Options m_options;
    std::unique_ptr<TPresentForm> m_splash;
    // Declared before the main window: released after it.
    std::unique_ptr<TDbDataModule> m_dataModule;
    std::unique_ptr<TMainForm> m_mainForm;
};

// Catches SIGXFSZ with a handler that does nothing, so that a write past a
// limit on file size (ulimit -f) fails with EFBIG and is reported as any
// failed save, rather than ending the program with the unsaved project. A
// handler, not SIG_IGN: the programs started from here (the help viewer) get
// the default action back on exec.
void catchFileSizeSignal();

// Runs the program: start-up, the main window's event loop, shut-down.
// Returns the process exit code.
int runApplication(int argc, char** argv);
