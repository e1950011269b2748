// Start-up to a shown window: the main window and the about box created, the window shown
// and its first paint done, as the program entry does after QApplication exists.
#include "About.h"
#include "PlotOCAI.h"
#include "shell/desktop_shell.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

static void BM_StartupToShownWindow(benchmark::State &state)
{
    const auto desktop = shell::createPlatformShell();
    for (auto _ : state) {
        TForm1 form(*desktop);
        TAboutBox about(&form);
        form.setAboutBox(&about);
        form.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&form));
        QApplication::processEvents();
        state.PauseTiming();
        form.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);
