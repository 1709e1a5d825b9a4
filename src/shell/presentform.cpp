#include "presentform.h"

#include "pictures.h"
#include "translation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QThread>

#include <cstdint>

namespace {

std::unique_ptr<QSettings> programSettings()
{
    // The same store the project document reads and writes.
    return std::make_unique<QSettings>(QStringLiteral("ORVEL"), QStringLiteral("Tenvik7"));
}

// A settings value read as a number: an integer as itself, a text as a
// decimal integer, anything else (or nothing) as the default.
qint64 readNumber(QSettings& settings, const QString& key, qint64 fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    const QString text = value.toString().trimmed();
    // An ini store keeps a Boolean written by Qt as "true" or "false".
    if (text == QLatin1String("true"))
        return 1;
    if (text == QLatin1String("false"))
        return 0;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok ? number : fallback;
}

} // namespace

bool IsEnglish(QSettings& settings, const QString& systemLanguage)
{
    settings.beginGroup(QStringLiteral("language"));
    const bool automatic = readNumber(settings, QStringLiteral("auto"), 1) != 0;
    const qint64 code = readNumber(settings, QStringLiteral("code"), 0);
    settings.endGroup();
    if (automatic)
        return systemLanguage == QLatin1String("en");
    // The document keeps the low 8 bits; any non-zero language is English.
    return (code & 0xFF) != 0;
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

    FormCreate(settings ? std::move(settings) : programSettings(),
               systemLanguage.isEmpty() ? Translation::systemLanguageCode() : systemLanguage);
}

void TPresentForm::FormCreate(std::unique_ptr<QSettings> settings, const QString& systemLanguage)
{
    const bool english = IsEnglish(*settings, systemLanguage);
    Image->setVisible(!english);
    Image_en->setVisible(english);
}

bool TPresentForm::isEnglishShown() const
{
    return !Image_en->isHidden() && Image->isHidden();
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
