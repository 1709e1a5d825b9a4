#include "application.h"

#include "dbdatamodule.h"
#include "errorreport.h"
#include "mainform.h"
#include "qtdialogservice.h"

#include <QApplication>
#include <QMetaObject>

#include <clocale>

#include <signal.h>

TenvikApplication::TenvikApplication(Options options)
    : m_options(std::move(options))
{
}

TenvikApplication::~TenvikApplication()
{
    m_mainForm.reset(); // its document writes the language settings
    m_dataModule.reset();
}

void TenvikApplication::step(const QString& name)
{
    if (m_options.onStep)
        m_options.onStep(name);
}

std::unique_ptr<QSettings> TenvikApplication::settings() const
{
    return m_options.settings ? m_options.settings() : nullptr;
}

int TenvikApplication::run()
{
    showSplash();
    waitAndHideSplash();
    // Carried out once the event loop runs, after the splash is gone.
    QMetaObject::invokeMethod(
        qApp, [this] { createDataModuleAndMainWindow(); }, Qt::QueuedConnection);
    return QApplication::exec();
}

void TenvikApplication::showSplash()
{
    m_splash = std::make_unique<TPresentForm>(settings(), m_options.systemLanguage);
    m_splash->show();
    step(QStringLiteral("splash shown"));
}

void TenvikApplication::waitAndHideSplash()
{
    WaitWithMessages(m_options.splashMilliseconds, m_options.ticks);
    m_splash->hide();
    step(QStringLiteral("splash hidden"));
}

void TenvikApplication::createDataModuleAndMainWindow()
{
    step(QStringLiteral("catalogue"));
    try {
        m_dataModule = m_options.databasePath.isEmpty() ? std::make_unique<TDbDataModule>()
                                                        : std::make_unique<TDbDataModule>(m_options.databasePath);
    } catch (const std::exception& failure) {
        // The program goes on without a catalogue; a calculation that needs
        // it reports the failure then.
        m_dataModule.reset();
        showStandardError(*m_options.dialogs, failure);
    }

    TMainForm::Environment environment;
    environment.dataModule = m_dataModule.get();
    environment.dialogs = m_options.dialogs;
    environment.settings = settings();
    environment.systemLanguage = m_options.systemLanguage;
    m_mainForm = std::make_unique<TMainForm>(std::move(environment));
    // exit(), not quit(): quit() would first try to close the window again,
    // which asks the close question once more and refuses.
    QObject::connect(
        m_mainForm.get(), &TMainForm::terminateRequested, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    step(QStringLiteral("main window"));
    m_mainForm->show();
}

namespace {

// Nothing to do: the write that passed the limit fails with EFBIG, and the
// save or export that made it reports the failure.
void onFileSizeLimit(int) { }

} // namespace

void catchFileSizeSignal()
{
    struct sigaction action { };
    action.sa_handler = onFileSizeLimit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGXFSZ, &action, nullptr);
}

int runApplication(int argc, char** argv)
{
    catchFileSizeSignal();
    QApplication app(argc, argv);
    // The application object has set the C library's locale from the
    // desktop. Our own code reads and writes numbers without it; this second
    // guard keeps a library that does not from writing a decimal comma. The
    // desktop's number format still reaches every figure through QLocale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("ORVEL"));
    QApplication::setApplicationName(QStringLiteral("Tenvik7"));
    QtDialogService dialogs;
    TenvikApplication::Options options;
    options.dialogs = &dialogs;
    TenvikApplication program(std::move(options));
    const int code = program.run();
    return code;
}
