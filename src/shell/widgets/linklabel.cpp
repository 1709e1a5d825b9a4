#include "linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColor(0x1a, 0x5f, 0xb4));
    setPalette(colors);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
