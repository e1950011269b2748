// The desk in a workshop: the last survey reopened at start, a status bar that follows the
// survey, one group selected in the list, documents refused before anything is asked, and
// texts whole at the window's default size.
#include "desk/compare_view.h"
#include "desk/desk_window.h"
#include "desk/documents.h"
#include "desk/report_title_dialog.h"
#include "desk/respondent_table.h"
#include "desk_files.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"

#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kRecent = QStringLiteral("recent/folders");

class DeskWorkshop : public ::testing::Test {
public: // the cases of a table act on the fixture
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
    void TearDown() override { QSettings().remove(kRecent); }

    // Opens `folder` and waits for its first load.
    static bool opened(desk::DeskWindow &window, const QString &folder)
    {
        QSignalSpy loaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
        window.openSurvey(folder);
        return loaded.wait(20000);
    }

    // The file of `code` in `group`: a subfolder, or "" for the survey's own files.
    QString fileOf(const QString &group, const QString &code) const
    {
        return (group.isEmpty() ? dir.path() : dir.filePath(group)) +
               QStringLiteral("/%1OCAI.cry").arg(code);
    }

    bool shows(const QString &path)
    {
        for (const desk::Group &group : window.loader().survey()->groups)
            for (const desk::Respondent &respondent : group.respondents)
                if (respondent.path == path)
                    return true;
        return false;
    }

    // Writes a respondent's file and waits for the window to show it: a reload of the new
    // folder alone may come first.
    bool arrives(const QString &group, const QString &code)
    {
        const QString path = fileOf(group, code);
        return deskfiles::writeResult(path, code) &&
               QTest::qWaitFor([&] { return shows(path); }, 20000);
    }

    QStatusBar *statusBar() { return window.findChild<QStatusBar *>(); }
    QListWidget *groups() { return window.findChild<QListWidget *>(); }

    // A row's group without its count: "Продажи", "Все вместе"; "" for the survey's own.
    QString nameAt(int row)
    {
        const QString name = groups()->item(row)->text().section(QStringLiteral("  "), 0, 0);
        return name == QDir(dir.path()).dirName() ? QString() : name;
    }

    QStringList selectedGroups()
    {
        QStringList names;
        for (int row = 0; row < groups()->count(); ++row)
            if (groups()->item(row)->isSelected())
                names << nameAt(row);
        return names;
    }

    int rowOf(const QString &name)
    {
        for (int row = 0; row < groups()->count(); ++row)
            if (nameAt(row) == name)
                return row;
        ADD_FAILURE() << "no group " << name.toStdString();
        return -1;
    }

    QTemporaryDir dir;
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    desk::DeskWindow window{shell};
};

// As editors reopen their last file: the survey open last, unless the command line names one.
// A last survey that is gone is said in the status bar, never in a box, and nothing opens.
TEST_F(DeskWorkshop, TheLastSurveyReopensAtStartUnlessAFolderIsGiven)
{
    const QString last = dir.filePath("Опрос 2026"), given = dir.filePath("Другой");
    const QString gone = dir.filePath("Унесённая");
    for (const QString &folder : {last, given})
        ASSERT_TRUE(deskfiles::writeResult(folder + "/r1OCAI.cry", "r1"));
    {
        desk::DeskWindow before{shell};
        ASSERT_TRUE(opened(before, last)); // remembered as the last survey
    }
    const struct {
        QStringList recent; // empty: as the window left it
        QString given;
        QString opens;
        QString said;
    } cases[] = {
        {{}, {}, last, {}},
        {{}, given, given, {}},
        {{gone, last},
         {},
         {},
         QStringLiteral("Папка последнего опроса «%1» не найдена")
             .arg(QDir::toNativeSeparators(gone))},
        {{gone}, given, given, {}},
        {{""}, {}, {}, {}},
    };
    const QStringList remembered = QSettings().value(kRecent).toStringList();
    ASSERT_EQ(remembered.value(0), last);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.recent.join(",").toStdString() + " / " + c.given.toStdString());
        QSettings().setValue(kRecent, c.recent.isEmpty() ? remembered : c.recent);
        desk::DeskWindow started{shell};
        QSignalSpy loaded(&started.loader(), &desk::SurveyLoader::surveyChanged);
        started.openAtStart(c.given);
        EXPECT_EQ(started.loader().folder(), c.opens);
        if (!c.opens.isEmpty()) {
            EXPECT_TRUE(loaded.wait(20000));
        }
        const QString status = started.findChild<QStatusBar *>()->currentMessage();
        if (!c.said.isEmpty()) {
            EXPECT_TRUE(status.startsWith(c.said)) << status.toStdString();
        }
        EXPECT_EQ(started.groupCount(), c.opens.isEmpty() ? 0 : 2);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

