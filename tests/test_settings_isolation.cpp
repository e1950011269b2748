// Tests never write into the user's settings: the shared main puts every test program's
// settings, data and caches under Qt's test locations.
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

// The settings the desk opens (QSettings() under its names) and the data folder.
TEST(TestPrograms, KeepTheirSettingsOutOfTheUsersOwn)
{
#ifdef Q_OS_WIN
    const QLatin1String testFolder("/qttest/");
#else
    const QLatin1String testFolder("/.qttest/");
#endif
    const QSettings settings(QSettings::defaultFormat(), QSettings::UserScope,
                             QStringLiteral("OCAI"), QStringLiteral("ocai-desk"));
    EXPECT_TRUE(settings.fileName().contains(testFolder)) << settings.fileName().toStdString();
    EXPECT_TRUE(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).contains(testFolder));
}
