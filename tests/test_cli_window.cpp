// ocai-cli plot a|b|c, report, profile and pdf of a FILE or DIR, run as a separate process:
// what it writes is what the window shows and saves after the same load.
#include "cli_runner.h"
#include "core/number_format.h"
#include "core/text_codec.h"
#include "documents/plot_pictures.h"
#include "documents/text_report.h"
#include "plots/colour_for_index.h"
#include "plots/plot_a.h"
#include "result_files.h"
#include "survey/profile_load.h"
#include "survey/result_file.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using testcli::CliRun;
using testcli::runCli;

// The report's lines, Windows-1251 decoded, split at CR LF.
QStringList reportLines(const QString &path, QByteArray *bytes = nullptr)
{
    QFile file(path);
    const QByteArray read = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes)
        *bytes = read;
    return textcodec::fromWindows1251(read).split(QStringLiteral("\r\n"));
}

QImage rgb(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// What the window holds after loading `path`: the fields "%5.2f" and the scores they parse to.
struct Loaded {
    QString info;
    survey::AnswerTable answers{};
    plots::PlotAFields fields;
    survey::ProfileScores scores{};
};

Loaded loadAsWindow(const QString &path, QChar separator)
{
    const auto profile =
        std::get<survey::LoadedProfile>(survey::loadProfile(path, testfiles::programKey()));
    Loaded loaded{profile.info,
                  profile.group.means,
                  plots::scoreFields(
                      survey::groupMeans(profile.group, survey::MeanKind::Arithmetic), separator),
                  {}};
    loaded.scores =
        std::get<survey::ProfileScores>(plots::parseScoreFields(loaded.fields, separator));
    return loaded;
}

class CliWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile sample(QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt"));
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        file = dir.filePath(QStringLiteral("Ivanova01OCAI.cry"));
        ASSERT_TRUE(
            testfiles::writeFile(file, testfiles::encrypt(QString::fromUtf8(sample.readAll()))));
        group = writeGroup(QStringLiteral("group"),
                           {testfiles::uniformRows({10, 20, 30, 40}, {40, 30, 20, 10}),
                            testfiles::uniformRows({20, 25, 30, 25}, {30, 30, 20, 20})});
    }

    QString writeGroup(const QString &name,
                       const std::vector<std::array<std::array<int, 5>, 12>> &people)
    {
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (std::size_t i = 0; i < people.size(); ++i)
            EXPECT_TRUE(testfiles::writeFile(folder + QStringLiteral("/p%1OCAI.cry").arg(i),
                                             testfiles::encrypt(testfiles::resultText(
                                                 QStringLiteral("p%1").arg(i), people[i]))));
        return folder;
    }

    QString out(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString file, group;
};

TEST_F(CliWindow, PlotAIsTheStripOverTheWindowsDrawing)
{
    const struct {
        const char *locale;
        QChar separator;
        QStringList colours;
        int current, preferred;
    } cases[] = {
        {"C.UTF-8", u'.', {}, 1, 3},
        {"ru_RU.UTF-8", u',', {}, 1, 3},
        {"C.UTF-8", u'.', {"--current-colour", "4", "--preferred-colour=0"}, 4, 0},
    };
    for (const auto &c : cases) {
        for (const QString &source : {file, group}) {
            SCOPED_TRACE(std::string(c.locale) + " " + source.toStdString());
            const QString png = out(QStringLiteral("a.png"));
            const CliRun run =
                runCli(QStringList{"plot", "a", "--out", png} + c.colours + QStringList{source}, {},
                       QLatin1String(c.locale));
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            const Loaded loaded = loadAsWindow(source, testcli::cliSeparator(c.separator));
            survey::ProfileScores drawn{};
            const QImage canvas = plots::renderPlotA(
                QSize(686, 672), loaded.fields, plots::ColorForIndex(c.current),
                plots::ColorForIndex(c.preferred), testcli::cliSeparator(c.separator), drawn);
            const QImage picture = rgb(png);
            ASSERT_EQ(picture.size(), QSize(686, 698));
            EXPECT_EQ(picture.copy(0, 26, 686, 672), canvas);
            EXPECT_EQ(picture, documents::savedPlotAPicture(loaded.info, canvas));
        }
    }
}

TEST_F(CliWindow, PlotBAndCAreTheSavedCharts)
{
    // In the suite's locale, as a user's desktop runs it: the marks take its separator.
    const QLocale locale = testcli::cliLocale(QLocale(testcli::suiteLocale()));
    for (const QString &source : {file, group}) {
        SCOPED_TRACE(source.toStdString());
        const Loaded loaded = loadAsWindow(source, locale.decimalPoint().front());
        const QString b = out(QStringLiteral("b.png")), c = out(QStringLiteral("c.png"));
        ASSERT_EQ(runCli({"plot", "b", "--out", b, "--current-colour", "2", source}).exitCode, 0);
        EXPECT_EQ(rgb(b),
                  documents::savedPlotBPicture(loaded.info, loaded.answers, plots::ColorForIndex(2),
                                               plots::ColorForIndex(3), locale));
        EXPECT_EQ(rgb(b).size(), QSize(686, 543));

        // The differences of the two-decimal scores, in the current colour (red by default).
        ASSERT_EQ(runCli({"plot", "c", "--out", c, source}).exitCode, 0);
        const QImage plain = rgb(c);
        EXPECT_EQ(plain, documents::differenceChartPicture(loaded.scores, Qt::red, false, locale));
        ASSERT_EQ(
            runCli({"plot", "c", "--marks", "--current-colour=3", "--out", c, source}).exitCode, 0);
        EXPECT_EQ(rgb(c), documents::differenceChartPicture(loaded.scores, Qt::blue, true, locale));
        EXPECT_EQ(plain.size(), QSize(334, 353));
        EXPECT_NE(rgb(c), plain);
    }
}

TEST_F(CliWindow, GifReadsBackAsThePng)
{
    for (const char *plot : {"a", "b", "c"}) {
        SCOPED_TRACE(plot);
        const QString png = out(QStringLiteral("x.png")), gif = out(QStringLiteral("x.GIF"));
        ASSERT_EQ(runCli({"plot", plot, "--out", png, group}).exitCode, 0);
        ASSERT_EQ(runCli({"plot", plot, "--out", gif, group}).exitCode, 0);
        QFile written(gif);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.read(6) == "GIF87a");
        EXPECT_EQ(rgb(gif), rgb(png));
    }
    // The scores form writes GIF too.
    const QString gif = out(QStringLiteral("s.gif")), png = out(QStringLiteral("s.png"));
    for (const QString &name : {gif, png})
        ASSERT_EQ(runCli({"plot", "a", "--scores=1,2,3,4;5,6,7,8", "--out", name}).exitCode, 0);
    EXPECT_EQ(rgb(gif), rgb(png));
}

