// The main of the benchmarks that need Qt running: a QApplication, offscreen
// unless a platform is asked for, so that pictures, charts and windows work
// without a display. The offscreen screen is the tests' 1920 x 1080 desktop,
// so that the main window is measured at its own size, not fitted to a
// smaller screen.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TENVIK_OFFSCREEN_DESKTOP);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
