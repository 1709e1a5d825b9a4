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
    QLabel* picture = new QLabel(&window);

    Window()
    {
        window.setWindowTitle(QStringLiteral("Opciones"));
        tabs->addTab(new QWidget, QStringLiteral("Resultados"));
        tabs->addTab(new QWidget, QStringLiteral("Idioma"));
        combo->addItems({ QStringLiteral("Mensual"), QStringLiteral("Español") });
        table->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Año")));
        table->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("kWh totales")));
        actionButton->setDefaultAction(action);
        QPixmap pixels(8, 8);
        pixels.fill(Qt::red);
        picture->setPixmap(pixels);
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
    // A label without text keeps its picture.
    EXPECT_FALSE(w.picture->pixmap().isNull());
}
