// The desk's survey folder without a window: its groups, damaged files, moves and arrivals.
#include "cli_runner.h"
#include "desk/collection_groups.h"
#include "desk/respondent_table.h"
#include "desk/survey_folder.h"
#include "desk/survey_loader.h"
#include "result_files.h"
#include "survey/profile_load.h"
#include "survey_requests.h"
#include "web/group_names.h"
#include "web/survey_collection.h"

#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testfiles::encrypt;
using testfiles::resultText;
using testfiles::uniformRows;

QByteArray resultBytes(const QString &code, std::array<int, 4> now = {40, 30, 20, 10})
{
    return encrypt(resultText(code, uniformRows(now, {25, 25, 25, 25})));
}

// Writes `bytes` to `path`, making its folders.
bool put(const QString &path, const QByteArray &bytes)
{
    return QDir().mkpath(QFileInfo(path).path()) && testfiles::writeFile(path, bytes);
}

bool writeResult(const QString &path, const QString &code)
{
    return put(path, resultBytes(code));
}

// Every file under `folder` with its bytes, by path relative to `folder`.
std::map<QString, QByteArray> tree(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = testfiles::contentsOf(path);
    }
    return files;
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
// count the same respondents, the Mac's companion "._" file neither counted nor failing.
TEST(DeskSurvey, CountsTheRespondentsTheCommandLineCounts)
{
    QTemporaryDir dir;
    for (const char *name : {"xOCAI.cry", ".yOCAI.cry", "zOCAI.CRY"})
        ASSERT_TRUE(writeResult(dir.filePath(QLatin1String(name)), "r"));
    ASSERT_TRUE(put(dir.filePath("._xOCAI.cry"), QByteArray("\x00\x05\x16\x07", 4)));

    const testcli::CliRun cli = testcli::runCli({QStringLiteral("profile"), dir.path()});
    EXPECT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    EXPECT_TRUE(cli.out.contains("info: Информация по группе  (N = 3)\n")) << cli.out.toStdString();
    const desk::Survey survey = desk::loadSurvey(dir.path());
    ASSERT_EQ(survey.groups.size(), 1u);
    EXPECT_EQ(survey.groups[0].respondents.size(), 3u);
    EXPECT_EQ(survey.respondents(), 3);
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

    // A file the reading only warns of counts as before, marked with its warning.
    ASSERT_TRUE(testfiles::writeFile(dir.filePath("shortOCAI.cry"),
                                     testfiles::resultWithLine(23, "  25  25  25  25     5")));
    desk::RespondentTable table;
    table.setRespondents(desk::loadGroup(dir.path(), "g").respondents);
    EXPECT_EQ(table.respondent(3).warnings,
              QStringList{"вопрос 1, текущее состояние: запись ответа короче обычной"});
    EXPECT_TRUE(table.index(3, 0).data().toString().startsWith("⚠ "));
    EXPECT_TRUE(table.index(3, 0).data(Qt::ToolTipRole).toString().endsWith("короче обычной"));
    EXPECT_EQ(desk::loadGroup(dir.path(), "g").result.n, 2);
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

TEST(DeskSurvey, TheLoaderSeesFilesArriveInANewGroupAndLeave)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("r1OCAI.cry"), "r1"));
    desk::SurveyLoader loader;
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

// The survey's own answers get a link beside its groups': one written to it lands in the folder.
TEST(DeskCollection, ServesTheSurveyFolderItselfBesideItsGroups)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("Продажи/p1OCAI.cry"), "p1"));
    const desk::Survey survey = desk::loadSurvey(dir.path());
    const desk::CollectionPlan plan = desk::collectionPlan(dir.path(), &survey);
    const auto groups = desk::collectionGroups(plan.groups, plan.ownAnswers);
    web::SurveyCollection collection;
    web::ServeSettings local;
    local.address = QHostAddress::LocalHost;
    const auto started = collection.start(std::get<QStringList>(groups), dir.path(), local);
    const auto *links = std::get_if<QList<web::SurveyLink>>(&started);
    ASSERT_TRUE(links && links->size() == 2 && links->at(1).folder == dir.filePath("Продажи"));
    QSignalSpy written(&collection, &web::SurveyCollection::questionnaireWritten);
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(links->at(0).url.port()));
    socket.write(testweb::post(links->at(0).url, testweb::kSubmission));
    ASSERT_TRUE(written.wait(10000));
    EXPECT_TRUE(QFile::exists(dir.filePath("Web-1OCAI.cry")));
}

// Typed names pass or fail ({}) as serve's --groups do; the survey folder itself comes first.
TEST(DeskCollection, TypedGroupsAreCheckedAsServeChecksThem)
{
    const std::tuple<const char *, bool, QStringList> cases[] = {
        {"", false, {""}},   {"Склад", true, {"", "Склад"}}, {"А, Б", false, {"А", "Б"}},
        {"A,,B", false, {}}, {"Отдел,отдел", false, {}},     {"исключённые", true, {}}};
    for (const auto &[typed, ownAnswers, expected] : cases) {
        const auto groups = desk::collectionGroups(QString::fromUtf8(typed), ownAnswers);
        const auto serve = web::parseGroupList(QString::fromUtf8(typed));
        if (!expected.isEmpty())
            EXPECT_EQ(std::get<QStringList>(groups), expected) << typed;
        else if (std::holds_alternative<QString>(serve))
            EXPECT_EQ(std::get<QString>(groups), std::get<QString>(serve)) << typed;
        else
            EXPECT_TRUE(std::get<QString>(groups).contains("исключённ")) << typed;
    }
}

} // namespace
