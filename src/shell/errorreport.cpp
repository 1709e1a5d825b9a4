#include "errorreport.h"

#include "catalogue.h"
#include "dialogservice.h"
#include "exceptions.h"

QString standardErrorText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString failureMessage(const std::exception& failure)
{
    if (const auto* io = dynamic_cast<const EInOutError*>(&failure))
        return io->message();
    if (const auto* catalogue = dynamic_cast<const ECatalogueError*>(&failure))
        return catalogue->message();
    return QString::fromUtf8(failure.what());
}

void showStandardError(IDialogService& dialogs, const std::exception& failure)
{
    showStandardError(dialogs, failureMessage(failure));
}

void showStandardError(IDialogService& dialogs, const QString& message)
{
    dialogs.showMessage(IDialogService::MessageKind::Error, standardErrorText(message));
}
