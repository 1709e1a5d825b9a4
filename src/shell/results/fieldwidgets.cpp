#include "fieldwidgets.h"

#include <QVBoxLayout>
#include <QLabel>
#include <QToolButton>

QLineEdit* makeReadOnlyEdit(const QString& objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

void styleAsTitle(QLabel* label, int pointSize)
{
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setFixedHeight(31);
}

ButtonEdit::ButtonEdit(const QString& editName, const QString& buttonName, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(editName);
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    m_button = new QToolButton(this);
    m_button->setObjectName(buttonName);
    m_button->setText(QStringLiteral("..."));
    m_button->setCursor(Qt::PointingHandCursor);
    // The edit never takes the focus, but its button is reached by Tab.
    m_button->setFocusPolicy(Qt::TabFocus);
    m_button->setAutoRaise(true);
    setTextMargins(0, 0, 24, 0);
}

void ButtonEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int side = height() - 4;
    m_button->setGeometry(width() - side - 2, 2, side, side);
}

LabelledField::LabelledField(const QString& objectName, const QString& caption, QLineEdit* edit, QWidget* parent)
    : QWidget(parent), m_edit(edit)
{
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_label = new QLabel(caption, this);
    m_label->setObjectName(objectName + QStringLiteral("Caption"));
    layout->addWidget(m_label);
    edit->setParent(this);
    layout->addWidget(edit);
}
