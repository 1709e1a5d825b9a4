#pragma once

#include <QLabel>
#include <QSettings>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

// The start-up splash: a frameless 528 × 350 window, centred, showing the
// Spanish picture `Image` or the English one `Image_en`, chosen by the same
// rule as the interface language from the saved language settings.
class TPresentForm : public QWidget {
    Q_OBJECT
public:
    // `settings` is the store of the language settings (the program's own
    // when null); `systemLanguage` the operating system's two-letter code.
    explicit TPresentForm(std::unique_ptr<QSettings> settings = nullptr, const QString& systemLanguage = QString());

private:
    void FormCreate(std::unique_ptr<QSettings> settings, const QString& systemLanguage);

    QLabel* Image = nullptr;
    QLabel* Image_en = nullptr;
};

// The splash's language choice: the settings as the document reads them
// ("auto", default true; "code", default 0), under the interface's own
// start-up rule, Translation::englishChosen.
bool IsEnglish(QSettings& settings, const QString& systemLanguage);

// A 32-bit millisecond tick count that wraps.
using TickSource = std::function<std::uint32_t()>;
// The system's: milliseconds since an arbitrary start, taken modulo 2^32.
std::uint32_t systemTickCount();

// Waits at least `Milliseconds` while the application keeps processing its
// events: each pass takes the tick, processes what is waiting and sleeps
// 1 ms; it stops at the first pass whose tick, minus the start, as an
// unsigned 32-bit difference, reaches `Milliseconds`, so a wrap of the count
// neither shortens nor lengthens the wait. `sleep` is the 1 ms pause.
void WaitWithMessages(
    std::uint32_t Milliseconds, const TickSource& ticks = systemTickCount, const std::function<void()>& sleep = {});
