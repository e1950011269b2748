// The desk's collection of answers over the network: it belongs to the open survey, not to its
// dialog; it asks before it stops; the real one answers from a thread of its own.
#include "cli_runner.h"
#include "desk/collection_dialog.h"
#include "desk/collection_groups.h"
#include "desk/collection_status.h"
#include "desk/desk_window.h"
#include "desk/survey_refresh.h"
#include "desk/web_collection.h"
#include "desk_files.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "result_files.h"
#include "survey_requests.h"
#include "web/group_names.h"
#include "web/survey_collection.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace {

using deskfiles::writeResult;

// The survey folder's own link, asked for beside its groups': an answer sent to it lands in the
// folder itself.
TEST(DeskCollection, ServesTheSurveyFolderItselfBesideItsGroups)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("Продажи/p1OCAI.cry"), "p1"));
    const desk::CollectionPlan plan = desk::collectionPlan(dir.path());
    const auto groups = desk::collectionGroups(plan.groups, true);
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

// What the fake collections of a test were asked to do.
struct CollectionLog {
    QList<desk::CollectionOptions> starts;
    QList<QStringList> groups;
    QStringList folders;
    int stops = 0; // of a running collection
    int destroyed = 0;
    std::function<void()> onStop;
    class FakeCollection *current = nullptr;
};

class FakeCollection : public desk::Collection {
public:
    explicit FakeCollection(CollectionLog &log) : m_log(log) { log.current = this; }
    ~FakeCollection() override { ++m_log.destroyed; }
    void start(const QStringList &groups, const QString &folder,
               const desk::CollectionOptions &options) override
    {
        stop();
        m_log.starts << options;
        m_log.groups << groups;
        m_log.folders << folder;
        QList<desk::CollectionLink> links;
        for (const QString &group : groups)
            links.append({group, folder, QUrl("http://127.0.0.1:8080/t/"), folder + "/QR.png"});
        m_running = true;
        QMetaObject::invokeMethod(
            this, [this, links] { emit started(links); }, Qt::QueuedConnection);
    }
    void stop() override
    {
        if (!std::exchange(m_running, false))
            return;
        ++m_log.stops;
        if (m_log.onStop)
            m_log.onStop();
    }

private:
    CollectionLog &m_log;
    bool m_running = false;
};

QPushButton *button(const QWidget *parent, const QString &text)
{
    for (QPushButton *button : parent->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

TEST(DeskCollectionStatus, CountsLinksAndAnswersWithTheRussianPlural)
{
    const std::vector<std::tuple<int, int, QString>> table = {
        {1, 1, "1 ссылка, 1 ответ"},       {2, 2, "2 ссылки, 2 ответа"},
        {5, 5, "5 ссылок, 5 ответов"},     {3, 12, "3 ссылки, 12 ответов"},
        {21, 0, "21 ссылка, 0 ответов"},   {11, 22, "11 ссылок, 22 ответа"},
        {4, 111, "4 ссылки, 111 ответов"}, {1, 101, "1 ссылка, 101 ответ"}};
    for (const auto &[links, answers, text] : table)
        EXPECT_EQ(desk::collectionSummary(links, answers), "Сбор ответов: " + text) << links;
}

TEST(DeskCollectionRun, CountsEachLinksAnswersAndStopsOnce)
{
    CollectionLog log;
    desk::CollectionRun run(std::make_unique<FakeCollection>(log));
    run.start({"Продажи", "Склад"}, "/s", {});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return run.state() == desk::CollectionRun::State::Running; }));
    for (const char *group : {"Продажи", "Склад", "Продажи"})
        emit log.current->answerWritten(group, "xOCAI.cry");
    EXPECT_EQ(run.answers("Продажи"), 2);
    EXPECT_EQ(run.answers("Склад"), 1);
    EXPECT_EQ(run.answers(), 3);
    run.stop();
    run.stop();
    EXPECT_EQ(log.stops, 1);
}

class DeskCollectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        desk::collectionFactory() = [this] { return std::make_unique<FakeCollection>(log); };
        window->show();
        open(survey.path());
    }
    void TearDown() override { desk::collectionFactory() = nullptr; }

    void open(const QString &folder)
    {
        QSignalSpy loaded(&window->loader(), &desk::SurveyLoader::surveyChanged);
        window->openSurvey(folder);
        if (window->loader().folder() == QDir(folder).absolutePath()) {
            ASSERT_TRUE(loaded.wait(20000));
        }
    }
    desk::CollectionDialog *dialog() const { return window->findChild<desk::CollectionDialog *>(); }
    // The dialog, opened from the menu.
    desk::CollectionDialog *openDialog()
    {
        for (QAction *action : window->findChildren<QAction *>())
            if (action->text() == "Собрать ответы по &сети…")
                action->trigger();
        EXPECT_NE(dialog(), nullptr);
        return dialog();
    }
    bool running() const
    {
        return QTest::qWaitFor([this] { return status().startsWith("Сбор ответов: "); });
    }
    // The dialog opened from the menu and the collection started; its dialog.
    desk::CollectionDialog *startCollecting()
    {
        EXPECT_TRUE(openDialog()->start());
        EXPECT_TRUE(running());
        return dialog();
    }
    // What the status bar says of the collection; empty while it shows none.
    QString status() const
    {
        const auto *widget = window->findChild<desk::CollectionStatus *>();
        return widget && !widget->isHidden() ? widget->text() : QString();
    }

    QTemporaryDir survey, other;
    CollectionLog log;
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    std::unique_ptr<desk::DeskWindow> window = std::make_unique<desk::DeskWindow>(shell);
};

TEST_F(DeskCollectionTest, ClosingTheDialogHidesItAndTheStatusBarCountsOn)
{
    desk::CollectionDialog *shown = startCollecting();
    button(shown, "&Закрыть")->click();
    EXPECT_TRUE(shown->isHidden());
    EXPECT_EQ(log.stops, 0);
    for (int i = 0; i < 2; ++i)
        emit log.current->answerWritten(QString(), "xOCAI.cry");
    EXPECT_EQ(status(), "Сбор ответов: 1 ссылка, 2 ответа");
    // The status bar brings the same dialog back, its count up to date.
    button(window.get(), status())->click();
    EXPECT_EQ(dialog(), shown);
    EXPECT_FALSE(shown->isHidden());
    EXPECT_NE(button(shown, "&Остановить"), nullptr);
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(DeskCollectionTest, StoppingAsksFirst)
{
    // From the status bar or from the dialog; no keeps it running.
    for (const QString stop : {"Остановить", "&Остановить"})
        for (const bool yes : {false, true}) {
            const int stops = log.stops;
            startCollecting();
            dialogs.answerYes = yes;
            dialogs.questions.clear();
            button(window.get(), stop)->click();
            ASSERT_EQ(dialogs.questions.size(), 1);
            EXPECT_TRUE(dialogs.questions[0].startsWith("Остановить сбор ответов?"));
            EXPECT_EQ(log.stops - stops, yes ? 1 : 0) << stop.toStdString();
            EXPECT_EQ(status().isEmpty(), yes);
            dialogs.answerYes = true;
            dialog()->stop();
        }
}

TEST_F(DeskCollectionTest, OpeningAnotherSurveyAsksAndStopsTheOldCollectionFirst)
{
    startCollecting();
    open(survey.path()); // the same survey again: nothing to ask, collection goes on
    EXPECT_TRUE(dialogs.questions.isEmpty());
    dialogs.answerYes = false;
    open(other.path());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains("Остановить его и открыть"));
    EXPECT_EQ(window->loader().folder(), QDir(survey.path()).absolutePath());
    EXPECT_EQ(log.stops, 0);

    QString openAtStop;
    log.onStop = [&] { openAtStop = window->loader().folder(); };
    const auto forget = qScopeGuard([this] { log.onStop = nullptr; });
    dialogs.answerYes = true;
    open(other.path());
    EXPECT_EQ(openAtStop, QDir(survey.path()).absolutePath());
    EXPECT_EQ(log.destroyed, 1);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(status().isEmpty());
    startCollecting(); // the new survey's own collection, into its own folder
    EXPECT_EQ(log.folders.last(), QDir(other.path()).absolutePath());
}

TEST_F(DeskCollectionTest, QuittingAsks)
{
    startCollecting();
    dialogs.answerYes = false;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(log.stops, 0);
    dialogs.answerYes = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(log.stops, 1);
    EXPECT_EQ(dialogs.questions.size(), 2);
}

TEST_F(DeskCollectionTest, DestroyingTheWindowStopsItsCollection)
{
    startCollecting();
    window.reset();
    EXPECT_EQ(log.stops, 1);
    EXPECT_EQ(log.destroyed, 1);
}

