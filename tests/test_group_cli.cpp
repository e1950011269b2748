// ocai-cli stats, compare, summary and check as a user runs them on folders of result files.
#include "cli_runner.h"
#include "result_files.h"
#include "under_wine.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using testcli::CliRun;
using testcli::runCli;

QJsonDocument runJson(const QStringList &args)
{
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out);
}

using Profile = std::pair<std::array<int, 4>, std::array<int, 4>>;

using Rows = std::array<std::array<int, 5>, 12>;

// A folder with one result file per respondent's answers.
QString writeRows(const QTemporaryDir &dir, const QString &name, const std::vector<Rows> &people)
{
    const QString folder = dir.filePath(name);
    EXPECT_TRUE(QDir().mkpath(folder));
    for (std::size_t i = 0; i < people.size(); ++i)
        EXPECT_TRUE(testfiles::writeFile(
            folder + QStringLiteral("/p%1OCAI.cry").arg(i),
            testfiles::encrypt(testfiles::resultText(QStringLiteral("p%1").arg(i), people[i]))));
    return folder;
}

// A folder with one result file per profile, every answer row of a state the same.
QString writeGroup(const QTemporaryDir &dir, const QString &name,
                   const std::vector<Profile> &people)
{
    std::vector<Rows> rows;
    for (const Profile &person : people)
        rows.push_back(testfiles::uniformRows(person.first, person.second));
    return writeRows(dir, name, rows);
}

const std::vector<Profile> kDepartment = {{{10, 20, 30, 40}, {40, 30, 20, 10}},
                                          {{20, 20, 30, 30}, {30, 30, 20, 20}},
                                          {{15, 25, 35, 25}, {35, 25, 25, 15}},
                                          {{30, 10, 20, 40}, {25, 35, 20, 20}}};

QStringList keys(const QJsonValue &value)
{
    return value.toObject().keys();
}

} // namespace

TEST(GroupCli, StatsJsonHasTheStableKeys)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("dept"), kDepartment);
    const QJsonObject stats = runJson({QStringLiteral("stats"), folder, QStringLiteral("--format"),
                                       QStringLiteral("json")})
                                  .object();
    EXPECT_EQ(stats[QStringLiteral("n")].toInt(), 4);
    EXPECT_EQ(keys(stats[QStringLiteral("types")]),
              QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                           QStringLiteral("D")}));
    const QJsonObject a = stats[QStringLiteral("types")][QStringLiteral("A")].toObject();
    for (const char *key : {"current", "preferred", "discrepancy", "flagged"})
        EXPECT_TRUE(a.contains(QLatin1String(key))) << key;
    for (const char *key : {"mean", "sd", "min", "max", "ci95"})
        EXPECT_TRUE(a[QStringLiteral("current")].toObject().contains(QLatin1String(key))) << key;
    EXPECT_DOUBLE_EQ(a[QStringLiteral("current")][QStringLiteral("mean")].toDouble(), 18.75);
    EXPECT_NEAR(a[QStringLiteral("current")][QStringLiteral("sd")].toDouble(), 8.539125638299666,
                1e-12);
    EXPECT_EQ(a[QStringLiteral("current")][QStringLiteral("ci95")].toArray().size(), 2);
    EXPECT_DOUBLE_EQ(a[QStringLiteral("discrepancy")].toDouble(), 13.75);
    EXPECT_TRUE(a[QStringLiteral("flagged")].toBool());
    EXPECT_EQ(stats[QStringLiteral("dominant")][QStringLiteral("current")].toArray(),
              QJsonArray({QStringLiteral("D")}));
    EXPECT_EQ(stats[QStringLiteral("dominant")][QStringLiteral("preferred")].toArray(),
              QJsonArray({QStringLiteral("A")}));
    const QJsonArray questions =
        stats[QStringLiteral("congruence")][QStringLiteral("questions")].toArray();
    ASSERT_EQ(questions.size(), 6);
    EXPECT_EQ(keys(questions[0]),
              QStringList({QStringLiteral("deviation"), QStringLiteral("dominant")}));
    EXPECT_TRUE(stats[QStringLiteral("congruence")][QStringLiteral("agree")].toBool());
}

