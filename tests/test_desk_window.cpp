// The desk's window offscreen: its title, and the documents written through the dialogs' seam.
#include "desk/collection_dialog.h"
#include "desk/desk_window.h"
#include "desk/job_bar.h"
#include "desk/report_title_dialog.h"
#include "desk/title.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "result_files.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DeskTitle, CountsRespondentsWithTheRussianPlural)
{
    const std::vector<std::pair<int, QString>> table = {
        {0, "0 респондентов"},     {1, "1 респондент"},       {2, "2 респондента"},
        {4, "4 респондента"},      {5, "5 респондентов"},     {11, "11 респондентов"},
        {12, "12 респондентов"},   {14, "14 респондентов"},   {21, "21 респондент"},
        {22, "22 респондента"},    {101, "101 респондент"},   {111, "111 респондентов"},
        {112, "112 респондентов"}, {1021, "1021 респондент"}, {10000, "10000 респондентов"}};
    for (const auto &[n, text] : table)
        EXPECT_EQ(desk::respondentCount(n), text) << n;
    EXPECT_EQ(desk::windowTitle("Опрос", 2), "«Опрос» — 2 респондента — OCAI");
}

class DeskWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        for (const char *code : {"r1", "r2"})
            ASSERT_TRUE(testfiles::writeFile(
                dir.filePath(QStringLiteral("%1OCAI.cry").arg(code)),
                testfiles::encrypt(testfiles::resultText(
                    code, testfiles::uniformRows({40, 30, 20, 10}, {25, 25, 25, 25})))));
        desk::rememberTitle(dir.path(), {"ООО «Ромашка»", "Опрос персонала"});
        // Without it a PDF command would wait on the real title dialog.
        ASSERT_TRUE(desk::rememberedTitle(dir.path()).has_value());
        QSignalSpy loaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
        window.openSurvey(dir.path());
        ASSERT_TRUE(loaded.wait(20000));
    }

    QTemporaryDir dir;
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    desk::DeskWindow window{shell};
};

TEST_F(DeskWindowTest, TitleNamesTheFolderAndItsRespondents)
{
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("«%1» — 2 респондента — OCAI").arg(QDir(dir.path()).dirName()));
}

TEST_F(DeskWindowTest, EachDocumentCommandWritesItsFileAndOffersToOpenIt)
{
    const std::vector<std::tuple<void (desk::DeskWindow::*)(), QString, QByteArray>> commands = {
        {&desk::DeskWindow::writeProfilePdf, "report.pdf", "%PDF"},
        {&desk::DeskWindow::writeComparisonPdf, "compare.pdf", "%PDF"},
        {&desk::DeskWindow::writeWorkbook, "answers.xlsx", "PK"},
        {&desk::DeskWindow::writeTextReport, "report.txt", ""}};
    for (const auto &[command, name, start] : commands) {
        dialogs.nextPath = dir.filePath(name);
        (window.*command)();
        window.jobs().wait();
        EXPECT_TRUE(testfiles::contentsOf(dialogs.nextPath).startsWith(start))
            << name.toStdString();
        EXPECT_EQ(window.lastDocument(), dialogs.nextPath);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    for (QPushButton *button : window.findChildren<QPushButton *>())
        if (button->text() == "Открыть документ")
            button->click();
    EXPECT_EQ(shell.calls.last(), "openPath " + dir.filePath("report.txt"));

    dialogs.nextPath.clear(); // cancelled: nothing is written, nothing changes
    window.writeProfilePdf();
    EXPECT_FALSE(window.jobs().busy());
    EXPECT_EQ(window.lastDocument(), dir.filePath("report.txt"));
}

TEST_F(DeskWindowTest, ExcludingARespondentMovesTheFileAndTheCountFollows)
{
    QTableView *table = nullptr;
    for (QTableView *view : window.findChildren<QTableView *>())
        if (view->accessibleName() == "Респонденты группы")
            table = view;
    ASSERT_NE(table, nullptr);
    table->selectRow(0);
    QSignalSpy reloaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == "&Исключить")
            action->trigger();
    ASSERT_TRUE(reloaded.wait(20000));
    EXPECT_TRUE(QFile::exists(dir.filePath("Исключённые/r1OCAI.cry")));
    EXPECT_FALSE(QFile::exists(dir.filePath("r1OCAI.cry")));
    EXPECT_TRUE(window.windowTitle().contains("— 1 респондент —"))
        << window.windowTitle().toStdString();
}

class FakeCollection : public desk::Collection {
public:
    explicit FakeCollection(int &stops) : m_stops(stops) {}
    std::variant<QList<desk::CollectionLink>, QString> start(const QStringList &,
                                                             const QString &) override
    {
        return QList<desk::CollectionLink>{{"Продажи", "/s/Продажи", {}, ""},
                                           {"Склад", "/s/Склад", {}, ""}};
    }
    void stop() override { ++m_stops; }

private:
    int &m_stops;
};

TEST(DeskCollection, CountsEachLinksAnswersAndStopsOnce)
{
    int stops = 0;
    auto collection = std::make_unique<FakeCollection>(stops);
    FakeCollection *fake = collection.get();
    desk::CollectionDialog dialog(std::move(collection), {"/s", "Продажи, Склад", false});
    ASSERT_TRUE(dialog.start());
    for (const char *group : {"Продажи", "Склад", "Продажи"})
        emit fake->answerWritten(group, "xOCAI.cry");
    EXPECT_EQ(dialog.answers("Продажи"), 2);
    EXPECT_EQ(dialog.answers("Склад"), 1);
    dialog.stop();
    dialog.reject();
    EXPECT_FALSE(dialog.running());
    EXPECT_EQ(stops, 1);
}

} // namespace
