#pragma once

#include <QByteArray>
#include <QString>

class TCProyect;

// The current project file (".tvk"): indented JSON in UTF-8 with a
// byte-order mark and CR LF line ends, holding every input of a project and
// none of its results.
//
// Reading sets only what the file holds and appends its billing periods, so
// the project is expected to be reset. Any failure raises EInOutError with
// the format message; the caller reads into a project of its own and keeps
// it only on success.
class TFileParse {
public:
    // Files larger than this are refused unread, and never written.
    static constexpr qint64 MaximumFileSize = 4 * 1024 * 1024;

    // `version`, when given, receives the text of the file's "Version" key
    // (it is left alone when the file has none).
    explicit TFileParse(TCProyect* CProyect, QString* version = nullptr);

    void open(const QString& FileName);
    // Replaces the file as a whole or not at all: whatever fails, the old
    // file stays as it was and no temporary file is left. Only where the
    // folder takes no new files is the file written in place, and then a
    // failure can leave it cut. Raises EInOutError with the save message when
    // the file cannot be written, when it would be larger than
    // MaximumFileSize, or when the project holds a power factor the format
    // cannot carry (not finite, or beyond the fixed-point range the reader
    // takes).
    void save(const QString& FileName);

    // The whole file in memory: byte-order mark, JSON text, CR LF.
    QByteArray fileContents() const;
    // Reads a whole file's bytes, as open does after reading the file.
    void readContents(const QByteArray& contents);

private:
    QByteArray BuildJson() const;
    void ParseJson(const char* begin, const char* end);

    TCProyect* FCProyect; // not owned
    QString* m_version; // not owned
};
