// The desk's survey folder without a window: its groups, damaged files, moves, and the loader
// that keeps it up to date (notices, the periodic rescan and its backoff, a load dropped).
#include "cli_runner.h"
#include "desk/survey_folder.h"
#include "desk/survey_loader.h"
#include "desk/survey_refresh.h"
#include "desk_files.h"
#include "survey/profile_load.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using deskfiles::put;
using deskfiles::tree;
using deskfiles::writeResult;

// No notice of the file system and no periodic rescan unless a test asks: what a load sees
// is what the test made it see.
desk::LoaderTimings handFed()
{
    desk::LoaderTimings timings;
    timings.settleMs = 10;
    timings.rescanMs = timings.maxRescanMs = 3600 * 1000;
    timings.watch = false;
    return timings;
}

// The respondents of each group, "name: counted/listed", in the loader's survey.
QStringList counts(const desk::SurveyLoader &loader)
{
    QStringList lines;
    for (const desk::Group &group : loader.survey()->groups)
        lines << QStringLiteral("%1: %2/%3")
                     .arg(group.name)
                     .arg(group.result.n)
                     .arg(group.respondents.size());
    return lines;
}

TEST(DeskSurvey, FindsTheFolderItselfAndEachSubfolderWithResultsAsGroups)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(writeResult(root + "/a1OCAI.cry", "a1"));
    ASSERT_TRUE(writeResult(root + "/Продажи/p1OCAI.cry", "p1"));
    ASSERT_TRUE(writeResult(root + "/Склад/Исключённые/s1OCAI.cry", "s1")); // all excluded
    ASSERT_TRUE(writeResult(root + "/Исключённые/x1OCAI.cry", "x1"));
    ASSERT_TRUE(put(root + "/Пусто/notes.txt", "x"));
    ASSERT_TRUE(writeResult(root + "/Скрытая/.ocai-t1.tmp", "t1")); // a writer's temporary

    EXPECT_EQ(desk::groupFolders(root), (QStringList{root, root + "/Продажи", root + "/Склад"}));
}

// One folder as a shared drive holds it after a Mac has been there: the desk and the command line
// count the same respondents, the Mac's companion "._" file neither counted nor failing. Its
// names hold letters that a Russian Windows' ANSI code page has no room for.
TEST(DeskSurvey, CountsTheRespondentsTheCommandLineCounts)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Опрос Ω 日本"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDir dir(folder);
    for (const QString name :
         {"xOCAI.cry", ".yOCAI.cry", "zOCAI.CRY", "Ωμέγα-1OCAI.cry", "Иванов日OCAI.cry"})
        ASSERT_TRUE(writeResult(dir.filePath(name), name)); // five people
    ASSERT_TRUE(put(dir.filePath("._xOCAI.cry"), QByteArray("\x00\x05\x16\x07", 4)));

    const testcli::CliRun cli = testcli::runCli({QStringLiteral("profile"), folder});
    EXPECT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    EXPECT_TRUE(cli.out.contains("info: Информация по группе  (N = 5)")) << cli.out.toStdString();
    const desk::Survey survey = desk::loadSurvey(folder);
    ASSERT_EQ(survey.groups.size(), 1u);
    EXPECT_EQ(survey.groups[0].respondents.size(), 5u);
    EXPECT_EQ(survey.respondents(), 5);
    EXPECT_EQ(survey.groups[0].damaged(), 0);
}

TEST(DeskSurvey, ListsDamagedFilesWithTheirReasonAndCountsOnlyReadableOnes)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("goodOCAI.cry");
    ASSERT_TRUE(writeResult(good, "good"));
    ASSERT_TRUE(testfiles::writeFile(dir.filePath("brokenOCAI.cry"), "not a result"));
    ASSERT_TRUE(testfiles::writeFile(dir.filePath("emptyOCAI.cry")));
    ASSERT_TRUE(testfiles::writeFile(dir.filePath(".ocai-part.tmp"), "half"));

    const desk::Group group = desk::loadGroup(dir.path(), "g");
    ASSERT_EQ(group.respondents.size(), 3u);
    QStringList damaged;
    for (const desk::Respondent &r : group.respondents)
        if (!r.problem.isEmpty())
            damaged << r.row.fileName;
    EXPECT_EQ(damaged, (QStringList{"brokenOCAI.cry", "emptyOCAI.cry"}));
    EXPECT_EQ(group.damaged(), 2);
    const auto alone = survey::loadProfile(good, testfiles::programKey());
    ASSERT_TRUE(std::holds_alternative<survey::LoadedProfile>(alone));
    EXPECT_EQ(group.result.n, 1);
    EXPECT_EQ(group.result.scores, std::get<survey::LoadedProfile>(alone).group.scores);
    EXPECT_EQ(group.respondents[2].row.texts[0], "good");

    // A file the reading only warns of counts as before, with its warning in plain words.
    ASSERT_TRUE(testfiles::writeFile(dir.filePath("shortOCAI.cry"),
                                     testfiles::resultWithLine(23, "  25  25  25  25     5")));
    const desk::Group warned = desk::loadGroup(dir.path(), "g");
    ASSERT_EQ(warned.respondents.size(), 4u);
    EXPECT_EQ(warned.respondents[3].warnings,
              QStringList{"вопрос 1, текущее состояние: запись ответа короче обычной"});
    EXPECT_EQ(warned.result.n, 2);
}

