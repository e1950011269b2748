#include "result_files.h"
#include "survey/group_result.h"
#include "survey/result_file.h"
#include "survey/result_names.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace survey;

namespace {

using Rows = std::array<std::array<int, 5>, 12>;

QString writeResult(const QTemporaryDir &dir, const QString &name, const Rows &rows)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testfiles::writeFile(
        path, testfiles::encrypt(testfiles::resultText(QStringLiteral("r"), rows))));
    return path;
}

GroupResult loadOk(const QTemporaryDir &dir)
{
    auto loaded = loadGroup(dir.path(), testfiles::programKey());
    if (const auto *error = std::get_if<GroupError>(&loaded))
        ADD_FAILURE() << error->path.toStdString() << ": " << error->message.toStdString();
    return std::holds_alternative<GroupResult>(loaded) ? std::get<GroupResult>(loaded)
                                                       : GroupResult{};
}

GroupError loadFails(const QString &folder)
{
    auto loaded = loadGroup(folder, testfiles::programKey());
    EXPECT_TRUE(std::holds_alternative<GroupError>(loaded));
    return std::holds_alternative<GroupError>(loaded) ? std::get<GroupError>(loaded) : GroupError{};
}

QStringList names(const QStringList &paths)
{
    QStringList result;
    for (const QString &path : paths)
        result << QFileInfo(path).fileName();
    result.sort();
    return result;
}

} // namespace

TEST(ResultNames, MatchTheTailInAnyCaseButNeverAMacCompanionOrATemporary)
{
    const struct {
        const char *name;
        bool result;
    } cases[] = {
        {"aOCAI.cry", true},
        {".xOCAI.cry", true},
        {"zOCAI.CRY", true},
        {"abcocai.Cry", true},
        {"OCAI.cry", true},
        {"Группа 1 OCAI.cry", true},
        {"._xOCAI.cry", false},
        {"._OCAI.cry", false},
        {".ocai-k3j9.tmp", false},
        {".ocai-xOCAI.cry.tmp", false},
        {"aOCAI.cry.bak", false},
        {"aOCAI.cryx", false},
        {"OCAIcry", false},
        {"a.cry", false},
        {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isResultFileName(QString::fromUtf8(c.name)), c.result) << c.name;
}

TEST(GroupFiles, TakesRegularFilesMatchingThePatternInAnyCase)
{
    QTemporaryDir dir;
    const Rows rows = testfiles::uniformRows({25, 25, 25, 25}, {25, 25, 25, 25});
    for (const char *name : {"aOCAI.cry", ".xOCAI.cry", "abcocai.CRY", "OCAI.cry", "notes.txt",
                             "aOCAI.cry.bak", "aOCAI.cryx", "OCAIcry", "a.cry", ".ocai-k3j9.tmp"})
        writeResult(dir, QLatin1String(name), rows);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dirOCAI.cry")));
    QStringList expected{".xOCAI.cry", "OCAI.cry", "aOCAI.cry", "abcocai.CRY"};
#ifdef Q_OS_UNIX // QFile::link makes a shortcut file on Windows, not a link
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("aOCAI.cry")),
                            dir.filePath(QStringLiteral("linkOCAI.cry"))));
    expected << "linkOCAI.cry";
#endif
    // A Mac's companion of a copied file holds no answers: it neither counts nor fails the load.
    ASSERT_TRUE(testfiles::writeFile(dir.filePath(QStringLiteral("._aOCAI.cry")),
                                     QByteArray("\x00\x05\x16\x07", 4)));
#ifdef Q_OS_UNIX
    // A name that is not UTF-8 and does not match: no result file, so no failure either.
    const QByteArray odd = QFile::encodeName(dir.filePath(QStringLiteral("x"))) + "\xff.cry";
    ASSERT_EQ(::close(::creat(odd.constData(), 0600)), 0);
#endif
    const auto files = groupFiles(dir.path());
    ASSERT_TRUE(std::holds_alternative<QStringList>(files));
    EXPECT_EQ(names(std::get<QStringList>(files)), expected);
    const GroupResult group = loadOk(dir);
    EXPECT_EQ(group.n, expected.size());
    EXPECT_EQ(names(group.files), names(std::get<QStringList>(files)));
    EXPECT_EQ(resultFileNames(QDir(dir.path())), expected);
}

TEST(LoadGroup, OneFileGivesTheSingleLoadExactly)
{
    QTemporaryDir dir;
    Rows rows{};
    for (int r = 0; r < 12; ++r)
        rows[std::size_t(r)] = {7 * r + 1, 13 - r, 3 * r, 100 - 9 * r, 17 * r + 5};
    const QString path = writeResult(dir, QStringLiteral("oneOCAI.cry"), rows);
    const auto single = loadIndividualResult(path, testfiles::programKey());
    ASSERT_TRUE(std::holds_alternative<IndividualResult>(single));
    const AnswerTable &answers = std::get<IndividualResult>(single).answers;

    const GroupResult group = loadOk(dir);
    EXPECT_EQ(group.n, 1);
    EXPECT_EQ(group.files, QStringList{path});
    EXPECT_EQ(group.means, answers);
    EXPECT_EQ(group.scores, profileFromAnswers(answers));
    ASSERT_EQ(group.respondents.size(), 1u);
    EXPECT_EQ(group.respondents[0], group.scores);
}

