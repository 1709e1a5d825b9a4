#pragma once

#include <QLineEdit>
#include <QWidget>

class QLabel;
class QToolButton;

// A read-only edit that never takes the focus, as every figure on the
// results pages is shown.
QLineEdit* makeReadOnlyEdit(const QString& objectName, QWidget* parent);

// Shows `label` as a page's title: bold at `pointSize`, in a row 31 high.
void styleAsTitle(QLabel* label, int pointSize);

// A read-only edit with a small "..." button at its right end that opens
// the edit's prompt. The edit takes no focus; the button is reached by Tab.
class ButtonEdit : public QLineEdit {
    Q_OBJECT
public:
    ButtonEdit(const QString& editName, const QString& buttonName, QWidget* parent = nullptr);

    QToolButton* button() const { return m_button; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_button = nullptr;
};

// A caption with its edit below it. Hiding the field hides both, so a
// field stands for the label that carries its edit.
class LabelledField : public QWidget {
    Q_OBJECT
public:
    LabelledField(const QString& objectName, const QString& caption, QLineEdit* edit, QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    QLineEdit* edit() const { return m_edit; }

private:
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
};
