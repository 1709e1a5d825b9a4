#include "samplereport.h"

#include <QPainter>

namespace sample {

namespace {

using report::ObjectKind;
using report::PreparedObject;

constexpr double Mm = report::PixelsPerMm;
constexpr double Margin = 10 * Mm;

// Places views in a band whose top lies `bandTop` mm below the margin;
// positions in millimetres from the band's left edge and top.
class Band {
public:
    Band(double bandTopMm, double heightMm)
    {
        m_band.kind = ObjectKind::Band;
        m_band.absLeft = Margin;
        m_band.absTop = Margin + bandTopMm * Mm;
        m_band.width = 190 * Mm;
        m_band.height = heightMm * Mm;
        m_band.pageHeight = SheetHeight;
    }

    PreparedObject& add(ObjectKind kind, double x, double y, double w, double h)
    {
        PreparedObject object;
        object.kind = kind;
        object.absLeft = m_band.absLeft + x * Mm;
        object.absTop = m_band.absTop + y * Mm;
        object.width = w * Mm;
        object.height = h * Mm;
        object.pageHeight = SheetHeight;
        m_band.children.push_back(object);
        return m_band.children.back();
    }

    PreparedObject& text(double x, double y, double w, double h, const QString& text, float size = 10)
    {
        PreparedObject& object = add(ObjectKind::Memo, x, y, w, h);
        object.text = text;
        object.fontSize = size;
        return object;
    }

