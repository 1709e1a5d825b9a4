#include "toggleswitch.h"

#include <QPainter>
#include <QPainterPath>

ToggleSwitch::ToggleSwitch(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const
{
    return { 44, 24 };
}

void ToggleSwitch::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 3, -1, -3);
    const qreal radius = track.height() / 2;
    const QPalette& colors = palette();

    QColor trackColor = isChecked() ? colors.color(QPalette::Highlight) : colors.color(QPalette::Mid);
    if (!isEnabled())
        trackColor = colors.color(QPalette::Disabled, QPalette::Mid);
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = rect().height() - 4;
    const qreal x = isChecked() ? rect().width() - knob - 2 : 2;
    painter.setBrush(isEnabled() ? QColor(Qt::white) : colors.color(QPalette::Disabled, QPalette::Button));
    painter.setPen(QPen(colors.color(QPalette::Dark), 0.8));
    painter.drawEllipse(QRectF(x, 2, knob, knob));

    if (hasFocus()) {
        QPen focusPen(colors.color(QPalette::Highlight), 1, Qt::DotLine);
        painter.setPen(focusPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius + 2, radius + 2);
    }
}
