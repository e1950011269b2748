// Tests never write into the user's settings: the shared main puts every test program's
// settings, data and caches under Qt's test locations.
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(TestPrograms, KeepTheirSettingsOutOfTheUsersOwn)
{
    const QSettings settings(QStringLiteral("OCAI"), QStringLiteral("ocai-desk"));
    EXPECT_TRUE(settings.fileName().contains(QLatin1String("/.qttest/")))
        << settings.fileName().toStdString();
    EXPECT_TRUE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                    .contains(QLatin1String("/.qttest/")));
}
