#pragma once

#include <QString>
#include <QStringView>
#include <QTest>
#include <QWidget>

namespace testutils {

// Types `text` into `widget` as a keyboard does: one key event per
// character, a character beyond the Basic Multilingual Plane (an Adlam or a
// Chakma digit) being one event of two UTF-16 units. Each keystroke passes
// the widget's validator on its own.
inline void typeKeys(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, length);
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, key, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, key, Qt::NoModifier);
        i += length;
    }
}

} // namespace testutils