TEST(LoadGroup, MeansCellByCellAndScoresFromThePointTotals)
{
    // Values whose six cell means, each rounded, add up to 38.33333333333333; the score is
    // the point total divided once, the double nearest to 690 / 18.
    const int currentA[3][6] = {
        {11, 70, 32, 4, 86, 9}, {10, 2, 57, 1, 96, 96}, {35, 31, 34, 14, 79, 23}};
    QTemporaryDir dir;
    for (int f = 0; f < 3; ++f) {
        Rows rows = testfiles::uniformRows({0, 0, 0, 100}, {0, 0, 0, 100});
        for (int r = 0; r < 6; ++r)
            rows[std::size_t(r)] = {currentA[f][r], 0, 0, 100 - currentA[f][r], 100 + f};
        writeResult(dir, QStringLiteral("%1OCAI.cry").arg(f), rows);
    }
    const GroupResult group = loadOk(dir);
    EXPECT_EQ(group.n, 3);
    EXPECT_EQ(group.means[1][0], (70.0 + 2 + 31) / 3);
    EXPECT_EQ(group.means[1][4], 101.0);
    EXPECT_EQ(group.points[0], 690);
    EXPECT_EQ(group.scores[0], 38.333333333333336);
    // Each respondent's own score, in file order.
    ASSERT_EQ(group.respondents.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const int f = group.files[int(i)].at(group.files[int(i)].size() - 9).digitValue();
        EXPECT_EQ(group.respondents[i][0], std::accumulate(currentA[f], currentA[f] + 6, 0.0) / 6);
    }
}

TEST(LoadGroup, TwoFilesOf30And45Give37Point5)
{
    QTemporaryDir dir;
    writeResult(dir, QStringLiteral("1OCAI.cry"),
                testfiles::uniformRows({30, 0, 0, 70}, {0, 0, 0, 100}));
    writeResult(dir, QStringLiteral("2OCAI.cry"),
                testfiles::uniformRows({45, 0, 0, 55}, {0, 0, 0, 100}));
    const GroupResult group = loadOk(dir);
    EXPECT_EQ(group.means[0][0], 37.5);
    EXPECT_EQ(group.scores[0], 37.5);
    EXPECT_EQ(group.scores[3], 62.5);
    EXPECT_EQ(group.means[5][4], 35.0); // the time column is averaged too
}

TEST(LoadGroup, FolderWithoutMatchesIsAnError)
{
    QTemporaryDir dir;
    writeResult(dir, QStringLiteral("notes.txt"),
                testfiles::uniformRows({25, 25, 25, 25}, {25, 25, 25, 25}));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dirOCAI.cry")));
    const QString missing = dir.filePath(QStringLiteral("missing"));
    const QString shown[] = {QDir::toNativeSeparators(dir.path()),
                             QDir::toNativeSeparators(missing)};
    const GroupError empty = loadFails(dir.path());
    EXPECT_EQ(empty.message,
              QStringLiteral("В папке «%1» нет файлов результатов «*OCAI.cry».").arg(shown[0]));
    const GroupError gone = loadFails(missing);
    EXPECT_EQ(gone.message, QStringLiteral("Не удаётся открыть папку «%1»").arg(shown[1]));
    EXPECT_EQ(gone.reason, QStringLiteral("нет такой папки"));
    EXPECT_EQ(empty.path + gone.path, dir.path() + missing);
}

#ifdef Q_OS_UNIX
TEST(LoadGroup, AFolderThatCannotBeReadSaysSo)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0300), 0);
    // Root reads every folder, so the load runs in a child that is nobody then.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        const auto loaded = loadGroup(locked, testfiles::programKey());
        const auto *error = std::get_if<GroupError>(&loaded);
        ::_exit(error && error->reason == QStringLiteral("нет прав на чтение") &&
                        error->message.startsWith(QStringLiteral("Не удаётся открыть папку"))
                    ? 0
                    : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

TEST(LoadGroup, FirstBrokenFileEndsTheLoadNamingFileAndLine)
{
    const Rows good = testfiles::uniformRows({25, 25, 25, 25}, {25, 25, 25, 25});
    QString badLine = testfiles::resultText(QStringLiteral("bad"), good);
    badLine.replace(QStringLiteral("  25  25  25  25     38"),
                    QStringLiteral("  25  2x  25  25     38"));
    const struct {
        QByteArray bytes;
        QString message;
        int line;
    } cases[] = {
        {testfiles::encrypt(badLine), QStringLiteral("'  2x' is not a valid integer value"), 32},
        {"", QStringLiteral("'' is not a valid integer value"), 24},
        {QByteArray(kMaxCipherTextLength + 1, 'a'), QString(), 0},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        writeResult(dir, QStringLiteral("aOCAI.cry"), good);
        writeResult(dir, QStringLiteral("zOCAI.cry"), good);
        const QString bad = dir.filePath(QStringLiteral("mOCAI.cry"));
        ASSERT_TRUE(testfiles::writeFile(bad, c.bytes));
        const GroupError error = loadFails(dir.path());
        EXPECT_EQ(error.path, bad);
        if (c.message.isEmpty())
            EXPECT_TRUE(error.message.contains(QDir::toNativeSeparators(bad)))
                << error.message.toStdString();
        else
            EXPECT_EQ(error.message, c.message);
        EXPECT_EQ(error.line, c.line);
    }
}

TEST(GroupInfoLine, CountWithoutPaddingAndSmallGroupsMarked)
{
    EXPECT_EQ(groupInfoLine(1),
              QStringLiteral("Информация по группе  (N = 1, меньше 5\u00A0респондентов)"));
    EXPECT_EQ(groupInfoLine(10000), QStringLiteral("Информация по группе  (N = 10000)"));
    EXPECT_EQ(groupInfoLine(5), QStringLiteral("Информация по группе  (N = 5)"));
    // Five files of four people: marked as the floor counts.
    EXPECT_EQ(groupInfoLine(5, 4), QStringLiteral("Информация по группе  (N = 5, меньше "
                                                  "5\u00A0респондентов)"));
}
