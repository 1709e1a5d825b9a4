#pragma once

#include "pictures.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <optional>

// The language of the splash picture `splash` shows, read from its pixels:
// true for the English picture, false for the Spanish one, none when it
// shows neither whole (both, or nothing).
inline std::optional<bool> shownSplashLanguage(QWidget& splash)
{
    const auto opaque = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
    const QImage shown = opaque(splash.grab().toImage());
    for (const bool english : { false, true }) {
        if (shown == opaque(Pictures::splash(english).toImage()))
            return english;
    }
    return std::nullopt;
}