TEST_F(DeskCollectionTest, TheFoldersLinkGivesThePortAndADamagedOneOnlyANewLink)
{
    // port: the link's; 0 none yet; -1 a damaged or hostile file, which only a new link mends.
    struct Row {
        const char *file; // nullptr: a folder by that name
        int port;
    };
    const Row table[] = {{"", 0},
                         {R"({"token":"0123456789abcdef0123456789abcdef","port":48123,)"
                          R"("survey":"0123456789abcdef0123456789abcdef"})",
                          48123},
                         {R"({"port":70000})", -1},
                         {R"({"port":"80"})", -1},
                         {"\xff\xfe not JSON", -1},
                         {nullptr, -1}};
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    dialogs.answerYes = true;
    for (const auto &[file, port] : table) {
        const QDir folder(folders.emplace_back(std::make_unique<QTemporaryDir>())->path());
        ASSERT_TRUE(!file ? folder.mkdir(".ocai-link")
                          : !*file || testfiles::writeFile(folder.filePath(".ocai-link"), file));
        open(folder.path());
        desk::CollectionDialog *shown = openDialog();
        QPushButton *newLink = button(shown, "Новая &ссылка…");
        EXPECT_EQ(!newLink->isHidden(), port != 0) << (file ? file : "(folder)");
        EXPECT_EQ(shown->start(), port >= 0);
        if (port < 0)
            newLink->click();
        EXPECT_TRUE(running());
        EXPECT_EQ(log.starts.last().newLink, port < 0);
        EXPECT_EQ(log.starts.last().port, std::max(port, 0));
    }
    // Asked for on a running collection: a new secret on the same port, after a yes.
    const qsizetype starts = log.starts.size();
    for (const bool yes : {false, true}) {
        dialogs.answerYes = yes;
        button(dialog(), "Новая &ссылка…")->click();
    }
    ASSERT_EQ(log.starts.size(), starts + 1);
    EXPECT_TRUE(log.starts.last().newLink);
    EXPECT_EQ(log.starts.last().port, 8080);
}

// Every subfolder is a group, an empty one too, those served before in the order first served,
// then the others by name; the survey folder itself gets a link only when asked, though it holds
// answers.
TEST_F(DeskCollectionTest, ListsEveryGroupInTheOrderFirstServedAndNoFolderLinkUnlessAsked)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    ASSERT_TRUE(writeResult(dir.filePath("a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("Бухгалтерия/b1OCAI.cry"), "b1"));
    for (const QString &name : {QStringLiteral("Склад"), QStringLiteral("Продажи"),
                                QStringLiteral("Отдел, второй"), desk::excludedFolderName()})
        ASSERT_TRUE(dir.mkdir(name));
    const auto link = [](const char *group, char digit) {
        return R"({"group":")" + QByteArray(group) + R"(","secret":")" + QByteArray(32, digit) +
               R"("})";
    };
    ASSERT_TRUE(testfiles::writeFile(
        dir.filePath(".ocai-link"),
        R"({"port":48123,"survey":"0123456789abcdef0123456789abcdef","links":[)" +
            link("Склад", '1') + ',' + link("Архив", '2') + ',' + link("", '3') + ',' +
            link("Продажи", '4') + "]}"));
    open(dir.path());
    desk::CollectionDialog *shown = openDialog();
    EXPECT_EQ(shown->findChild<QLineEdit *>()->text(), "Склад, Продажи, Бухгалтерия");
    QLabel *plan = nullptr;
    for (QLabel *label : shown->findChildren<QLabel *>())
        if (label->accessibleName() == "Ссылки сбора")
            plan = label;
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->text().contains("«Отдел, второй»")) << plan->text().toStdString();
    EXPECT_EQ(plan->textFormat(), Qt::PlainText);
    EXPECT_FALSE(plan->text().contains("сама папка опроса")) << plan->text().toStdString();
    // Those with a link left out are said so: the folder itself, and a group whose folder is gone.
    EXPECT_TRUE(plan->text().contains(QStringLiteral("Не входят в этот сбор: «Архив», «%1».")
                                          .arg(QFileInfo(dir.path()).fileName())))
        << plan->text().toStdString();

    dialogs.answerYes = true;
    for (const bool asked : {false, true}) {
        shown->findChild<QCheckBox *>()->setChecked(asked);
        EXPECT_TRUE(shown->start());
        EXPECT_TRUE(running());
        const QStringList served{"Склад", "Продажи", "Бухгалтерия"};
        EXPECT_EQ(log.groups.last(), asked ? QStringList{""} + served : served);
        shown->stop();
    }
}

