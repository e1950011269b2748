#include "charts/fonts.h"
#include "core/c_numbers.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Drawing text needs a GUI application but no display; the fonts are mapped as in the program.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    numfmt::keepCNumbersInTheCLibrary();
    ui::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
