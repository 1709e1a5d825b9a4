#pragma once

#include <QString>

#include <optional>

// Every message dialog, question, input prompt and file dialog the program
// shows goes through this interface, so that tests can script the answers.
// The shell's implementation uses QMessageBox, QInputDialog and QFileDialog.
//
// File filters are given in the form "description|pattern|description|
// pattern", patterns separated by ";" (for example
// "Adobe PDF (*.pdf)|*.pdf"); the first entry is preselected.
class IDialogService {
public:
    enum class MessageKind { Information, Warning, Error, Plain };

    virtual ~IDialogService() = default;

    // A message with an OK button.
    virtual void showMessage(MessageKind kind, const QString& text) = 0;

    // A question of the information kind with Yes and No, No the default.
    // True only on Yes.
    virtual bool askYesNo(const QString& text) = 0;

    // An input prompt with OK and Cancel; the answer, or nothing when
    // cancelled.
    virtual std::optional<QString> inputQuery(const QString& caption, const QString& prompt, const QString& value) = 0;

    // The open-file dialog; the chosen path, or nothing when dismissed.
    virtual std::optional<QString> getOpenFileName(const QString& filter) = 0;

    // The save-file dialog, starting from `fileName`. `defaultSuffix` (like
    // ".pdf") is appended to a name typed without extension. With
    // `overwritePrompt` the dialog asks before an existing file may be chosen.
    virtual std::optional<QString> getSaveFileName(const QString& fileName, const QString& filter,
                                                   const QString& defaultSuffix, bool overwritePrompt) = 0;
};
