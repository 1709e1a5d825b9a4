#include "poppler.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <stdexcept>

namespace poppler {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error((program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QLatin1String(": ")
            + QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QMap<QString, QString> info(const QString& pdfPath)
{
    QMap<QString, QString> entries;
    const QString output = run(QStringLiteral("pdfinfo"), { QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath });
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            entries.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return entries;
}

std::vector<Font> fonts(const QString& pdfPath)
{
    // name, type (may hold blanks), encoding, emb, sub, uni, object, generation
    static const QRegularExpression row(
        QStringLiteral("^(\\S+)\\s+(.+?)\\s+(\\S+)\\s+(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"));
    std::vector<Font> result;
    const QStringList lines = run(QStringLiteral("pdffonts"), { pdfPath }).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = row.match(lines[i].trimmed());
        if (match.hasMatch())
            result.push_back({ match.captured(1), match.captured(2), match.captured(4) == QLatin1String("yes") });
    }
    return result;
}

QString text(const QString& pdfPath, bool layout)
{
    QStringList arguments { QStringLiteral("-enc"), QStringLiteral("UTF-8") };
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << pdfPath << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), arguments);
}

QString pageText(const QString& pdfPath, int page)
{
    return run(QStringLiteral("pdftotext"),
        { QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"), QString::number(page),
            QStringLiteral("-l"), QString::number(page), pdfPath, QStringLiteral("-") });
}

std::vector<Word> words(const QString& pdfPath)
{
    const QString xhtml = run(QStringLiteral("pdftotext"),
        { QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-bbox"), pdfPath, QStringLiteral("-") });
    std::vector<Word> result;
    QXmlStreamReader reader(xhtml);
    int page = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("page")) {
            ++page;
        } else if (reader.name() == QLatin1String("word")) {
            const QXmlStreamAttributes a = reader.attributes();
            Word word;
            word.page = page;
            word.xMin = a.value(QLatin1String("xMin")).toDouble();
            word.yMin = a.value(QLatin1String("yMin")).toDouble();
            word.xMax = a.value(QLatin1String("xMax")).toDouble();
            word.yMax = a.value(QLatin1String("yMax")).toDouble();
            word.text = reader.readElementText();
            result.push_back(word);
        }
    }
    if (reader.hasError())
        throw std::runtime_error("pdftotext -bbox: " + reader.errorString().toStdString());
    return result;
}

Word findWord(const std::vector<Word>& words, const QString& text, int page)
{
    for (const Word& word : words) {
        if (word.text == text && (page == 0 || word.page == page))
            return word;
    }
    throw std::runtime_error("no word \"" + text.toStdString() + "\" in the PDF");
}

void renderPage(const QString& pdfPath, int page, int dpi, const QString& pngPath)
{
    QString base = pngPath;
    if (base.endsWith(QLatin1String(".png")))
        base.chop(4);
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QString::number(dpi),
            QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdfPath, base });
}

} // namespace poppler
