#pragma once

#include <QAbstractButton>

// An on/off switch: a rounded track with a knob that sits right when on.
// It is a checkable button, so `clicked` comes for the user's clicks and the
// space key, `toggled` for every change.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
