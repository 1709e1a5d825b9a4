#include "reportpictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures live in this static library's resources, which the linker
// keeps only when something refers to them.
static void initReportPictures()
{
    Q_INIT_RESOURCE(reportpictures);
}

namespace {

// Transparent where the drawing leaves the picture empty.
QImage renderSvg(const QString& resource, const QSize& size)
{
    static const bool initialised = (initReportPictures(), true);
    Q_UNUSED(initialised);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace

namespace ReportPictures {

QImage makerEmblem()
{
    return renderSvg(QStringLiteral(":/report/pictures/emblem.svg"), EmblemSize);
}

QImage makerLogo()
{
    return renderSvg(QStringLiteral(":/report/pictures/logo.svg"), LogoSize);
}

QImage markYes(const QSize& size)
{
    return renderSvg(QStringLiteral(":/report/pictures/mark_yes.svg"), size);
}

QImage markNo(const QSize& size)
{
    return renderSvg(QStringLiteral(":/report/pictures/mark_no.svg"), size);
}

} // namespace ReportPictures