TEST(GroupCli, StatsRepeatWithASeedAndChangeWithAnother)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("dept"), kDepartment);
    for (const char *format : {"text", "csv", "json"}) {
        const QStringList args = {QStringLiteral("stats"), folder, QStringLiteral("--format"),
                                  QLatin1String(format)};
        const CliRun first = runCli(args), again = runCli(args);
        const CliRun other = runCli(args + QStringList{QStringLiteral("--seed=2")});
        EXPECT_EQ(first.exitCode, 0);
        EXPECT_EQ(first.out, again.out) << format;
        EXPECT_NE(first.out, other.out) << format;
    }
    for (const QStringList &args : {QStringList{QStringLiteral("stats"), folder},
                                    QStringList{QStringLiteral("compare"), folder, folder,
                                                QStringLiteral("--mean=geometric")}}) {
        const QString text = QString::fromUtf8(runCli(args).out);
        EXPECT_GT(text.count(QLatin1Char('\n')), 10);
        for (const QString &line : text.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), 100) << line.toStdString();
    }
}

TEST(GroupCli, OneFileIsAGroupOfOne)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("one"), {kDepartment[0]});
    const QJsonObject stats = runJson({QStringLiteral("stats"), QStringLiteral("--format=json"),
                                       folder + QStringLiteral("/p0OCAI.cry")})
                                  .object();
    EXPECT_EQ(stats[QStringLiteral("n")].toInt(), 1);
    EXPECT_TRUE(stats[QStringLiteral("types")][QStringLiteral("D")][QStringLiteral("current")]
                     [QStringLiteral("sd")]
                         .isNull());
}

TEST(GroupCli, CompareOfAFolderWithItself)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("dept"), kDepartment);
    const QJsonObject compare = runJson({QStringLiteral("compare"), folder, folder,
                                         QStringLiteral("--format"), QStringLiteral("json")})
                                    .object();
    EXPECT_EQ(compare[QStringLiteral("a")][QStringLiteral("n")].toInt(), 4);
    EXPECT_EQ(compare[QStringLiteral("b")][QStringLiteral("n")].toInt(), 4);
    const QJsonObject types = compare[QStringLiteral("types")].toObject();
    ASSERT_EQ(types.size(), 4);
    for (const QJsonValue &type : types) {
        for (const char *state : {"current", "preferred"}) {
            const QJsonObject score = type[QLatin1String(state)].toObject();
            EXPECT_EQ(keys(score), QStringList({QStringLiteral("df"), QStringLiteral("diff"),
                                                QStringLiteral("g"), QStringLiteral("mean_a"),
                                                QStringLiteral("mean_b"), QStringLiteral("p"),
                                                QStringLiteral("perm_p"), QStringLiteral("t")}));
            EXPECT_EQ(score[QStringLiteral("diff")].toDouble(-1), 0);
            EXPECT_EQ(score[QStringLiteral("t")].toDouble(-1), 0);
            EXPECT_EQ(score[QStringLiteral("p")].toDouble(), 1);
            EXPECT_EQ(score[QStringLiteral("perm_p")].toDouble(), 1);
        }
    }
}

// The groups are named by their folders or --names, never by letters, which name the types.
TEST(GroupCli, CompareNamesTheGroupsByTheirNames)
{
    QTemporaryDir dir;
    const QString a = writeGroup(dir, QStringLiteral("north"), kDepartment);
    const QString b = writeGroup(dir, QStringLiteral("south"), {kDepartment[0], kDepartment[1]});
    const struct {
        QStringList names;
        QString first, second;
    } cases[] = {{{}, QStringLiteral("«north»: "), QStringLiteral("«south»: ")},
                 {{QStringLiteral("--names"), QStringLiteral("Продажи, ИТ")},
                  QStringLiteral("«Продажи»: "),
                  QStringLiteral("«ИТ»: ")}};
    for (const auto &c : cases) {
        const CliRun run = runCli(QStringList{QStringLiteral("compare"), a, b} + c.names);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        EXPECT_TRUE(lines[1].startsWith(c.first)) << lines[1].toStdString();
        EXPECT_TRUE(lines[2].startsWith(c.second)) << lines[2].toStdString();
        EXPECT_FALSE(run.out.contains("A: ") || run.out.contains("B − A"));
        EXPECT_TRUE(lines[5].contains(QStringLiteral("Разница      g"))) << lines[5].toStdString();
    }
    const QJsonObject json =
        runJson({QStringLiteral("compare"), a, b, QStringLiteral("--format=json"),
                 QStringLiteral("--names=x,y")})
            .object();
    EXPECT_EQ(json[QStringLiteral("b")][QStringLiteral("name")].toString(), QStringLiteral("y"));
    for (const QString &names :
         {QStringLiteral("one"), QStringLiteral("a,,"), QStringLiteral(",b")})
        EXPECT_EQ(
            runCli({QStringLiteral("compare"), QStringLiteral("--names"), names, a, b}).exitCode, 2)
            << names.toStdString();
}

