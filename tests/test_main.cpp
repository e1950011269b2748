#include "charts/fonts.h"
#include "test_isolation.h"

#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for every test executable; offscreen unless the caller chose otherwise,
// because gtest_discover_tests runs the binaries at build time without ctest's environment.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // One locale for every run, whatever the shell has; tests that format numbers still
    // set the QLocale they check.
    qputenv("LC_ALL", "C.UTF-8");
    isolateUserFiles();
    QApplication app(argc, argv);
    ui::installFontSubstitutions(); // as the program does, so that pictures match it
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