    PreparedObject take() { return std::move(m_band); }

private:
    PreparedObject m_band;
};

QImage emblem()
{
    QImage image(142, 142, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 90, 160));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(6, 6, 130, 130);
    painter.setBrush(QColor(250, 190, 0));
    painter.drawRect(50, 30, 42, 82);
    return image;
}

QImage equipment()
{
    QImage image(300, 400, QImage::Format_RGB32);
    image.fill(QColor(230, 230, 235));
    QPainter painter(&image);
    painter.setBrush(QColor(120, 125, 135));
    painter.drawRect(40, 30, 220, 340);
    painter.setBrush(QColor(20, 160, 60));
    painter.drawEllipse(130, 60, 40, 40);
    return image;
}

PreparedObject background()
{
    PreparedObject object;
    object.kind = ObjectKind::Picture;
    object.hasPage = false;
    object.width = SheetWidth;
    object.height = SheetHeight;
    return object;
}

PreparedObject pageHeader()
{
    Band band(0, 25);
    band.add(ObjectKind::Picture, 0, 0, 22, 25).picture = emblem();
    band.text(25, 0, 25, 8, QStringLiteral("TENVIK"), 16).bold = true;
    band.text(50, 2.74, 25, 5, QStringLiteral("versión 7"), 8);
    band.text(25, 8, 150, 5,
            QStringLiteral("SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST"), 8)
        .bold
        = true;
    band.text(25, 13, 150, 5, QStringLiteral("Orvel Energía, S.L."), 8);
    band.text(25, 18, 32, 5, QStringLiteral("Tel. 900 000 000"), 8);
    band.text(165, 18, 25, 5, QStringLiteral("11/12/2026"), 8).hAlign = report::HAlign::Right;
    band.add(ObjectKind::Line, 0, 25, 190, 0);
    return band.take();
}

PreparedObject pageFooter(double bandTopMm, const QString& page)
{
    Band band(bandTopMm, 14);
    band.add(ObjectKind::Line, 0, 0, 190, 0);
    PreparedObject& number = band.text(169, 9, 21, 5, page);
    number.hAlign = report::HAlign::Right;
    return band.take();
}

report::PreparedPage firstSheet()
{
    report::PreparedPage sheet;
    sheet.width = SheetWidth;
    sheet.height = SheetHeight;
    sheet.objects.push_back(background());
    sheet.objects.push_back(pageHeader());

    Band customer(25, 185);
    const struct {
        double y;
        const char* label;
        const char* value;
    } rows[] = {
        { 5, "Empresa:", "Talleres Muñoz e Hijos, S.A." },
        { 10, "Nombre del cliente:", "José Ángel Peña" },
        { 15, "Dirección de la empresa:", "Avda. de la Industria, 14" },
        { 20, "Localidad/Población:", "Alcalá de Henares" },
        { 25, "Provincia:", "Madrid" },
    };
    for (const auto& row : rows) {
        customer.text(0, row.y, 45, 5, QString::fromUtf8(row.label));
        customer.text(45, row.y, 85, 5, QString::fromUtf8(row.value));
    }
    customer.add(ObjectKind::Shape, 0, 35, 190, 10).color = report::ColorSilver;
    customer.add(ObjectKind::Line, 0, 35, 190, 0);
    PreparedObject& heading = customer.text(0, 35, 190, 10, QStringLiteral("Equipo seleccionado"));
    heading.bold = true;
    heading.hAlign = report::HAlign::Center;
    heading.vAlign = report::VAlign::Center;
    customer.text(0, 50, 71, 10, QStringLiteral("FERIMUNT FR-150"), 16);
    customer.add(ObjectKind::Picture, 0, 60, 71, 65).picture = equipment();
    customer.text(75, 50, 115, 127,
        QStringLiteral("Batería automática de condensadores con filtros de rechazo sintonizados a "
                       "189 Hz, para redes con contenido en armónicos. Regulador de energía reactiva "
                       "de 12 escalones con pantalla y alarma de temperatura.\nArmario metálico IP31."));
    const struct {
        double y;
        const char* label;
        const char* value;
    } values[] = {
        { 130, "Código:", "FR150-400" },
        { 136, "Potencia (kVAr):", "150,00" },
        { 142, "Tensión (Voltios):", "400" },
        { 166, "Cantidad:", "1" },
        { 172, "Precio (€):", "1234,56" },
    };
    for (const auto& row : values) {
        customer.text(0, row.y, 30, 5, QString::fromUtf8(row.label));
        customer.text(31, row.y, 40, 5, QString::fromUtf8(row.value)).hAlign = report::HAlign::Right;
    }
    sheet.objects.push_back(customer.take());

    Band cable(211, 49);
    PreparedObject& conductor = cable.text(0, 6, 90, 5, QStringLiteral("Conductor"));
    conductor.bold = true;
    conductor.frame.bottom = true;
    PreparedObject& transformer = cable.text(100, 6, 90, 5, QStringLiteral("Transformador de intensidad"));
    transformer.bold = true;
    transformer.frame.bottom = true;
    cable.text(0, 14, 35, 5, QStringLiteral("Sección (mm2):"));
    cable.text(35, 14, 55, 5, QStringLiteral("70,00"));
    cable.text(100, 14, 35, 5, QStringLiteral("I1/I2:"));
    cable.text(135, 14, 55, 5, QStringLiteral("300/5"));
    sheet.objects.push_back(cable.take());
    sheet.objects.push_back(pageFooter(263, QStringLiteral("1")));
    return sheet;
}

report::PreparedPage secondSheet()
{
    report::PreparedPage sheet;
    sheet.width = SheetWidth;
    sheet.height = SheetHeight;
    sheet.objects.push_back(background());
    sheet.objects.push_back(pageHeader());

    Band heading(25, 25);
    heading.add(ObjectKind::Shape, 0, 5, 190, 10).color = report::ColorSilver;
    PreparedObject& title = heading.text(0, 5, 190, 10, QStringLiteral("Datos de facturación"));
    title.bold = true;
    title.hAlign = report::HAlign::Center;
    title.vAlign = report::VAlign::Center;
    const double columns[][2] = { { 0, 31 }, { 31, 22 }, { 53, 32 }, { 85, 33 }, { 118, 34 }, { 152, 38 } };
    const char* headings[] = { "Mes/Bimestre", "Año", "kWh totales", "Máxima demanda (kW)", "Factor de potencia",
        "Recargo por reactiva (€)" };
    for (int i = 0; i < 6; ++i) {
        PreparedObject& cell = heading.text(columns[i][0], 15, columns[i][1], 10, QString::fromUtf8(headings[i]));
        cell.frame = { true, true, true, true };
        cell.hAlign = report::HAlign::Center;
    }
    sheet.objects.push_back(heading.take());

    const char* months[] = { "Enero", "Febrero", "Marzo" };
    for (int row = 0; row < 3; ++row) {
        Band data(50 + row * 5, 5);
        const QString cells[] = { QString::fromUtf8(months[row]), QStringLiteral("2026"),
            QString::number(41000 + row * 1250), QString::number(120 + row * 3), QStringLiteral("0.8%1").arg(row + 2),
            QStringLiteral("%1.40").arg(310 - row * 17) };
        for (int i = 0; i < 6; ++i) {
            PreparedObject& cell = data.text(columns[i][0], 0, columns[i][1], 5, cells[i]);
            cell.frame = { true, true, true, true };
            if (i >= 2)
                cell.hAlign = report::HAlign::Right;
        }
        sheet.objects.push_back(data.take());
    }

    Band notes(233, 44);
    notes
        .text(0, 0, 190, 5,
            QStringLiteral("Se recomienda a los instaladores realizar un análisis de red antes de instalar el "
                           "equipo."))
        .italic
        = true;
    notes
        .text(0, 6, 190, 10,
            QStringLiteral("Siempre deberá utilizarse conductores con aislamiento 0.6 / 1 Kv no propagador de "
                           "incendio y con emisión de humos y opacidad reducida (libre de halógenos)."))
        .italic
        = true;
    notes.add(ObjectKind::Line, 0, 30, 190, 0);
    PreparedObject& number = notes.text(169, 39, 21, 5, QStringLiteral("2"));
    number.hAlign = report::HAlign::Right;
    sheet.objects.push_back(notes.take());
    return sheet;
}

} // namespace

report::PreparedReport twoPageReport()
{
    report::PreparedReport prepared;
    prepared.pages.push_back(firstSheet());
    prepared.pages.push_back(secondSheet());
    return prepared;
}

} // namespace sample