TEST(GroupCli, CompareOfTwoConstantGroupsHasNoNaN)
{
    QTemporaryDir dir;
    const QString a = writeGroup(dir, QStringLiteral("a"), {kDepartment[0], kDepartment[0]});
    const QString b = writeGroup(dir, QStringLiteral("b"), {kDepartment[1], kDepartment[1]});
    const CliRun csv = runCli({QStringLiteral("compare"), a, b, QStringLiteral("--format=csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_FALSE(csv.out.toLower().contains("nan"));
    const QStringList lines = QString::fromUtf8(csv.out).split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0], QStringLiteral("type,state,n_a,n_b,mean_a,mean_b,diff,t,df,p,perm_p,g"));
    // A current: 10 against 20, no spread in either group.
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("A,current,2,2,10,20,10,inf,2,0,")))
        << lines[1].toStdString();
    // Two of the six ways to split {10, 10, 20, 20} are as far apart.
    EXPECT_NEAR(lines[1].section(QLatin1Char(','), 10, 10).toDouble(), 1.0 / 3, 0.02);
    const QJsonObject json =
        runJson({QStringLiteral("compare"), a, b, QStringLiteral("--format=json")}).object();
    EXPECT_TRUE(json[QStringLiteral("types")][QStringLiteral("A")][QStringLiteral("current")]
                    [QStringLiteral("t")]
                        .isNull());
}

TEST(GroupCli, SummaryWritesTheGoodRowsAndFailsForTheBroken)
{
    QTemporaryDir dir;
    const QString good = writeGroup(dir, QStringLiteral("good"), kDepartment);
    const QString broken = writeGroup(dir, QStringLiteral("broken"), {kDepartment[0]});
    ASSERT_TRUE(testfiles::writeFile(broken + QStringLiteral("/xOCAI.cry"), "not a result"));
    const CliRun run = runCli({QStringLiteral("summary"), broken, good});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.contains(QDir::toNativeSeparators(broken + QStringLiteral("/xOCAI.cry")).toUtf8()))
        << run.err.toStdString();
    const QStringList lines =
        QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QDir::toNativeSeparators(good) +
                            QStringLiteral(",4,18.75,18.75,28.75,33.75,32.5,30,21.25,16.25,D,A,D,"
                                           "-17.5"));
}

TEST(GroupCli, SummaryJsonAndGeometricMeanOfIdenticalRespondents)
{
    QTemporaryDir dir;
    const QString same = writeGroup(dir, QStringLiteral("same"), {kDepartment[2], kDepartment[2]});
    const QJsonArray rows = runJson({QStringLiteral("summary"), QStringLiteral("--format=json"),
                                     QStringLiteral("--mean=geometric"), same})
                                .array();
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject row = rows[0].toObject();
    EXPECT_EQ(keys(row), QStringList({QStringLiteral("current"), QStringLiteral("dominant_current"),
                                      QStringLiteral("dominant_preferred"),
                                      QStringLiteral("largest_discrepancy"), QStringLiteral("n"),
                                      QStringLiteral("path"), QStringLiteral("preferred")}));
    const std::array<int, 4> current = kDepartment[2].first;
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(row[QStringLiteral("current")][k].toDouble(), current[std::size_t(k)], 1e-12);
    EXPECT_EQ(row[QStringLiteral("dominant_current")].toArray(), QJsonArray({QStringLiteral("C")}));
    EXPECT_EQ(keys(row[QStringLiteral("largest_discrepancy")]),
              QStringList({QStringLiteral("type"), QStringLiteral("value")}));
}