TEST_F(CliWindow, ReportIsWhatSaveDataWrites)
{
    const QString txt = out(QStringLiteral("report.any"));
    ASSERT_EQ(runCli({"report", "--out", txt, file}).exitCode, 0);
    QByteArray bytes;
    const QStringList lines = reportLines(txt, &bytes);
    ASSERT_EQ(lines.size(), 36); // 35 lines, each ended by CR LF
    // The system's short date: C under the tests' LC_ALL, the user's settings on Windows.
    EXPECT_EQ(lines[0], QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(lines[1], QStringLiteral("ivn01"));
    EXPECT_EQ(lines[12], QStringLiteral("         Клановая культура -  20.0%"));
    EXPECT_EQ(lines[13], QStringLiteral("  Адхократическая культура -  11.7%"));
    EXPECT_EQ(lines[23], QStringLiteral(" 25.00 10.00 15.00 50.00    87.00"));
    const Loaded loaded = loadAsWindow(file, u'.');
    EXPECT_EQ(bytes, documents::reportText({lines[0], QStringLiteral("ivn01"), loaded.info,
                                            loaded.scores, loaded.answers}));

    ASSERT_EQ(runCli({"report", "--out", txt, group}).exitCode, 0);
    const QStringList groupLines = reportLines(txt);
    ASSERT_EQ(groupLines.size(), 36);
    EXPECT_EQ(groupLines[1], QStringLiteral("Group"));
    EXPECT_EQ(groupLines[2], QStringLiteral("Информация по группе  (N = 2)"));
    EXPECT_EQ(groupLines[12], QStringLiteral("         Клановая культура -  15.0%"));
}

TEST_F(CliWindow, ReportTakesTheScoresAsPlotALeftThem)
{
    // Current A of eight files: 1207 / 48 = 25.1458..., shown "25.15", reported from there.
    std::vector<std::array<std::array<int, 5>, 12>> people(
        8, testfiles::uniformRows({25, 25, 25, 25}, {25, 25, 25, 25}));
    people[0][0][0] = 32;
    const QString eight = writeGroup(QStringLiteral("eight"), people);
    const QString txt = out(QStringLiteral("eight.txt"));
    ASSERT_EQ(runCli({"report", "--out", txt, eight}).exitCode, 0);
    EXPECT_EQ(reportLines(txt).value(12), QStringLiteral("         Клановая культура -  25.2%"));
}

TEST_F(CliWindow, ProfileOfAFolderIsTheGroupsProfile)
{
    const CliRun run = runCli({"profile", group});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(run.out), QStringLiteral("code: Group\n"
                                                         "info: Информация по группе  (N = 2)\n"
                                                         "current: 15.00 22.50 30.00 32.50\n"
                                                         "preferred: 35.00 30.00 20.00 15.00\n"));
    const CliRun geometric = runCli({"profile", "--mean", "geometric", group});
    ASSERT_EQ(geometric.exitCode, 0);
    EXPECT_TRUE(geometric.out.contains("current: 14.41 22.79 30.57 32.23\n"))
        << geometric.out.toStdString();
    // One respondent whose states sum to 100 without a 0: both means are the file's scores.
    EXPECT_EQ(runCli({"profile", "--mean=geometric", file}).out, runCli({"profile", file}).out);
}

