#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>

static void initShellResources()
{
    // The pictures live in a static library: register them explicitly.
    Q_INIT_RESOURCE(shell);
}

namespace {

constexpr std::array<const char*, ImageList::Count> ImageNames { "new", "open", "save", "print", "config", "help",
    "exit", "searchBat", "entryData", "add", "edit", "delete", "view", "mark_yes", "mark_no" };

QString picturePath(const QString& name)
{
    static const bool registered = [] {
        initShellResources();
        return true;
    }();
    Q_UNUSED(registered);
    return QStringLiteral(":/shell/pictures/%1.svg").arg(name);
}

QPixmap render(const QString& name, QSize size)
{
    QSvgRenderer renderer(picturePath(name));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

namespace ImageList {

QString name(int index)
{
    if (index < 0 || index >= Count)
        return {};
    return QString::fromLatin1(ImageNames[static_cast<std::size_t>(index)]);
}

QIcon icon(int index)
{
    if (index < 0 || index >= Count)
        return {};
    return QIcon(picturePath(name(index)));
}

QPixmap pixmap(int index, int size)
{
    if (index < 0 || index >= Count)
        return {};
    return render(name(index), QSize(size, size));
}

} // namespace ImageList

namespace Pictures {

QPixmap logo()
{
    return render(QStringLiteral("logo"), QSize(260, 90));
}

QPixmap splash(bool english)
{
    return render(english ? QStringLiteral("splash_en") : QStringLiteral("splash_es"), QSize(528, 350));
}

QIcon flag(bool english)
{
    return QIcon(picturePath(english ? QStringLiteral("flag_en") : QStringLiteral("flag_es")));
}

} // namespace Pictures
