#include "application.h"

#include <QApplication>
#include <QMainWindow>

int runApplication(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tenvik versión 7"));
    window.resize(994, 757);
    window.show();
    return app.exec();
}
