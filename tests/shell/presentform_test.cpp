#include "presentform.h"

#include "splashpicture.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

// A settings store in a private ini file, with the two values given (or
// absent).
class SplashSettings {
public:
    SplashSettings(std::optional<QVariant> automatic, std::optional<QVariant> code)
    {
        QSettings settings(path(), QSettings::IniFormat);
        if (automatic)
            settings.setValue(QStringLiteral("language/auto"), *automatic);
        if (code)
            settings.setValue(QStringLiteral("language/code"), *code);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    std::unique_ptr<QSettings> open() const { return std::make_unique<QSettings>(path(), QSettings::IniFormat); }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(PresentFormTest, pictureFollowsTheLanguageRule)
{
    struct Case {
        std::optional<QVariant> automatic;
        std::optional<QVariant> code;
        const char* system;
        bool english;
    };
    const Case cases[] = {
        { QVariant("1"), QVariant(0), "en", true },
        { QVariant("1"), QVariant(1), "es", false },
        { QVariant("1"), QVariant(1), "de", false },
        { QVariant("0"), QVariant(1), "es", true },
        { QVariant("0"), QVariant(1), "en", true },
        { QVariant("0"), QVariant(0), "en", false },
        { QVariant(0), QVariant("1"), "es", true }, // "code" stored as text
        { QVariant("0"), QVariant(2), "es", true }, // outside the two languages: English
        { QVariant("0"), QVariant(256), "en", false }, // low 8 bits are 0: Spanish
        { QVariant("yes"), QVariant(1), "es", false }, // no number: the default, follow the system
        { std::nullopt, std::nullopt, "en", true }, // no settings: follow the system
        { std::nullopt, std::nullopt, "es", false },
    };
    for (const Case& c : cases) {
        SplashSettings settings(c.automatic, c.code);
        TPresentForm form(settings.open(), QString::fromLatin1(c.system));
        const QString what
            = QStringLiteral("auto=%1 code=%2 system=%3")
                  .arg(c.automatic ? c.automatic->toString() : "-", c.code ? c.code->toString() : "-", c.system);
        EXPECT_EQ(shownSplashLanguage(form), c.english) << what.toStdString();
    }
}

TEST(PresentFormTest, isAFramelessWindowOfTheSplashSize)
{
    SplashSettings settings(std::nullopt, std::nullopt);
    TPresentForm form(settings.open(), QStringLiteral("es"));
    EXPECT_EQ(form.size(), QSize(528, 350));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(form.findChild<QLabel*>("Image")->pixmap().isNull());
    EXPECT_FALSE(form.findChild<QLabel*>("Image_en")->pixmap().isNull());
}

namespace {

// Runs the wait against a scripted tick count that advances by `step` per
// reading, starting at `start`; returns the number of passes.
int passesFor(std::uint32_t milliseconds, std::uint32_t start, std::uint32_t step)
{
    std::uint32_t tick = start;
    int passes = 0;
    WaitWithMessages(
        milliseconds,
        [&] {
            const std::uint32_t now = tick;
            tick += step; // wraps like the system's count
            return now;
        },
        [&] { ++passes; });
    return passes;
}

} // namespace

TEST(WaitWithMessagesTest, aWrapOfTheTickCountNeitherShortensNorLengthensTheWait)
{
    // The first reading is the start; pass n reads start + n·step and stops
    // once that reaches the wait: 2000 ms at 100 ms per reading is 20 passes.
    EXPECT_EQ(passesFor(2000, 0, 100), 20);
    EXPECT_EQ(passesFor(2000, 0xFFFFFFFFu - 950u, 100), 20); // wraps half-way
    EXPECT_EQ(passesFor(2000, 0xFFFFFFFFu, 100), 20); // wraps at once
    EXPECT_EQ(passesFor(0, 12345, 1), 1); // always one pass
    EXPECT_EQ(passesFor(2000, 0, 3000), 1);
}

TEST(WaitWithMessagesTest, processesEventsWhileItWaits)
{
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    WaitWithMessages(5);
    EXPECT_TRUE(delivered);
}
