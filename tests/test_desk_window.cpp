// The desk's window offscreen: its title, and the documents written through the dialogs' seam.
#include "desk/desk_window.h"
#include "desk/job_bar.h"
#include "desk/report_title_dialog.h"
#include "desk/respondent_table.h"
#include "desk/title.h"
#include "desk_files.h"
#include "documents/anonymity.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "result_files.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
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
    // Selects the table's first row (r1) and gives the window's command to exclude it.
    void excludeFirstRow()
    {
        QTableView *table = nullptr;
        for (QTableView *view : window.findChildren<QTableView *>())
            if (view->accessibleName() == "Респонденты группы")
                table = view;
        ASSERT_NE(table, nullptr);
        table->selectRow(0);
        for (QAction *action : window.findChildren<QAction *>())
            if (action->text() == "&Исключить")
                action->trigger();
    }

    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        for (const char *code : {"r1", "r2"})
            ASSERT_TRUE(testfiles::writeFile(
                dir.filePath(QStringLiteral("%1OCAI.cry").arg(code)),
                testfiles::encrypt(testfiles::resultText(
                    code, testfiles::uniformRows({40, 30, 20, 10}, {25, 25, 25, 25})))));
        // Two respondents: the floor has tests of its own.
        desk::rememberTitle(dir.path(), {"ООО «Ромашка»", "Опрос персонала", 1});
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
    QSignalSpy reloaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
    excludeFirstRow();
    ASSERT_TRUE(reloaded.wait(20000));
    EXPECT_TRUE(QFile::exists(dir.filePath("Исключённые/r1OCAI.cry")));
    EXPECT_FALSE(QFile::exists(dir.filePath("r1OCAI.cry")));
    EXPECT_TRUE(window.windowTitle().contains("— 1 респондент —"))
        << window.windowTitle().toStdString();
}

// A row loaded before another file came under its name: the newcomer is not excluded, and
// the consultant is told why. No event is handled between the arrival and the command, so the
// table still shows the first file.
TEST_F(DeskWindowTest, AStaleRowNeverExcludesAFileThatCameUnderItsName)
{
    const QString path = dir.filePath("r1OCAI.cry");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(deskfiles::writeResult(path, "newcomer"));
    const QByteArray newcomer = testfiles::contentsOf(path);
    excludeFirstRow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.errors.isEmpty(); }, 20000));
    EXPECT_TRUE(dialogs.errors.join("").contains("изменился"))
        << dialogs.errors.join("").toStdString();
    EXPECT_EQ(testfiles::contentsOf(path), newcomer);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Исключённые")));
}

// Damaged and warned apart, in the group list as in the table; an excluded file is excluded
// only, whatever it holds.
TEST(DeskMarks, TheGroupListAndTheTableTellDamagedWarnedAndExcludedApart)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    const QByteArray good = deskfiles::resultBytes("ok"), broken = "not a result";
    const QByteArray warned = testfiles::resultWithLine(23, "  25  25  25  25     5");
    const std::pair<const char *, QByteArray> files[] = {
        {"Повреждённые/okOCAI.cry", good},
        {"Повреждённые/badOCAI.cry", broken},
        {"Предупреждения/okOCAI.cry", good},
        {"Предупреждения/shortOCAI.cry", warned},
        {"Повтор/I4OCAI.cry", deskfiles::resultBytes("I4")},
        {"Повтор/I4-2OCAI.cry", deskfiles::resultBytes("I4")},
        {"Чистая/okOCAI.cry", good},
        {"Чистая/Исключённые/badOCAI.cry", broken},
        {"Чистая/Исключённые/shortOCAI.cry", warned}};
    for (const auto &[name, bytes] : files)
        ASSERT_TRUE(deskfiles::put(dir.filePath(name), bytes));
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    desk::DeskWindow window{shell};
    QSignalSpy loaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
    window.openSurvey(dir.path());
    ASSERT_TRUE(loaded.wait(20000));
    QListWidget *groups = window.findChild<QListWidget *>();
    ASSERT_NE(groups, nullptr);
    QStringList texts;
    for (int i = 0; i < groups->count(); ++i)
        texts << groups->item(i)->text();
    const auto size = [](int n) { return documents::groupSizeText(n); };
    const QString small = documents::smallGroupMark(1);
    EXPECT_EQ(texts, (QStringList{"Повреждённые  (" + size(1) + ") ✖",
                                  "Повтор  (N = 2, " + small + ") ⚠ повтор кода",
                                  "Предупреждения  (" + size(2) + ") ⚠",
                                  "Чистая  (" + size(1) + ")", "Все вместе  (N = 6)"}));
    EXPECT_TRUE(groups->item(1)->toolTip().contains("разных респондентов: 1"));

    window.selectGroup(1);
    QStringList repeatLabels;
    for (const QLabel *label : window.findChildren<QLabel *>())
        repeatLabels << label->text();
    EXPECT_TRUE(repeatLabels.contains("Учтено: 2; повреждено: 0; исключено: 0; с предупреждениями: "
                                      "0; повтор кода: 1 (разных респондентов: 1)"))
        << repeatLabels.join(" | ").toStdString();
    window.selectGroup(3);
    QStringList labels;
    for (const QLabel *label : window.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Учтено: 1; повреждено: 0; исключено: 2; с предупреждениями: 0"))
        << labels.join(" | ").toStdString();

    // Each file's row: the mark before its code, and its state.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"Повреждённые/badOCAI.cry", "✖ badOCAI.cry", "повреждён"},
        {"Предупреждения/shortOCAI.cry", "⚠ ", "учтён"},
        {"Повтор/I4OCAI.cry", "", "учтён"},
        {"Повтор/I4-2OCAI.cry", "⚠ I4", "учтён, повтор кода"},
        {"Чистая/okOCAI.cry", "", "учтён"},
        {"Чистая/Исключённые/badOCAI.cry", "", "исключён"},
        {"Чистая/Исключённые/shortOCAI.cry", "", "исключён"}};
    desk::RespondentTable table;
    for (const auto &[name, mark, state] : rows) {
        for (const desk::Group &group : window.loader().survey()->groups)
            for (const desk::Respondent &r : group.respondents)
                if (r.path == dir.filePath(name))
                    table.setRespondents({r});
        const QString code = table.index(0, desk::RespondentTable::Code).data().toString();
        if (*mark)
            EXPECT_TRUE(code.startsWith(mark)) << name << ": " << code.toStdString();
        else
            EXPECT_FALSE(code.startsWith("✖") || code.startsWith("⚠")) << name;
        EXPECT_EQ(table.index(0, desk::RespondentTable::State).data().toString(), state) << name;
    }
    // The repeat's tooltip names the code's first file.
    for (const desk::Respondent &r : window.loader().survey()->groups[1].respondents) {
        if (!r.repeatOf.isEmpty()) {
            EXPECT_TRUE(desk::warningsText(r).contains(
                "повтор кода «I4»: тот же код в файле «I4OCAI.cry»"));
        }
    }
}

} // namespace