// A hundred respondents whose means lie exactly halfway between two printed figures: all
// current scores 25, preferred A 34.995, B 15.005, C 18.785 and D 31.215. Added up cell by
// cell in doubles, C came to 18.78499... and A's change to 9.99499...
TEST(GroupCli, MeansRoundOnTheirExactValue)
{
    const int movedCToD[6] = {3, 3, 1, 1, 90, 31}; // respondents per preferred question
    std::vector<Rows> people;
    for (int i = 0; i < 100; ++i) {
        people.push_back(testfiles::uniformRows({25, 25, 25, 25}, {35, 15, 19, 31}));
        for (int q = 0; q < 6; ++q) {
            auto &row = people.back()[std::size_t(6 + q)];
            const int toB = q == 0 && i < 3, toD = i < movedCToD[q];
            row = {row[0] - toB, row[1] + toB, row[2] - toD, row[3] + toD, row[4]};
        }
    }
    QTemporaryDir dir;
    const QString folder = writeRows(dir, QStringLiteral("halfway"), people);
    const QString stats = QStringLiteral("stats"), format = QStringLiteral("--format");
    const struct {
        QStringList args;
        const char *printed;
    } cases[] = {
        {{QStringLiteral("profile"), folder}, "current: 25.00 25.00 25.00 25.00\n"},
        {{QStringLiteral("profile"), folder}, "preferred: 35.00 15.01 18.79 31.22\n"},
        {{stats, folder}, "Желаемое      35.00"},
        {{stats, folder}, "Желаемое      18.79"},
        {{stats, folder}, "Клан            +10.00 *\n"},
        {{stats, folder}, "Адхократия      -10.00 *\n"},
        {{stats, folder}, "Рынок            -6.22\n"},
        {{stats, folder}, "Текущее:   все четыре типа равны"},
        {{stats, folder}, "Желаемое:  A Клан, отрыв 3.78\n"},
        {{stats, format, QStringLiteral("csv"), folder}, "\ntypes.C.preferred.mean,18.785\n"},
        {{stats, format, QStringLiteral("csv"), folder}, "\ntypes.A.discrepancy,9.995\n"},
        {{stats, format, QStringLiteral("csv"), folder},
         "\ntypes.B.discrepancy,-9.995\ntypes.B.flagged,true\n"},
        {{stats, format, QStringLiteral("csv"), folder}, "\ndominant_lead.current,\n"},
        {{stats, format, QStringLiteral("json"), folder}, "\"discrepancy\": -9.995,"},
        {{stats, format, QStringLiteral("json"), folder}, "\"current\": null,"},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.printed)) << c.printed << "\n" << run.out.toStdString();
    }
}