TEST(DeskSurvey, ExcludeAndReturnMoveOnlyTheFileAndNeverReplaceOne)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(writeResult(root + "/g/aOCAI.cry", "a"));
    ASSERT_TRUE(writeResult(root + "/g/bOCAI.cry", "b"));
    // An excluded file of the same name is already there: it stays as it is.
    ASSERT_TRUE(put(root + "/g/Исключённые/aOCAI.cry", "older"));
    const auto before = tree(root);

    const auto excluded = desk::excludeFile(root + "/g/aOCAI.cry");
    ASSERT_TRUE(std::holds_alternative<QString>(excluded));
    EXPECT_EQ(std::get<QString>(excluded), root + "/g/Исключённые/a-2OCAI.cry");
    auto after = tree(root);
    EXPECT_EQ(after.count("g/aOCAI.cry"), 0u);
    EXPECT_EQ(after["g/Исключённые/a-2OCAI.cry"], before.at("g/aOCAI.cry"));
    EXPECT_EQ(after["g/Исключённые/aOCAI.cry"], "older");
    EXPECT_EQ(desk::loadGroup(root + "/g", "g").result.n, 1);

    const auto returned = desk::returnFile(std::get<QString>(excluded));
    ASSERT_TRUE(std::holds_alternative<QString>(returned));
    EXPECT_EQ(std::get<QString>(returned), root + "/g/a-2OCAI.cry");
    after = tree(root);
    after["g/aOCAI.cry"] = after["g/a-2OCAI.cry"];
    after.erase("g/a-2OCAI.cry");
    EXPECT_EQ(after, before);

    EXPECT_TRUE(std::holds_alternative<desk::MoveError>(desk::returnFile(root + "/g/bOCAI.cry")));
    EXPECT_TRUE(std::holds_alternative<desk::MoveError>(desk::excludeFile(root + "/g/noOCAI.cry")));
}

// A code answered twice: both files count in the figures, the later one is marked with the
// first's name, and the floor counts one person; the marks follow the files on every load,
// also those taken unread from the last one.
TEST(DeskSurvey, ARepeatedCodeIsMarkedAndCountsOnceForTheFloor)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("I4OCAI.cry"), "I4"));
    ASSERT_TRUE(writeResult(dir.filePath("I4-2OCAI.cry"), "i4"));
    ASSERT_TRUE(writeResult(dir.filePath("KOCAI.cry"), "K"));
    const desk::Group group = desk::loadGroup(dir.path(), "g");
    EXPECT_EQ(group.result.n, 3);
    EXPECT_EQ(group.result.people(), 2);
    EXPECT_EQ(group.repeats(), 1);
    QStringList marks;
    for (const desk::Respondent &r : group.respondents)
        marks << r.row.fileName + ">" + r.repeatOf;
    EXPECT_EQ(marks, (QStringList{"I4-2OCAI.cry>I4OCAI.cry", "I4OCAI.cry>", "KOCAI.cry>"}));

    desk::LoadCache cache;
    for (const desk::Respondent &r : group.respondents)
        cache.insert(r.path, &r);
    ASSERT_TRUE(std::holds_alternative<QString>(desk::excludeFile(dir.filePath("I4OCAI.cry"))));
    const desk::Group alone = desk::loadGroup(dir.path(), "g", cache);
    EXPECT_EQ(alone.result.n, 2);
    EXPECT_EQ(alone.result.people(), 2);
    EXPECT_EQ(alone.repeats(), 0);
    for (const desk::Respondent &r : alone.respondents)
        EXPECT_TRUE(r.repeatOf.isEmpty()) << r.row.fileName.toStdString();
}

