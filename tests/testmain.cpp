// One main for every test executable: a QApplication (offscreen in tests)
// so that widget, picture and chart tests can run. The application object
// takes the C library's locale and Qt's default one from the environment, as
// on a desktop; the suite gives every test the locale it runs under, and a
// locale the machine does not have stops the run rather than running as C.
#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const char* wanted = std::getenv("LC_ALL");
    if (wanted && *wanted && !std::setlocale(LC_ALL, "")) {
        std::fprintf(stderr, "The C library has no locale %s on this machine (scripts/test.sh makes it).\n", wanted);
        return 1;
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
