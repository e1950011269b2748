#include "charts/fonts.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
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
    // Settings, data and caches go to the test locations, never into the user's own; before
    // the application, which may read settings already.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Test mode moves no Windows settings (the registry, where a QSettings without an
    // organisation name cannot even write): an INI file in the temporary folder instead.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QDir::temp().filePath(QStringLiteral("ocai-test-settings")));
#endif
    ui::installFontSubstitutions(); // as the program does, so that pictures match it
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
