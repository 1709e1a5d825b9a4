#pragma once

// Fixtures of the document tests: a temporary settings store, a temporary
// folder for project files, a filled project.

#include "dskproject.h"
#include "testutils.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

namespace docfixtures {

// An ini file in a folder of its own; every document of a test reads and
// writes its settings here, never in the user's real settings.
class SettingsStore {
public:
    SettingsStore();
    QString path() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    std::unique_ptr<QSettings> open() const;
    // The ini file's text, "" when it has not been written.
    QString text() const;
    void write(const QByteArray& iniText) const;

private:
    QTemporaryDir m_dir;
};

// A folder for the project files of one test.
class FileFolder {
public:
    FileFolder();
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

// Lines joined with CR LF, the last one included.
QByteArray crlfLines(std::initializer_list<const char*> lines);

// A project with every input set away from its default and three periods.
void fillProject(TCProyect& project);

} // namespace docfixtures
