// The windowed programs started without a display: an answer or one clear line, never an abort.
#include "cli_runner.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(ProgramStart, WithoutDisplay)
{
    const QStringList noDisplay{QStringLiteral("QT_QPA_PLATFORM"),
                                QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("DISPLAY=:999")};
    const QStringList noSession{QStringLiteral("QT_QPA_PLATFORM"),
                                QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("DISPLAY")};
    for (const QString &program :
         {QStringLiteral(OCAI_SURVEY_PATH), QStringLiteral(OCAI_PLOT_PATH)}) {
        const QString name = QFileInfo(program).baseName();
#ifdef Q_OS_UNIX // a Windows session always has its screen
        for (const QStringList &environment : {noDisplay, noSession}) {
            const auto run =
                testcli::runProgram(program, {}, {}, QStringLiteral("C.UTF-8"), {}, environment);
            EXPECT_EQ(run.exitCode, 1) << name.toStdString();
            EXPECT_EQ(QString::fromUtf8(run.err),
                      name + QStringLiteral(": не удалось открыть экран; программе нужен "
                                            "графический сеанс (X11 или Wayland).\n"));
        }
#endif
        const auto version = testcli::runProgram(program, {QStringLiteral("--version")}, {},
                                                 QStringLiteral("C.UTF-8"), {}, noDisplay);
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(QString::fromUtf8(version.out), name + QStringLiteral(" " OCAI_VERSION "\n"));
        const auto help = testcli::runProgram(program, {QStringLiteral("--help")}, {},
                                              QStringLiteral("C.UTF-8"), {}, noDisplay);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith("Использование: " + name.toUtf8())) << help.out.data();
    }
}

} // namespace
