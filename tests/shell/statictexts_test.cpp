#include "statictexts.h"

#include "translation.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct EnglishInForce {
    explicit EnglishInForce(bool english) { Translation::setEnglishInForce(english); }
    ~EnglishInForce() { Translation::setEnglishInForce(false); }
};

// A small window with one widget of every kind the walk handles.
struct Window {
    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("Empresa"), &window);
    QPushButton* button = new QPushButton(QStringLiteral("Aceptar"), &window);
    QCheckBox* check = new QCheckBox(QStringLiteral("Igual que el sistema operativo"), &window);
    QGroupBox* group = new QGroupBox(QStringLiteral("Tipo de lectura"), &window);
    QTabWidget* tabs = new QTabWidget(&window);
    QComboBox* combo = new QComboBox(&window);
    QTableWidget* table = new QTableWidget(0, 2, &window);
    QLineEdit* edit = new QLineEdit(QStringLiteral("Nuevo"), &window);
    QAction* action = new QAction(QStringLiteral("Nuevo"), &window);
    QToolButton* actionButton = new QToolButton(&window);

    Window()
    {
        window.setWindowTitle(QStringLiteral("Opciones"));
        tabs->addTab(new QWidget, QStringLiteral("Resultados"));
        tabs->addTab(new QWidget, QStringLiteral("Idioma"));
        combo->addItems({ QStringLiteral("Mensual"), QStringLiteral("Español") });
        table->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Año")));
        table->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("kWh totales")));
        actionButton->setDefaultAction(action);
    }
};

} // namespace

TEST(StaticTextsTest, everyTextBearingWidgetShowsItsEnglishText)
{
    EnglishInForce english(true);
    Window w;
    translateStaticTexts(&w.window);
    EXPECT_EQ(w.label->text(), "Company");
    EXPECT_EQ(w.button->text(), "Ok");
    EXPECT_EQ(w.check->text(), "Same as the operating system");
    EXPECT_EQ(w.group->title(), "Type of reading");
    EXPECT_EQ(w.tabs->tabText(0), "Results");
    EXPECT_EQ(w.tabs->tabText(1), "Idioma"); // no row
    EXPECT_EQ(w.combo->itemText(0), "Monthly");
    EXPECT_EQ(w.combo->itemText(1), "Español");
    EXPECT_EQ(w.table->horizontalHeaderItem(0)->text(), "Year");
    EXPECT_EQ(w.table->horizontalHeaderItem(1)->text(), "Totals kWh");
    EXPECT_EQ(w.action->text(), "New");
    EXPECT_EQ(w.actionButton->text(), "New");
    // Edits and captions are not static texts.
    EXPECT_EQ(w.edit->text(), "Nuevo");
    EXPECT_EQ(w.window.windowTitle(), "Opciones");
}

TEST(StaticTextsTest, walkingAgainFollowsTheTableInForceFromTheDesignTexts)
{
    EnglishInForce english(true);
    Window w;
    translateStaticTexts(&w.window);
    translateStaticTexts(&w.window); // twice is the same as once
    EXPECT_EQ(w.label->text(), "Company");
    EXPECT_EQ(w.combo->itemText(0), "Monthly");

    Translation::setEnglishInForce(false);
    translateStaticTexts(&w.window);
    EXPECT_EQ(w.label->text(), "Empresa");
    EXPECT_EQ(w.button->text(), "Aceptar");
    EXPECT_EQ(w.group->title(), "Tipo de lectura");
    EXPECT_EQ(w.tabs->tabText(0), "Resultados");
    EXPECT_EQ(w.combo->itemText(0), "Mensual");
    EXPECT_EQ(w.table->horizontalHeaderItem(0)->text(), "Año");
    EXPECT_EQ(w.action->text(), "Nuevo");
}

TEST(StaticTextsTest, textsSetLaterKeepTheirOwnDesignTexts)
{
    EnglishInForce english(true);
    Window w;
    auto* picture = new QLabel(&w.window);
    QPixmap pixels(8, 8);
    pixels.fill(Qt::red);
    picture->setPixmap(pixels);
    translateStaticTexts(&w.window);

    // A static text the program changes gives its new design text.
    setStaticText(w.label, QStringLiteral("Potencia (kW)"));
    setStaticText(w.action, QStringLiteral("Abrir"));
    setStaticText(w.group, QStringLiteral("Frecuencia"));
    EXPECT_EQ(w.label->text(), "Power (kW)");
    EXPECT_EQ(w.actionButton->text(), "Open");
    EXPECT_EQ(w.group->title(), "Frequency");
    // A text set directly (a name from the data) is taken as it stands.
    w.button->setText(QStringLiteral("Serie Brunia"));
    w.combo->addItem(QStringLiteral("Bimestral"));

    Translation::setEnglishInForce(false);
    translateStaticTexts(&w.window);
    EXPECT_EQ(w.label->text(), "Potencia (kW)");
    EXPECT_EQ(w.action->text(), "Abrir");
    EXPECT_EQ(w.group->title(), "Frecuencia");
    EXPECT_EQ(w.button->text(), "Serie Brunia");
    EXPECT_EQ(w.combo->itemText(0), "Mensual");
    EXPECT_EQ(w.combo->itemText(2), "Bimestral");
    EXPECT_EQ(w.check->text(), "Igual que el sistema operativo");
    // A label without text keeps its picture.
    EXPECT_FALSE(picture->pixmap().isNull());

    Translation::setEnglishInForce(true);
    translateStaticTexts(&w.window);
    EXPECT_EQ(w.label->text(), "Power (kW)");
    EXPECT_EQ(w.combo->itemText(2), "Bimonthly");
    EXPECT_EQ(w.button->text(), "Serie Brunia");
}
