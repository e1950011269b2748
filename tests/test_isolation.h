#pragma once

#include <QSettings>
#include <QStandardPaths>

// Settings, data and caches of a test program go to Qt's test locations, never into the user's
// own; called first in main, before the application, which may read settings already.
inline void isolateUserFiles()
{
    QStandardPaths::setTestModeEnabled(true);
#ifdef Q_OS_WIN
    // Test mode moves no Windows settings (the registry, where a QSettings without an
    // organisation name cannot even write): an INI file in the test location instead.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
#endif
}
