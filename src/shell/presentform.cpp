#include "presentform.h"

#include "dskproject.h"
#include "languagesettings.h"
#include "pictures.h"
#include "translation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QThread>

#include <cstdint>

bool IsEnglish(QSettings& settings, const QString& systemLanguage)
{
    // Read exactly as the project document reads them, and decided by the
    // main window's rule.
    const LanguageSettings::Choice choice = LanguageSettings::read(settings);
    return Translation::englishChosen(choice.langOS, choice.language, systemLanguage);
}

TPresentForm::TPresentForm(std::unique_ptr<QSettings> settings, const QString& systemLanguage)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("PresentForm"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(528, 350);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(0, 0, 528, 350);
    Image->setPixmap(Pictures::splash(false));
    Image_en = new QLabel(this);
    Image_en->setObjectName(QStringLiteral("Image_en"));
    Image_en->setGeometry(0, 0, 528, 350);
    Image_en->setPixmap(Pictures::splash(true));
    Image_en->hide();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(settings ? std::move(settings) : TDskProject::defaultSettings(),
        systemLanguage.isEmpty() ? Translation::systemLanguageCode() : systemLanguage);
}

void TPresentForm::FormCreate(std::unique_ptr<QSettings> settings, const QString& systemLanguage)
{
    const bool english = IsEnglish(*settings, systemLanguage);
    Image->setVisible(!english);
    Image_en->setVisible(english);
}

std::uint32_t systemTickCount()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return static_cast<std::uint32_t>(clock.elapsed());
}

void WaitWithMessages(std::uint32_t Milliseconds, const TickSource& ticks, const std::function<void()>& sleep)
{
    const std::uint32_t start = ticks();
    for (;;) {
        const std::uint32_t now = ticks();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (sleep)
            sleep();
        else
            QThread::msleep(1);
        if (static_cast<std::uint32_t>(now - start) >= Milliseconds)
            break;
    }
}
