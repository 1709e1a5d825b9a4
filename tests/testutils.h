#pragma once

// Fixtures shared by the tests: catalogues built from SQL text, a scripted
// dialogs service, a temporary folder.

#include "dialogservice.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace testutils {

// Writes an SQLite database built from `sql` into `path` (created anew).
// Raises std::runtime_error with SQLite's message when the SQL fails.
void buildDatabase(const QString& path, const QString& sql);

// A catalogue file in a temporary folder, built from SQL text.
class TemporaryCatalogue {
public:
    explicit TemporaryCatalogue(const QString& sql);
    QString path() const { return m_dir.filePath(QStringLiteral("tenvik_sqlite.db")); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// The five tables with one column list each, as the program reads them,
// without rows: a start for fixtures that add their own rows.
QString catalogueSchemaSql();

// A 1 × 1 PNG picture, as a SQL blob literal (X'...').
QString tinyPngSqlLiteral();

// The folder where tests leave files for a person to look at (screenshots,
// rendered pages); created when asked for.
QString testOutputFolder();

// Reads a whole file; empty when it cannot be read.
QByteArray readFile(const QString& path);

// A dialogs service whose answers the test gives in advance. Every call is
// recorded; a call with no answer left fails the test by throwing.
class ScriptedDialogs : public IDialogService {
public:
    struct Message {
        MessageKind kind;
        QString text;
    };
    struct FileRequest {
        bool save = false;
        QString fileName;
        QString filter;
        QString defaultSuffix;
        bool overwritePrompt = false;
    };
    struct Prompt {
        QString caption;
        QString prompt;
        QString value;
    };

    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;

    std::vector<Message> messages;
    std::vector<QString> questions;
    std::vector<Prompt> prompts;
    std::vector<FileRequest> fileRequests;

    void showMessage(MessageKind kind, const QString& text) override { messages.push_back({kind, text}); }
    bool askYesNo(const QString& text) override;
    std::optional<QString> inputQuery(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> getOpenFileName(const QString& filter) override;
    std::optional<QString> getSaveFileName(const QString& fileName, const QString& filter,
                                           const QString& defaultSuffix, bool overwritePrompt) override;
};

} // namespace testutils