// A rescan that finds nothing new copies nothing and tells nothing.
TEST(DeskSurvey, ARefreshOfUnchangedFoldersGivesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("Продажи/p1OCAI.cry"), "p1"));
    const desk::Survey survey = desk::loadSurvey(dir.path());
    EXPECT_EQ(desk::refreshSurvey(dir.path(), &survey, desk::RescanScope::all()), nullptr);
    ASSERT_TRUE(writeResult(dir.filePath("Продажи/p2OCAI.cry"), "p2"));
    const auto changed = desk::refreshSurvey(dir.path(), &survey, desk::RescanScope::all());
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->respondents(), 3);
}

TEST(DeskLoader, SeesFilesArriveInANewGroupAndLeaveByTheFileSystemsNotices)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("r1OCAI.cry"), "r1"));
    desk::LoaderTimings timings = handFed();
    timings.watch = true;
    desk::SurveyLoader loader(timings);
    QSignalSpy changed(&loader, &desk::SurveyLoader::surveyChanged);
    const auto respondentsAfterChange = [&] {
        return changed.wait(20000) ? loader.survey()->respondents() : -1;
    };
    loader.open(dir.path());
    EXPECT_EQ(respondentsAfterChange(), 1);
    // As the questionnaire writes: a hidden temporary file, renamed when whole.
    ASSERT_TRUE(writeResult(dir.filePath("Отдел/.ocai-r2.tmp"), "r2"));
    ASSERT_TRUE(
        QFile::rename(dir.filePath("Отдел/.ocai-r2.tmp"), dir.filePath("Отдел/r2OCAI.cry")));
    EXPECT_EQ(respondentsAfterChange(), 2);
    ASSERT_TRUE(QFile::remove(dir.filePath("r1OCAI.cry")));
    EXPECT_EQ(respondentsAfterChange(), 1);
}

// Network shares announce nothing: the periodic rescan, its interval given, finds the file.
TEST(DeskLoader, ThePeriodicRescanFindsWhatNoNoticeTells)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("r1OCAI.cry"), "r1"));
    desk::LoaderTimings timings = handFed();
    timings.rescanMs = 20;
    desk::SurveyLoader loader(timings);
    QSignalSpy changed(&loader, &desk::SurveyLoader::surveyChanged);
    loader.open(dir.path());
    ASSERT_TRUE(changed.wait(20000));
    ASSERT_TRUE(writeResult(dir.filePath("r2OCAI.cry"), "r2"));
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(loader.survey()->respondents(), 2);
}

// A notice has its own group listed again, and no other.
TEST(DeskLoader, ANoticeListsOnlyTheGroupItNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("A/a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("B/b1OCAI.cry"), "b1"));
    desk::SurveyLoader loader(handFed());
    QSignalSpy changed(&loader, &desk::SurveyLoader::surveyChanged);
    loader.open(dir.path());
    ASSERT_TRUE(changed.wait(20000));
    ASSERT_TRUE(writeResult(dir.filePath("A/a2OCAI.cry"), "a2"));
    ASSERT_TRUE(writeResult(dir.filePath("B/b2OCAI.cry"), "b2"));
    loader.notice(dir.filePath("A"));
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(counts(loader), (QStringList{"A: 2/2", "B: 1/1"}));
    // The excluded folder's notice stands for its group.
    ASSERT_TRUE(writeResult(dir.filePath("B/Исключённые/b3OCAI.cry"), "b3"));
    loader.notice(dir.filePath("B/Исключённые"));
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(counts(loader), (QStringList{"A: 2/2", "B: 2/3"}));
    // A subfolder that was no group becomes one on its own notice.
    ASSERT_TRUE(writeResult(dir.filePath("C/c1OCAI.cry"), "c1"));
    loader.notice(dir.filePath("C"));
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(counts(loader), (QStringList{"A: 2/2", "B: 2/3", "C: 1/1"}));
}

// A loader whose loads can be held at their end by `gate`, opened on a folder of result files.
class DeskGatedLoader : public ::testing::Test {
protected:
    DeskGatedLoader()
    {
        loader.setLoadEndHook([this] { gate(); });
    }

    // Writes each named file (its code is its name before "OCAI.cry"), then the first load.
    void open(std::initializer_list<const char *> files)
    {
        for (const char *file : files)
            ASSERT_TRUE(writeResult(dir.filePath(file), QFileInfo(file).fileName().chopped(8)));
        loader.open(dir.path());
        ASSERT_TRUE(changed.wait(20000));
    }

    QTemporaryDir dir;
    deskfiles::LoadGate gate;
    desk::SurveyLoader loader{handFed()};
    QSignalSpy started{&loader, &desk::SurveyLoader::loadStarted};
    QSignalSpy changed{&loader, &desk::SurveyLoader::surveyChanged};
};

// Notices in a burst make one load; those during a load make one more after it.
TEST_F(DeskGatedLoader, NoticesCloseTogetherMakeOneLoad)
{
    ASSERT_NO_FATAL_FAILURE(open({"A/a1OCAI.cry", "B/b1OCAI.cry"}));

    ASSERT_TRUE(writeResult(dir.filePath("A/a2OCAI.cry"), "a2"));
    ASSERT_TRUE(writeResult(dir.filePath("B/b2OCAI.cry"), "b2"));
    for (const char *folder : {"A", "B", "A", "B/Исключённые"})
        loader.notice(dir.filePath(folder));
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(counts(loader), (QStringList{"A: 2/2", "B: 2/2"}));

    gate.armed = true;
    ASSERT_TRUE(writeResult(dir.filePath("A/a3OCAI.cry"), "a3"));
    loader.notice(dir.filePath("A"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.reached.tryAcquire(); }, 20000));
    ASSERT_TRUE(writeResult(dir.filePath("B/b3OCAI.cry"), "b3"));
    for (const char *folder : {"B", "A", "B"})
        loader.notice(dir.filePath(folder));
    gate.open.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 4 && !loader.loading(); }, 20000));
    EXPECT_EQ(started.count(), 4);
    EXPECT_EQ(counts(loader), (QStringList{"A: 3/3", "B: 3/3"}));
}