// The real collection on 127.0.0.1: `links` once started.
QList<desk::CollectionLink> startReal(desk::WebCollection &collection, const QString &folder)
{
    QList<desk::CollectionLink> links;
    QString failure;
    QObject::connect(&collection, &desk::Collection::started,
                     [&](const QList<desk::CollectionLink> &started) { links = started; });
    QObject::connect(&collection, &desk::Collection::startFailed,
                     [&](const QString &reason) { failure = reason; });
    collection.start({QString()}, folder, {});
    EXPECT_TRUE(links.isEmpty()); // told later, never from within the call
    EXPECT_TRUE(QTest::qWaitFor([&] { return !links.isEmpty() || !failure.isEmpty(); }, 20000))
        << failure.toStdString();
    return links;
}

TEST(DeskWebCollection, AnswersWhileTheWindowsThreadIsBusyAndStopJoins)
{
    QTemporaryDir dir;
    desk::WebCollection collection(QHostAddress::LocalHost);
    QSignalSpy written(&collection, &desk::Collection::answerWritten);
    const QList<desk::CollectionLink> links = startReal(collection, dir.path());
    ASSERT_EQ(links.size(), 1);
    const QUrl url = links[0].url;
    // The window's thread waits here without running its events: only a server on a thread
    // of its own answers.
    QByteArray reply;
    std::thread([&] {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
        if (!socket.waitForConnected(5000))
            return;
        socket.write(testweb::post(url, testweb::kSubmission));
        for (int i = 0; i < 100 && !reply.contains("\r\n\r\n"); ++i)
            if (socket.waitForReadyRead(100))
                reply += socket.readAll();
    }).join();
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 201")) << reply.constData();
    ASSERT_TRUE(written.wait(20000));
    EXPECT_TRUE(QFile::exists(dir.filePath(written[0][1].toString())));

    collection.stop();
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
    EXPECT_FALSE(socket.waitForConnected(5000));
}

TEST(DeskWebCollection, TheWindowDestroyedWhileCollectingStopsIt)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    desk::collectionFactory() = [] {
        return std::make_unique<desk::WebCollection>(QHostAddress::LocalHost);
    };
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    auto window = std::make_unique<desk::DeskWindow>(shell);
    window->openSurvey(dir.path());
    for (QAction *action : window->findChildren<QAction *>())
        if (action->text() == "Собрать ответы по &сети…")
            action->trigger();
    auto *dialog = window->findChild<desk::CollectionDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->start();
    window.reset(); // mid-start: the start is finished, then stopped, and nothing is told
    desk::collectionFactory() = nullptr;
}

// The program quits after a collection has run: nothing of it keeps the process alive. Only a
// process of its own shows it, at its exit.
TEST(DeskWebCollection, TheProgramEndsAfterACollection)
{
    QTemporaryDir dir;
    const auto run = testcli::runProgram(QStringLiteral(OCAI_DESK_COLLECTION_QUIT), {dir.path()},
                                         {}, QStringLiteral("C.UTF-8"), {}, {});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

TEST(DeskWebCollection, APortInUseIsRefusedWithItsReasonAndNothingRuns)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    desk::CollectionRun run(std::make_unique<desk::WebCollection>(QHostAddress::LocalHost));
    QSignalSpy failed(&run, &desk::CollectionRun::startFailed);
    run.start({QString()}, dir.path(), {taken.serverPort(), {}, false});
    ASSERT_TRUE(failed.wait(20000));
    EXPECT_TRUE(failed[0][0].toString().contains(QString::number(taken.serverPort())))
        << failed[0][0].toString().toStdString();
    EXPECT_EQ(run.state(), desk::CollectionRun::State::Stopped);
}

TEST(DeskWebCollection, StartedAgainGivesTheSameLinks)
{
    QTemporaryDir dir;
    desk::WebCollection first(QHostAddress::LocalHost);
    const QList<desk::CollectionLink> before = startReal(first, dir.path());
    first.stop();
    if (!QFile::exists(dir.filePath(".ocai-link")))
        GTEST_SKIP() << "this build's network library keeps no link in the folder";
    desk::WebCollection second(QHostAddress::LocalHost);
    const QList<desk::CollectionLink> after = startReal(second, dir.path());
    ASSERT_EQ(before.size(), 1);
    ASSERT_EQ(after.size(), 1);
    EXPECT_EQ(after[0].url, before[0].url);
    EXPECT_EQ(testfiles::contentsOf(after[0].qrPng), testfiles::contentsOf(before[0].qrPng));
}

} // namespace
