#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal dialog once it is shown (exec() blocks the test, so
// the answer has to be set up before the dialog opens). The script stops
// with its owner, so an answer never meant for a later dialog stays behind;
// ran() tells whether the dialog came at all.
class ModalScript {
public:
    explicit ModalScript(std::function<void(QWidget*)> act)
        : m_act(std::move(act))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            m_ran = true;
            m_act(dialog);
        });
        m_timer.start();
    }

    bool ran() const { return m_ran; }

private:
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    bool m_ran = false;
};
