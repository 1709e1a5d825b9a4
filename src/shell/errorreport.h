#pragma once

#include <QString>

#include <exception>

class IDialogService;

// The application's standard error report: a message dialog of the error
// kind with an OK button and the failure's message.

// The message as shown: a "." is added when the last character sorts after
// "." (a letter or a digit, for instance), so that every report reads as a
// sentence; a message ending in ".", "!" or ")" stays as it is.
QString standardErrorText(const QString& message);

// The message carried by any failure the program raises (our exceptions keep
// their QString; others give their what() as UTF-8).
QString failureMessage(const std::exception& failure);

void showStandardError(IDialogService& dialogs, const std::exception& failure);
void showStandardError(IDialogService& dialogs, const QString& message);

// Runs `action` and turns any failure it raises into the standard error
// report, so that nothing escapes into Qt's event loop.
template <typename Action> void runReported(IDialogService& dialogs, Action&& action)
{
    try {
        action();
    } catch (const std::exception& failure) {
        showStandardError(dialogs, failure);
    } catch (...) {
        showStandardError(dialogs, QStringLiteral("Error"));
    }
}
