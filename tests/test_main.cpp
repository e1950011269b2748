#include "charts/fonts.h"
#include "core/c_numbers.h"
#include "test_isolation.h"
#include "widgets/gui_start.h"

#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for every test executable; offscreen unless the caller chose otherwise,
// because gtest_discover_tests runs the binaries at build time without ctest's environment.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // One locale for every run, whatever the shell has: the tree's (a Russian desktop's in the
    // normal tree); tests that format numbers still set the QLocale they check.
    qputenv("LC_ALL", OCAI_TEST_LOCALE);
    isolateUserFiles();
    int code = 0;
    {
        QApplication app(argc, argv);
        numfmt::keepCNumbersInTheCLibrary(); // as every program does
        ui::installFontSubstitutions();      // as the program does, so that pictures match it
        ::testing::InitGoogleTest(&argc, argv);
        code = RUN_ALL_TESTS();
    }
    ui::endProgram(code); // as the windowed programs end
}
