#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Runs `act` on the next modal dialog once it is shown (exec() blocks the
// test, so the answer has to be scheduled before the dialog opens).
inline void whenModal(std::function<void(QWidget*)> act)
{
    auto timer = std::make_shared<QTimer>();
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, [timer, act = std::move(act)]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        act(dialog);
        timer.reset();
    });
    timer->start();
}