TEST(GroupCli, UsageErrorsExitWithTwo)
{
    const QList<QStringList> usages = {
        {QStringLiteral("stats")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("--format"),
         QStringLiteral("xml")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("--seed"),
         QStringLiteral("-1")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("--seed=1"),
         QStringLiteral("--seed=2")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("--mean"),
         QStringLiteral("median")},
        {QStringLiteral("stats"), QStringLiteral("a"), QStringLiteral("--mean")},
        {QStringLiteral("compare"), QStringLiteral("a")},
        {QStringLiteral("summary")},
        {QStringLiteral("summary"), QStringLiteral("a"), QStringLiteral("--format=text")},
        {QStringLiteral("summary"), QStringLiteral("a"), QStringLiteral("--seed=3")},
    };
    for (const QStringList &args : usages) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const CliRun help = runCli({QStringLiteral("stats"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--mean geometric")) << help.out.toStdString();
}

TEST(GroupCli, TheFirstBadArgumentIsNamedAndHelpMayRepeat)
{
    const struct {
        QStringList args;
        int exitCode;
        const char *message; // the start of stderr, after "ocai-cli: "
    } cases[] = {
        {{"stats", "--format", "xml", "--bogus", "a"}, 2, "stats: неизвестный параметр '--bogus'"},
        {{"stats", "--seed", "x", "--format", "xml", "a"}, 2, "stats: --seed — целое число"},
        {{"stats", "--bogus", "--format", "xml", "a"}, 2, "stats: неизвестный параметр '--bogus'"},
        {{"stats", "--format", "xml", "--format", "csv"}, 2, "stats: --format может быть"},
        {{"stats", "-h", "--mean", "median"}, 2, "stats: --mean может быть arithmetic|geometric"},
        {{"summary", "--help", "-h", "--help"}, 0, ""},
        {{"pdf", "--out", "x.pdf", "--out=y.pdf", "a"},
         2,
         "pdf: --out задан дважды; использование: "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        if (c.exitCode == 0)
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        else
            EXPECT_TRUE(run.err.startsWith(QByteArray("ocai-cli: ") + c.message))
                << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.exitCode != 0);
    }
}

#ifdef Q_OS_UNIX
TEST(GroupCli, AnEntryThatCannotBeReadFailsEveryCommandNamingIt)
{
    const struct {
        const char *name, *shown, *reason;
    } cases[] = {
        {"pipeOCAI.cry", "pipeOCAI.cry", "это именованный канал, а не файл"},
        {"goneOCAI.cry", "goneOCAI.cry", "символическая ссылка ведёт к несуществующему файлу"},
        {"x\xffOCAI.cry", "x\\xFFOCAI.cry", "имя файла не в кодировке UTF-8"},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString folder = writeGroup(dir, QStringLiteral("g"), kDepartment);
        const QByteArray entry = QFile::encodeName(folder) + '/' + c.name;
        const int made = c.name[0] == 'p'   ? ::mkfifo(entry.constData(), 0600)
                         : c.name[0] == 'g' ? ::symlink("nowhere", entry.constData())
                                            : ::close(::creat(entry.constData(), 0600));
        ASSERT_EQ(made, 0) << c.name;
        const QByteArray expected =
            "Не удаётся открыть файл " + folder.toUtf8() + '/' + c.shown + ": " + c.reason + '\n';
        for (const char *command : {"profile", "stats", "summary"}) {
            const CliRun run = runCli({QLatin1String(command), folder});
            EXPECT_EQ(run.exitCode, 1) << command << ' ' << c.name;
            EXPECT_TRUE(run.err.endsWith(expected)) << run.err.toStdString();
        }
    }
}
#endif

TEST(GroupCli, CheckWarnsOfWhatTheLoadLetsThrough)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("dept"), {kDepartment[0]});
    ASSERT_TRUE(QFile::copy(QStringLiteral(OCAI_TEST_DATA_DIR "/non_number.cry"),
                            folder + QStringLiteral("/0OCAI.cry")));
    ASSERT_TRUE(testfiles::writeFile(folder + QStringLiteral("/aOCAI.cry"),
                                     testfiles::resultWithLine(23, "  25  25  25  20     30")));
    // Exit status, arguments, stdout and stderr; %1 stands for the folder.
    const std::tuple<int, const char *, const char *, const char *> cases[] = {
        {0, "%1/p0OCAI.cry", "", ""},
        {1, "%1", "%1/aOCAI.cry: вопрос 1, текущее состояние: сумма 95 вместо 100\n",
         "ocai-cli: %1/0OCAI.cry: вопрос 3, текущее состояние: вместо ответа «  20  1O  30  45    "
         "106»\n"},
        {2, "", "",
         "ocai-cli: check: не указано (FILE|DIR)...; использование: ocai-cli check [--] "
         "(FILE|DIR)...\n"},
    };
    const auto filled = [&](const char *text) {
        return QString::fromUtf8(text).replace(QStringLiteral("%1"), folder);
    };
    const auto shown = [&](const char *text) { // messages name files with native separators
        return QString::fromUtf8(text).replace(QStringLiteral("%1/"),
                                               QDir::toNativeSeparators(folder + u'/'));
    };
    for (const auto &[exitCode, args, out, err] : cases) {
        const CliRun run = runCli(QStringList{QStringLiteral("check")} +
                                  filled(args).split(u' ', Qt::SkipEmptyParts));
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(QString::fromUtf8(run.out), shown(out));
        EXPECT_EQ(QString::fromUtf8(run.err), shown(err));
    }
}

// A code answered more than once: one line per repeat, naming it and the code's first file.
TEST(GroupCli, CheckNamesEachRepeatedCode)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("g"), {kDepartment[0]});
    for (const auto &[name, code] : {std::pair{"I4OCAI.cry", "I4"},
                                     {"I4-2OCAI.cry", "I4"},
                                     {"I4-3OCAI.cry", "i4"},
                                     {"I4-2-2OCAI.cry", "I4-2"}})
        ASSERT_TRUE(
            testfiles::writeCodedResult(folder, QString::fromUtf8(name), QString::fromUtf8(code)));
    const CliRun run = runCli({QStringLiteral("check"), folder});
    EXPECT_EQ(run.exitCode, 1);
    const QString shown = QDir::toNativeSeparators(folder + u'/');
    EXPECT_EQ(QString::fromUtf8(run.out),
              QStringLiteral("%1I4-2OCAI.cry: повтор кода «I4»: тот же код в файле «I4OCAI.cry»\n"
                             "%1I4-3OCAI.cry: повтор кода «i4»: тот же код в файле «I4OCAI.cry»\n")
                  .arg(shown));
    EXPECT_EQ(run.err, QByteArray());
}