// A load that listed the folder before the desk moved a file is dropped, never shown: its row
// of the moved file would be stale.
TEST_F(DeskGatedLoader, ARescanDropsTheLoadUnderWay)
{
    ASSERT_NO_FATAL_FAILURE(open({"r1OCAI.cry"}));

    gate.armed = true;
    ASSERT_TRUE(writeResult(dir.filePath("r2OCAI.cry"), "r2"));
    loader.notice(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.reached.tryAcquire(); },
                                20000)); // it has listed r1 and r2 as counted
    ASSERT_TRUE(std::holds_alternative<QString>(desk::excludeFile(dir.filePath("r1OCAI.cry"))));
    loader.rescan({dir.path()});
    gate.open.release();
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(counts(loader), (QStringList{QDir(dir.path()).dirName() + ": 1/2"}));
}

// While the desk moves files nothing is listed: the load under way is dropped, notices wait,
// and the rescan after the move loads them all at once.
TEST_F(DeskGatedLoader, HoldingDropsTheLoadUnderWayAndWaitsForTheRescan)
{
    ASSERT_NO_FATAL_FAILURE(open({"A/a1OCAI.cry", "B/b1OCAI.cry"}));

    gate.armed = true;
    ASSERT_TRUE(writeResult(dir.filePath("A/a2OCAI.cry"), "a2"));
    loader.notice(dir.filePath("A"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.reached.tryAcquire(); }, 20000));
    loader.hold();
    ASSERT_TRUE(writeResult(dir.filePath("B/b2OCAI.cry"), "b2"));
    loader.notice(dir.filePath("B"));
    gate.open.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loader.loading(); }, 20000));
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(changed.count(), 1);

    loader.rescan({dir.filePath("B")});
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(started.count(), 3);
    EXPECT_EQ(counts(loader), (QStringList{"A: 2/2", "B: 2/2"}));
}

TEST(DeskLoader, TheRescanWaitsLongerTheLongerTheListingTook)
{
    desk::LoaderTimings timings;
    timings.rescanMs = 1000;
    timings.maxRescanMs = 60000;
    timings.backoff = 40;
    const std::pair<qint64, int> table[] = {{-5, 1000},        {0, 1000},   {10, 1000},
                                            {25, 1000},        {100, 4000}, {1500, 60000},
                                            {1LL << 40, 60000}};
    for (const auto &[cost, wait] : table)
        EXPECT_EQ(desk::nextRescanMs(cost, timings), wait) << cost;

    // The loader takes its wait from the rescan it timed, not from the first load, which
    // reads every file.
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("r1OCAI.cry"), "r1"));
    timings = handFed();
    timings.rescanMs = 10;
    timings.backoff = 100;
    desk::SurveyLoader loader(timings);
    loader.setLoadEndHook([] { QThread::msleep(30); }); // each load takes at least 30 ms
    QSignalSpy changed(&loader, &desk::SurveyLoader::surveyChanged);
    loader.open(dir.path());
    ASSERT_TRUE(changed.wait(20000));
    EXPECT_EQ(loader.rescanInterval(), 10);
    loader.rescan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loader.loading(); }, 20000));
    EXPECT_GE(loader.rescanInterval(), 3000);
}

} // namespace
