#pragma once

#include "dialogservice.h"

#include <QStringList>

class QWidget;

// The program's dialogs over Qt Widgets: QMessageBox for messages and
// questions, QInputDialog for prompts, QFileDialog for files. Every dialog is
// modal to the given parent window (or to the active window when none).
class QtDialogService : public IDialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }

    void setParent(QWidget* parent) { m_parent = parent; }

    void showMessage(MessageKind kind, const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> inputQuery(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> getOpenFileName(const QString& filter) override;
    std::optional<QString> getSaveFileName(
        const QString& fileName, const QString& filter, const QString& defaultSuffix, bool overwritePrompt) override;

    // Turns the program's "description|pattern;pattern|..." filter form into
    // Qt's name filters ("description (pattern pattern)"). A description
    // without a pattern keeps its own text; an odd trailing description is
    // kept as a filter that matches every file.
    static QStringList toNameFilters(const QString& filter);

    // The save dialog's answer with `defaultSuffix` (".tvk" or "tvk")
    // appended when the chosen file name has no dot, as Qt's own dialog
    // does: a name ending in "." is left to the caller, which replaces its
    // empty extension.
    static QString withDefaultSuffix(const QString& fileName, const QString& defaultSuffix);

private:
    // The given parent, or the active window when none was given.
    QWidget* owner() const;

    QWidget* m_parent = nullptr;
};