#ifdef Q_OS_UNIX
// Every entry of a folder named as a result is checked on its own, in Russian: one that cannot
// be read is named with its reason and the others are still checked; a pipe is never waited on.
TEST(GroupCli, CheckReportsEveryEntryOfAFolderWithoutStopping)
{
    QTemporaryDir dir;
    const QString folder = writeGroup(dir, QStringLiteral("g"), {kDepartment[0]});
    const auto native = [&](const char *name) { return QFile::encodeName(folder) + '/' + name; };
    ASSERT_EQ(::mkfifo(native("bpipeOCAI.cry").constData(), 0600), 0);
    ASSERT_EQ(::symlink("nowhere", native("cgoneOCAI.cry").constData()), 0);
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("dfolderOCAI.cry")));
    ASSERT_TRUE(testfiles::writeFile(folder + QStringLiteral("/elockedOCAI.cry"),
                                     testfiles::resultWithLine(23, "  25  25  25  25     30")));
    ASSERT_EQ(::chmod(native("elockedOCAI.cry").constData(), 0), 0);
    ASSERT_TRUE(testfiles::writeFile(folder + QStringLiteral("/zOCAI.cry"),
                                     testfiles::resultWithLine(23, "  25  25  25  20     30")));
    // Root reads every file, so then ocai-cli runs as nobody, the folders opened to it.
    QString command = QStringLiteral("\"$0\" check \"$1\"");
    if (::geteuid() == 0) {
        for (const QString &path : {dir.path(), folder})
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0755), 0);
        command = QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups ") + command;
    }
    const CliRun run =
        testcli::runProgram(QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), command, QStringLiteral(OCAI_CLI_PATH), folder},
                            {}, QStringLiteral("C.UTF-8"), {}, {});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(run.out),
              QStringLiteral("%1/dfolderOCAI.cry: это папка, группа её не читает\n"
                             "%1/zOCAI.cry: вопрос 1, текущее состояние: сумма 95 вместо 100\n")
                  .arg(folder));
    EXPECT_EQ(QString::fromUtf8(run.err),
              QStringLiteral("ocai-cli: %1/bpipeOCAI.cry: это именованный канал, а не файл\n"
                             "ocai-cli: %1/cgoneOCAI.cry: символическая ссылка ведёт к "
                             "несуществующему файлу\n"
                             "ocai-cli: %1/elockedOCAI.cry: нет прав на чтение\n")
                  .arg(folder));
}
#endif

#ifdef Q_OS_WIN
// One folder as Windows users spell it: with the drive letter; without it (the current drive's);
// in other letter cases; through the network share of its drive (\\localhost\Z$, where the
// machine shares it). Every spelling gives the same group.
TEST(GroupCli, WindowsSpellingsOfOneFolder)
{
    QTemporaryDir dir;
    const QString folder =
        QDir::toNativeSeparators(writeGroup(dir, QStringLiteral("Отдел Ω"), kDepartment));
    ASSERT_EQ(folder.mid(1, 2), QStringLiteral(":\\"));
    const QString share = QStringLiteral("\\\\localhost\\%1$").arg(folder.front());
    QStringList spellings{folder, folder.mid(2), folder.toUpper(), folder.toLower()};
    // Wine's prefix of the suite shares Z: so; on Windows only an administrator's session may.
    if (testwine::underWine())
        EXPECT_TRUE(QFileInfo(share).isDir()) << share.toStdString();
    if (QFileInfo(share).isDir())
        spellings << share + folder.mid(2);
    const CliRun expected = runCli({QStringLiteral("stats"), folder});
    ASSERT_EQ(expected.exitCode, 0) << expected.err.toStdString();
    for (const QString &spelling : spellings) {
        SCOPED_TRACE(spelling.toStdString());
        const CliRun run =
            runCli({QStringLiteral("stats"), spelling}, {}, QStringLiteral("C.UTF-8"), dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(run.out).replace(spelling, folder), expected.out);
    }
}
#endif
