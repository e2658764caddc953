// The main of every benchmark: the widgets need an application, on the offscreen platform
// unless the environment asks for another one (to watch a benchmark run on a real display).

#include <QApplication>
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Qt takes the number locale from the environment; the program reads and writes numbers
    // with the decimal point, so its benchmarks do too.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