// The note of a survey without answers goes when the first answer arrives, wherever it lands.
TEST_F(DeskWorkshop, TheNoteOfAnEmptySurveyGoesWithTheFirstAnswer)
{
    for (const QString group : {"", "Продажи"}) {
        SCOPED_TRACE(group.toStdString());
        QTemporaryDir survey;
        dir.swap(survey);
        ASSERT_TRUE(QDir().mkpath(dir.filePath(group)));
        ASSERT_TRUE(opened(window, dir.path()));
        EXPECT_TRUE(statusBar()->currentMessage().startsWith("В папке пока нет файлов"))
            << statusBar()->currentMessage().toStdString();
        ASSERT_TRUE(arrives(group, "r1"));
        EXPECT_EQ(statusBar()->currentMessage(), "Групп: 1, 1 респондент.");
    }
}

// One group selected, the one on show, whatever reloads it; a choice of several for the
// workbook or the organisation report stays as it was made.
TEST_F(DeskWorkshop, OneGroupIsSelectedThroughReloadsAllTogetherAndComparisons)
{
    const struct {
        const char *what;
        QStringList groups;                       // with an answer each before the window opens
        std::function<void(DeskWorkshop &)> does; // before the answer arrives
        QString arrivesIn;
        QStringList selected;
    } cases[] = {
        {"the first answer of an empty survey", {}, {}, "", {""}},
        {"the first answer of a survey of groups", {}, {}, "Продажи", {"Продажи"}},
        {"«Все вместе» chosen in a survey of one group",
         {""},
         [](DeskWorkshop &t) { t.window.selectGroup(1); },
         "",
         {"Все вместе"}},
        {"a group on show while another one's answer arrives",
         {"Продажи", "Склад"},
         [](DeskWorkshop &t) { t.window.selectGroup(1); },
         "Продажи",
         {"Склад"}},
        {"another comparison chosen",
         {"Продажи", "Склад", "Офис"},
         [](DeskWorkshop &t) {
             t.window.selectGroup(0);
             auto *other = t.window.findChild<desk::CompareView *>()->findChild<QComboBox *>();
             other->setCurrentIndex(1);
             emit other->activated(1);
         },
         "Офис",
         {"Офис"}},
        {"three groups chosen for the organisation report",
         {"Продажи", "Склад", "Офис"},
         [](DeskWorkshop &t) {
             t.window.selectGroup(0); // a click, then Ctrl+clicks
             for (int row = 1; row < 3; ++row)
                 t.groups()->item(row)->setSelected(true);
         },
         "Склад",
         {"Офис", "Продажи", "Склад"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir survey;
        dir.swap(survey);
        for (const QString &group : c.groups)
            ASSERT_TRUE(deskfiles::writeResult(fileOf(group, "first"), "first"));
        ASSERT_TRUE(opened(window, dir.path()));
        if (c.does)
            c.does(*this);
        ASSERT_TRUE(arrives(c.arrivesIn, "next"));
        EXPECT_EQ(selectedGroups(), c.selected);
    }
}

// A document the floor refuses is said before the save dialog (and the title dialog) is
// asked; one the floor lets through asks where to save.
TEST_F(DeskWorkshop, ADocumentUnderTheFloorIsRefusedBeforeItsSaveDialog)
{
    for (const QString group : {"Продажи", "Склад", "Офис"})
        for (const QString code : {"a", "b"})
            ASSERT_TRUE(deskfiles::writeResult(fileOf(group, code), code));
    ASSERT_TRUE(deskfiles::put(fileOf("Яма", "z"), "not a result"));
    ASSERT_TRUE(opened(window, dir.path()));
    ASSERT_EQ(window.groupCount(), 5);
    const struct {
        void (desk::DeskWindow::*command)();
        QStringList groups; // selected, the first on show
        int minGroup;
        const char *said; // empty: the save dialog is asked
    } cases[] = {
        {&desk::DeskWindow::writeProfilePdf, {"Офис"}, 5, "Группа «Офис» не показана"},
        {&desk::DeskWindow::writeComparisonPdf, {"Офис"}, 5, "не показана"},
        {&desk::DeskWindow::writeOrganisationPdf, {"Офис", "Продажи", "Склад"}, 5, "не показана"},
        {&desk::DeskWindow::writeProfilePdf, {"Яма"}, 1, "нет ни одного читаемого ответа"},
        {&desk::DeskWindow::writeTextReport, {"Яма"}, 1, "нет ни одного читаемого ответа"},
        {&desk::DeskWindow::writeWorkbook, {"Яма"}, 1, "нет ни одного читаемого ответа"},
        {&desk::DeskWindow::writeProfilePdf, {"Офис"}, 2, ""},
        {&desk::DeskWindow::writeComparisonPdf, {"Офис"}, 2, ""},
        {&desk::DeskWindow::writeOrganisationPdf, {"Офис", "Продажи", "Склад"}, 2, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(&c - cases));
        desk::rememberTitle(dir.path(), {"ООО «Ромашка»", "Опрос", c.minGroup});
        window.selectGroup(rowOf(c.groups.first()));
        for (const QString &group : c.groups)
            groups()->item(rowOf(group))->setSelected(true);
        dialogs.requests.clear();
        dialogs.errors.clear();
        (window.*c.command)(); // the save dialog, if asked, is cancelled
        EXPECT_FALSE(window.jobs().busy());
        EXPECT_EQ(dialogs.requests.size(), *c.said ? 0 : 1);
        ASSERT_EQ(dialogs.errors.size(), *c.said ? 1 : 0);
        if (*c.said) {
            EXPECT_TRUE(dialogs.errors.first().contains(c.said))
                << dialogs.errors.first().toStdString();
        }
    }
}

// At the size the window takes on a 1024 x 768 screen: no heading of the respondents cut, a
// damaged file's reason over its row's empty cells, and each group's name and marks whole.
TEST_F(DeskWorkshop, TheTextsAreWholeAtTheDefaultSize)
{
    for (const QString code : {"a", "b", "c"})
        ASSERT_TRUE(deskfiles::writeResult(fileOf("Бухгалтерия и финансы", code), code));
    ASSERT_TRUE(deskfiles::put(fileOf("Бухгалтерия и финансы", "zz"), "not a result file"));
    window.resize(1024, 700);
    window.show();
    ASSERT_TRUE(opened(window, dir.path()));
    window.selectGroup(0);
    QTableView *table = nullptr;
    for (QTableView *view : window.findChildren<QTableView *>())
        if (view->accessibleName() == "Респонденты группы")
            table = view;
    ASSERT_NE(table, nullptr);
    const QHeaderView *header = table->horizontalHeader();
    for (int column = 0; column < header->count(); ++column)
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column))
            << header->model()->headerData(column, Qt::Horizontal).toString().toStdString();
    int damaged = -1;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        if (table->model()->index(row, 0).data().toString().startsWith("✖"))
            damaged = row;
    ASSERT_GE(damaged, 0);
    const QModelIndex reason = table->model()->index(damaged, desk::RespondentTable::FreeText);
    EXPECT_GE(table->visualRect(reason).width(),
              table->fontMetrics().horizontalAdvance(reason.data().toString()) + 8)
        << reason.data().toString().toStdString();
    for (int row = 0; row < groups()->count(); ++row) {
        const QString text = groups()->item(row)->text();
        EXPECT_LE(groups()->fontMetrics().horizontalAdvance(text) + 8,
                  groups()->viewport()->width())
            << text.toStdString();
    }
}

} // namespace
