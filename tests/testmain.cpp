// One main for every test executable: a QApplication (offscreen in tests)
// so that widget, picture and chart tests can run, and a fixed default
// locale so that no test depends on the machine's settings.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
