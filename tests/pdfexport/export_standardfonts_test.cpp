// Runs with fontconfig pointed at an empty font folder: the report's texts
// fall back to the standard PDF fonts.
#include "exporthelpers.h"
#include "poppler.h"
#include "samplereport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PdfExportWithoutFonts, UsesHelveticaHelveticaBoldAndTimesItalic)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("informe.pdf"));
    exporthelpers::exportTo(sample::twoPageReport(), file);

    QStringList names;
    for (const poppler::Font& font : poppler::fonts(file)) {
        EXPECT_EQ(font.type, QStringLiteral("Type 1"));
        EXPECT_FALSE(font.embedded);
        names << font.name;
    }
    names.removeDuplicates();
    names.sort();
    EXPECT_EQ(names,
        QStringList({ QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), QStringLiteral("Times-Italic") }));

    const QString first = poppler::pageText(file, 1);
    for (const char* text : { "Precio (€):", "Talleres Muñoz e Hijos, S.A.", "José Ángel Peña", "Equipo seleccionado",
             "SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST" }) {
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    }
    const QString second = poppler::pageText(file, 2);
    for (const char* text : { "Datos de facturación", "Año", "aislamiento 0.6 / 1 Kv", "halógenos" }) {
        EXPECT_TRUE(second.contains(QString::fromUtf8(text))) << text;
    }
}
