#include "languagesettings.h"

#include <QSettings>

#include <cstdint>
#include <limits>

namespace LanguageSettings {

namespace {

const QString AutoKey = QStringLiteral("language/auto");
const QString CodeKey = QStringLiteral("language/code");

bool isText(const QVariant& value)
{
    return value.metaType().id() == QMetaType::QString;
}

} // namespace

int readNumber(const QSettings& settings, const QString& key, int fallback)
{
    const QVariant value = settings.value(key);
    bool ok = false;
    switch (value.metaType().id()) {
    case QMetaType::QString: {
        const int number = value.toString().toInt(&ok, 10);
        return ok ? number : fallback;
    }
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < std::numeric_limits<std::int32_t>::min()
            || number > std::numeric_limits<std::int32_t>::max())
            return fallback;
        return static_cast<int>(number);
    }
    default:
        return fallback;
    }
}

Choice read(const QSettings& settings)
{
    Choice choice;
    choice.langOS = readNumber(settings, AutoKey, 1) != 0;
    const auto code = static_cast<std::uint8_t>(readNumber(settings, CodeKey, 0) & 0xFF);
    choice.language = static_cast<TAppLanguage>(code);
    return choice;
}

void write(QSettings& settings, const Choice& choice)
{
    settings.setValue(AutoKey, choice.langOS ? QStringLiteral("1") : QStringLiteral("0"));
    const int code = static_cast<int>(choice.language);
    if (isText(settings.value(CodeKey)))
        settings.setValue(CodeKey, QString::number(code));
    else
        settings.setValue(CodeKey, code);
    settings.sync();
}

} // namespace LanguageSettings