TEST_F(CliWindow, BadArgumentsAreUsageErrors)
{
    const QString png = out(QStringLiteral("x.png"));
    const QList<QStringList> cases = {
        {"plot", "b", "--out", out(QStringLiteral("x.bmp")), group},
        {"plot", "c", "--out", out(QStringLiteral("x")), group},
        {"plot", "a", "--out", out(QStringLiteral("x.jpg")), file},
        {"pdf", "--out", out(QStringLiteral("x.png")), group},
        {"pdf", group},
        {"pdf", "--format", "csv", "--out", out(QStringLiteral("x.pdf")), group},
        {"pdf", "--names", "A,B", "--out", out(QStringLiteral("x.pdf")), group},
        {"pdf", "--names=A", "--out", out(QStringLiteral("x.pdf")), group, file},
        {"pdf", "--min-group", "1001", "--out", out(QStringLiteral("x.pdf")), group, file, group},
        {"plot", "a", file},
        {"plot", "b", "--out", png, file, group},
        {"plot", "b", "--marks", "--out", png, file},
        {"plot", "c", "--preferred-colour", "2", "--out", png, file},
        {"plot", "c", "--current-colour", "red", "--out", png, file},
        {"plot", "d", "--out", png, file},
        {"report", file},
        {"report", "--out", out(QStringLiteral("r.txt"))},
        {"profile", "--mean", "median", group},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("ocai-cli: ")) << run.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // the result file only
    }
}

TEST_F(CliWindow, ABrokenFileInTheFolderIsNamed)
{
    const QString broken = group + QStringLiteral("/zzOCAI.cry");
    ASSERT_TRUE(QFile::copy(QStringLiteral(OCAI_TEST_DATA_DIR "/non_number.cry"), broken));
    const QString expected =
        QDir::toNativeSeparators(broken) +
        QStringLiteral(":26: вопрос 3, текущее состояние: вместо ответа «  20  1O");
    const QString written = out(QStringLiteral("out.pdf"));
    const QList<QStringList> cases = {
        {"plot", "a", "--out", out(QStringLiteral("out.png")), group},
        {"plot", "b", "--out", out(QStringLiteral("out.gif")), group},
        {"plot", "c", "--out", out(QStringLiteral("out.png")), group},
        {"report", "--out", out(QStringLiteral("out.txt")), group},
        {"profile", group},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(expected)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }
    // The report leaves the file out, and says so on stderr and in the document (the group of
    // two under no floor).
    const CliRun run = runCli({"pdf", "--min-group", "1", "--out", written, group});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(
        "pdf: не учтён " + QDir::toNativeSeparators(broken) +
        ": вопрос 3, текущее состояние: вместо ответа «  20  1O  30  45    106»"))
        << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(written));
}

