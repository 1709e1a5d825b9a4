#pragma once

// Fixtures shared by the tests: catalogues built from SQL text, a scripted
// dialogs service, a temporary folder.

#include "dialogservice.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
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

// Writes `bytes` to `path` (created or emptied first); false when it cannot.
bool writeFile(const QString& path, const QByteArray& bytes);

// The names of the files in a folder, hidden ones included, sorted.
QStringList filesIn(const QString& folder);

// Every name below a folder (files, folders, links, hidden ones included) as
// a path relative to it, sorted; links are listed, not followed.
QStringList everythingIn(const QString& folder);

// ---- writes made to fail for real, each in a child process ----------------

// A child's result when it could not prepare its case.
constexpr int ChildFailed = 1 << 7;

// Runs `body` in a forked child, so that its limits, identity and mounts stay
// out of the test process, and returns its result: ChildFailed for an
// exception, 0x100 plus the signal for a child ended by one.
int inChild(const std::function<int()>& body);

// A child's result in words; `names` says what each bit stands for, from the
// lowest.
std::string describeChildResult(int code, std::initializer_list<const char*> names);

// In a child: a file may grow to `bytes` and no further; a write past that
// fails (EFBIG) rather than ending the process. False when refused.
bool limitFileSize(unsigned long long bytes);

// In a child: mounts a tmpfs of `size` ("8k") on `folder`, in a mount
// namespace of the child's own (without root, in a user namespace of its own
// as well). False where the machine allows neither.
bool mountSmallFileSystem(const QString& folder, const char* size);

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

    void showMessage(MessageKind kind, const QString& text) override { messages.push_back({ kind, text }); }
    bool askYesNo(const QString& text) override;
    std::optional<QString> inputQuery(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> getOpenFileName(const QString& filter) override;
    std::optional<QString> getSaveFileName(
        const QString& fileName, const QString& filter, const QString& defaultSuffix, bool overwritePrompt) override;
};

} // namespace testutils
