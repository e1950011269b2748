// ocai-cli plot a, run as a separate process: the PNG it writes is the window's drawing.
#include "cli_runner.h"
#include "core/number_format.h"
#include "non_regular_files.h"
#include "plots/colour_for_index.h"
#include "plots/plot_a.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testcli::CliRun;

// `ocai-cli plot` with `args`.
CliRun runPlot(const QStringList &args, const QString &locale = QStringLiteral("C.UTF-8"))
{
    return testcli::runCli(QStringList{QStringLiteral("plot")} + args, {}, locale);
}

QImage expectedPlot(const std::array<double, 8> &values, int current, int preferred,
                    QChar separator)
{
    plots::PlotAFields fields;
    for (int i = 0; i < 4; ++i) {
        fields.current[i] = numfmt::formatFixed(values[i], 5, 2, separator);
        fields.preferred[i] = numfmt::formatFixed(values[4 + i], 5, 2, separator);
    }
    survey::ProfileScores scores{};
    return plots::renderPlotA(QSize(686, 672), fields, plots::ColorForIndex(current),
                              plots::ColorForIndex(preferred), separator, scores);
}

TEST(CliPlot, WritesTheWindowsDrawing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::array<double, 8> values = {35.5, 20, 25.25, 19.25, 3.375, 50, 100, 8};
    const QString scores = QStringLiteral("35.5,20,25.25,19.25; 3.375,50,100,8");

    // Drawn off screen even where a display is named but cannot be reached.
    const QString plain = dir.filePath(QStringLiteral("plain.png"));
    CliRun run = testcli::runCli({"plot", "a", "--scores", scores, "--out", plain}, {},
                                 QStringLiteral("C.UTF-8"), {},
                                 {"QT_QPA_PLATFORM=xcb", "DISPLAY=:99", "WAYLAND_DISPLAY=nowhere"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(plain).convertToFormat(QImage::Format_RGB32),
              expectedPlot(values, 1, 3, testcli::cliSeparator(u'.')));

    // A decimal-comma locale writes the fields, and so the score lines, with ",".
    const QString comma = dir.filePath(QStringLiteral("comma.png"));
    run = runPlot({QStringLiteral("a"), QStringLiteral("--scores=") + scores,
                   QStringLiteral("--current-colour"), QStringLiteral("0"),
                   QStringLiteral("--preferred-colour"), QStringLiteral("4"),
                   QStringLiteral("--out"), comma},
                  QStringLiteral("ru_RU.UTF-8"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(comma).convertToFormat(QImage::Format_RGB32),
              expectedPlot(values, 0, 4, testcli::cliSeparator(u',')));
}

TEST(CliPlot, ExitCodes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("x.png"));
    const QString good = QStringLiteral("1,2,3,4;5,6,7,8");
    const QString scoresOpt = QStringLiteral("--scores"), outOpt = QStringLiteral("--out");
    const QString a = QStringLiteral("a");

    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{}, 2},
        {{QStringLiteral("b"), scoresOpt, good, outOpt, out}, 2},
        {{a, scoresOpt, good}, 2},
        {{a, outOpt, out}, 2},
        {{a, scoresOpt, good, outOpt}, 2},
        {{a, scoresOpt, QStringLiteral("1,2,3,4;5,6,7"), outOpt, out}, 2},
        {{a, scoresOpt, QStringLiteral("1,2,3,4,5,6,7,8"), outOpt, out}, 2},
        {{a, scoresOpt, QStringLiteral("1,2,3;4,5,6,7,8"), outOpt, out}, 2},
        {{a, scoresOpt, good, outOpt, out, QStringLiteral("--preferred-colour=5")}, 2},
        {{a, scoresOpt, good, outOpt, out, QStringLiteral("--colour"), QStringLiteral("1")}, 2},
        {{a, scoresOpt, good, outOpt, out, QStringLiteral("--current-colour"),
          QStringLiteral("1.5")},
         2},
        {{a, scoresOpt, QStringLiteral("1,2,x,4;5,6,7,8"), outOpt, out}, 1},
        {{a, scoresOpt, QStringLiteral("1,2,3,4;5,6,7,"), outOpt, out}, 1},
        {{a, scoresOpt, good, outOpt, dir.filePath(QStringLiteral("none/x.png"))}, 1},
        {{a, scoresOpt, good, outOpt, dir.filePath(QStringLiteral("x.bmp"))}, 2},
        {{a, scoresOpt, good, outOpt, out, dir.filePath(QStringLiteral("x.cry"))}, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runPlot(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains("ocai-cli: ")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST(CliPlot, OnlyPngAndGifAreWritten)
{
    QTemporaryDir dir;
    const struct {
        const char *name, *message;
        int exitCode;
    } cases[] = {
        {"x", "нет расширения", 2}, // first: QImage("x") would find "x.gif"
        {"x.gif", "", 0},
        {"x.GIF", "", 0},
        {"x.png.bmp", "расширение '.bmp' не записывается", 2},
        {"x.gif.jpg", "расширение '.jpg' не записывается", 2},
        {"x.PnG", "", 0},
    };
    for (const auto &c : cases) {
        const QString out = dir.filePath(QLatin1String(c.name));
        const CliRun run = runPlot({QStringLiteral("a"), QStringLiteral("--scores=1,2,3,4;5,6,7,8"),
                                    QStringLiteral("--out"), out});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(run.err.contains(c.message)) << c.name;
        EXPECT_EQ(QImage(out).size(), c.exitCode == 0 ? QSize(686, 672) : QSize(0, 0)) << c.name;
    }
}

#ifdef Q_OS_UNIX
TEST(CliPlot, OutputThatIsNotARegularFileIsLeftAlone)
{
    QTemporaryDir dir;
    const QStringList paths = testfiles::makeSpecialFiles(QDir(dir.path()), QStringLiteral(".png"));
    ASSERT_GE(paths.size(), 4); // the device only as root
    for (const QString &path : paths) {
        const auto before = testfiles::pathState(path);
        const CliRun run = runPlot({QStringLiteral("a"), QStringLiteral("--scores=1,2,3,4;5,6,7,8"),
                                    QStringLiteral("--out"), path});
        EXPECT_EQ(run.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(run.err.contains("Не удаётся записать " + path.toUtf8()))
            << run.err.toStdString();
        EXPECT_EQ(testfiles::pathState(path), before) << path.toStdString();
    }

    // A link to a picture stays a link, and the picture is replaced.
    const QString picture = dir.filePath(QStringLiteral("picture.png"));
    const QString link = dir.filePath(QStringLiteral("link.png"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(OCAI_TEST_DATA_DIR "/binary.cry"), picture));
    ASSERT_TRUE(QFile::link(picture, link));
    ASSERT_EQ(runPlot({QStringLiteral("a"), QStringLiteral("--scores=1,2,3,4;5,6,7,8"),
                       QStringLiteral("--out"), link})
                  .exitCode,
              0);
    EXPECT_EQ(QFile::symLinkTarget(link), picture);
    EXPECT_EQ(QImage(picture).size(), QSize(686, 672));
}
#endif

} // namespace