TEST_F(CliWindow, AReportOfNoAnswersIsNotWritten)
{
    const QString zeros =
        writeGroup(QStringLiteral("zeros"), {testfiles::uniformRows({0, 0, 0, 0}, {0, 0, 0, 0})});
    const CliRun run = runCli({"report", "--out", out(QStringLiteral("z.txt")), zeros});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("нет ответов")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out(QStringLiteral("z.txt"))));
}

} // namespace

#ifdef Q_OS_UNIX // hard and symbolic links
namespace {

// Every file below `root` with its bytes: what a refused command must leave as it was.
QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(it.filePath(), file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
    }
    return files;
}

} // namespace

TEST_F(CliWindow, AnOutputNeverReplacesAnInput)
{
    const QString text = out(QStringLiteral("in.txt")), link = out(QStringLiteral("link.txt"));
    const QString hard = out(QStringLiteral("hard.cry")), folderLink = out(QStringLiteral("g"));
    ASSERT_TRUE(testfiles::writeFile(text, "plain\n"));
    ASSERT_TRUE(QFile::link(file, link) && QFile::link(group, folderLink));
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(hard).constData()), 0);
    const QList<QStringList> cases = {
        {"report", "--out", file, file},
        {"report", "--out", link, file},
        {"report", "--out", hard, file},
        {"report", "--out", group + "/p0OCAI.cry", group},
        {"report", "--out=" + group + "/newocai.CRY", group},
        {"report", "--out", folderLink + "/newOCAI.cry", group},
        {"encrypt", "--out", text, text},
    };
    const auto before = tree(dir.path());
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("ocai-cli: " + args[0].toUtf8() + ": --out "))
            << run.err.toStdString();
        EXPECT_EQ(tree(dir.path()), before);
    }
}
#endif

#ifdef Q_OS_UNIX // Windows arguments are UTF-16 text, never stray bytes
TEST_F(CliWindow, AnArgumentThatIsNotTextIsRefused)
{
    ASSERT_TRUE(testfiles::writeFile(out(QStringLiteral("a\uFFFD.txt")), "precious\n"));
    const auto before = tree(dir.path());
    const CliRun run = testcli::runCliInShell(
        QStringLiteral("\"$0\" report --out \"$(printf 'a\\377.txt')\" '%1'").arg(file),
        dir.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("'a\\xFF.txt'")) << run.err.toStdString();
    EXPECT_EQ(tree(dir.path()), before);
}
#endif

TEST_F(CliWindow, TextsOfFilesCannotForgeOutput)
{
    QString text =
        testfiles::resultText(QStringLiteral("ivn\x1b]0;x\x07"),
                              testfiles::uniformRows({10, 20, 30, 40}, {40, 30, 20, 10}));
    text.replace(QStringLiteral("Отдел продаж"), QStringLiteral("Отдел\rcurrent: 9 9 9 9"));
    const QString forged = writeGroup(QStringLiteral("=1+2"), {});
    ASSERT_TRUE(testfiles::writeFile(forged + "/xOCAI.cry", testfiles::encrypt(text)));
    const CliRun profile = runCli({"profile", forged + "/xOCAI.cry"});
    ASSERT_EQ(profile.exitCode, 0) << profile.err.toStdString();
    EXPECT_EQ(profile.out.count('\n'), 4);
    EXPECT_TRUE(profile.out.startsWith("code: ivn\\x1B]0;x\\x07\ninfo: "))
        << profile.out.toStdString();
    EXPECT_TRUE(profile.out.contains("Отдел\\rcurrent: 9 9 9 9")) << profile.out.toStdString();
    // A spreadsheet must not take a cell for a formula.
    const CliRun csv = runCli({"summary", "=1+2"}, {}, QStringLiteral("C.UTF-8"), dir.path());
    EXPECT_TRUE(csv.out.contains("\n'=1+2,1,")) << csv.out.toStdString();
}
