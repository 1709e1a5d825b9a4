#include "qtdialogservice.h"

#include "translation.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconFor(IDialogService::MessageKind kind)
{
    switch (kind) {
    case IDialogService::MessageKind::Information:
        return QMessageBox::Information;
    case IDialogService::MessageKind::Warning:
        return QMessageBox::Warning;
    case IDialogService::MessageKind::Error:
        return QMessageBox::Critical;
    case IDialogService::MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// Qt's own button texts would show in English whatever the interface
// language; the program's texts follow the table in force.
void labelButtons(QMessageBox& box)
{
    const bool english = Translation::englishInForce();
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(TranslateText(QStringLiteral("Aceptar")));
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(english ? QStringLiteral("Yes") : QStringLiteral("Sí"));
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("No"));
}

} // namespace

QWidget* QtDialogService::owner() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

void QtDialogService::showMessage(MessageKind kind, const QString& text)
{
    QMessageBox box(iconFor(kind), QStringLiteral("Tenvik"), text, QMessageBox::Ok, owner());
    box.setDefaultButton(QMessageBox::Ok);
    labelButtons(box);
    box.exec();
}

bool QtDialogService::askYesNo(const QString& text)
{
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("Tenvik"), text, QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    labelButtons(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogService::inputQuery(const QString& caption, const QString& prompt, const QString& value)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setOkButtonText(TranslateText(QStringLiteral("Aceptar")));
    dialog.setCancelButtonText(TranslateText(QStringLiteral("Cancelar")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogService::getOpenFileName(const QString& filter)
{
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(toNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogService::getSaveFileName(
    const QString& fileName, const QString& filter, const QString& defaultSuffix, bool overwritePrompt)
{
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(toNameFilters(filter));
    QString suffix = defaultSuffix;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withDefaultSuffix(dialog.selectedFiles().constFirst(), defaultSuffix);
}

QStringList QtDialogService::toNameFilters(const QString& filter)
{
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        if (i + 1 >= parts.size()) {
            if (!description.isEmpty())
                filters << description + QStringLiteral(" (*)");
            break;
        }
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        // Qt reads the patterns from the last parenthesis of the entry, so
        // the description's own "(*.tvk;*.fac)" would be taken literally:
        // drop it and append Qt's space-separated form instead.
        QString shown = description;
        const qsizetype open = shown.lastIndexOf(QLatin1Char('('));
        if (open > 0 && shown.endsWith(QLatin1Char(')')))
            shown = shown.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(shown, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QString QtDialogService::withDefaultSuffix(const QString& fileName, const QString& defaultSuffix)
{
    if (fileName.isEmpty() || defaultSuffix.isEmpty() || QFileInfo(fileName).fileName().contains(QLatin1Char('.')))
        return fileName;
    QString suffix = defaultSuffix;
    if (!suffix.startsWith(QLatin1Char('.')))
        suffix.prepend(QLatin1Char('.'));
    return fileName + suffix;
}
