// The desk's documents and figure views: the same documents as ocai-cli's, the files left out
// named, cancelling that never touches a file, and views that show the group they name.
#include "cli_runner.h"
#include "desk/compare_pairs.h"
#include "desk/compare_view.h"
#include "desk/desk_window.h"
#include "desk/documents.h"
#include "desk/group_view.h"
#include "desk/job_bar.h"
#include "desk/latest_task.h"
#include "desk/report_title_dialog.h"
#include "documents/report_tables.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "pdf_tools.h"
#include "pool_blocker.h"
#include "result_files.h"
#include "zip_members.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

using testfiles::encrypt;
using testfiles::resultText;
using testfiles::uniformRows;

bool put(const QString &path, const QByteArray &bytes)
{
    return QDir().mkpath(QFileInfo(path).path()) && testfiles::writeFile(path, bytes);
}

// Respondents of different answers, so that every mean, spread and test differs from 0.
void writeRespondents(const QString &folder, const QString &prefix, int count, int shift = 0)
{
    for (int i = 0; i < count; ++i) {
        const int d = 2 * ((i * 7 + shift) % 10); // even: every state sums to 100
        ASSERT_TRUE(put(QStringLiteral("%1/%2%3OCAI.cry").arg(folder, prefix).arg(i),
                        encrypt(resultText(prefix + QString::number(i),
                                           uniformRows({20 + d, 30 - d / 2, 25, 25 - d / 2},
                                                       {40 - d, 20, 20 + d, 20})))));
    }
}

// A file the desk and ocai-cli leave out, and one they count with a warning.
void writeDamagedAndWarned(const QString &folder)
{
    ASSERT_TRUE(put(folder + "/zzBadOCAI.cry", "not a result file"));
    ASSERT_TRUE(
        put(folder + "/zzOddOCAI.cry", testfiles::resultWithLine(23, "  30  30  30  30     30")));
}

// Runs the event loop and the pool until `done` holds, within a bounded number of turns.
template <typename Done> bool settle(Done done)
{
    for (int turn = 0; turn < 2000; ++turn) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        QThreadPool::globalInstance()->waitForDone(10);
    }
    return false;
}

QString pdfText(const QString &pdf)
{
    return testpdf::run(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// Every worksheet's XML, by name: what the workbook holds, without its creation time.
std::map<QString, QString> sheets(const QString &xlsx)
{
    std::map<QString, QString> found;
    for (const auto &[name, content] : testzip::members(xlsx))
        if (name.startsWith(QStringLiteral("xl/worksheets/sheet")))
            found[name] = QString::fromUtf8(content);
    return found;
}

QByteArray bytesOf(const desk::Made &made)
{
    const auto *bytes = std::get_if<QByteArray>(&made);
    if (const auto *failure = std::get_if<documents::Failure>(&made))
        ADD_FAILURE() << failure->reason.toStdString();
    return bytes ? *bytes : QByteArray();
}

class DeskDocumentsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testpdf::hasPoppler())
            GTEST_SKIP() << "poppler-utils are not installed";
        // The text report's date, as ocai-cli's under LC_ALL=C.
        QLocale::setDefault(testcli::cliLocale(QLocale::c()));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QString cli(const QString &command, const QString &name, const QString &folder, int exitCode)
    {
        const QString out = dir.filePath("cli-" + name);
        const auto run = testcli::runCli({command, "--out", out, folder}, {}, "C.UTF-8");
        EXPECT_EQ(run.exitCode, exitCode) << run.err.toStdString();
        return out;
    }
    QString desk(const QString &name, const desk::Made &made)
    {
        const QString out = dir.filePath("desk-" + name);
        EXPECT_TRUE(testfiles::writeFile(out, bytesOf(made)));
        return out;
    }

    QTemporaryDir dir;
};

// The same folder gives the same PDF text, the same worksheets and the same text report
// through the desk as through ocai-cli, every number included; a damaged file is left out and
// named by both.
TEST_F(DeskDocumentsCli, TheDesksDocumentsAreTheCommandLines)
{
    const struct {
        QString folder;
        bool damaged;
    } cases[] = {{"Отдел продаж", false}, {"Склад", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        const QString folder = dir.filePath(c.folder);
        writeRespondents(folder, "p", 5);
        if (c.damaged)
            writeDamagedAndWarned(folder);
        const desk::Group group = desk::loadGroup(folder, c.folder);
        const int exitCode = c.damaged ? 1 : 0; // ocai-cli says it left a file out

        const QString deskPdf = desk(c.folder + ".pdf", desk::profilePdf(group, {}));
        const QString pdf = pdfText(deskPdf);
        EXPECT_EQ(pdf, pdfText(cli("pdf", c.folder + ".pdf", folder, exitCode)));
        EXPECT_TRUE(pdf.contains(c.damaged ? "Респондентов: 6" : "Респондентов: 5")) // one warned
            << pdf.left(400).toStdString();

        const auto deskSheets = sheets(desk(c.folder + ".xlsx", desk::workbook({group}, {})));
        EXPECT_EQ(deskSheets.size(), 4u);
        EXPECT_EQ(deskSheets, sheets(cli("export", c.folder + ".xlsx", folder, exitCode)));

        if (c.damaged) {
            for (const QString &text : {pdf, deskSheets.at("xl/worksheets/sheet2.xml")})
                for (const char *named : {"zzBadOCAI.cry", "zzOddOCAI.cry"})
                    EXPECT_TRUE(text.contains(named)) << named;
        } else {
            EXPECT_EQ(testfiles::contentsOf(desk(c.folder + ".txt", desk::textReport(group))),
                      testfiles::contentsOf(cli("report", c.folder + ".txt", folder, 0)));
        }
    }
}

desk::Group groupOf(const QString &name, const std::vector<std::array<int, 4>> &current,
                    const QStringList &damaged = {}, const QStringList &warned = {})
{
    desk::Group group;
    group.name = name;
    group.folder = "/survey/" + name;
    survey::GroupBuilder builder;
    for (std::size_t i = 0; i < current.size(); ++i) {
        desk::Respondent r;
        r.path = QStringLiteral("%1/r%2OCAI.cry").arg(group.folder).arg(i);
        r.row.fileName = QFileInfo(r.path).fileName();
        for (int row = 0; row < survey::kAnswerRows; ++row)
            for (int type = 0; type < survey::kTypeCount; ++type)
                r.row.answers[std::size_t(row)][std::size_t(type)] =
                    row < 6 ? current[i][std::size_t(type)] : 25;
        builder.add(r.row.answers, r.path);
        if (i < std::size_t(warned.size()))
            r.warnings << warned[int(i)];
        group.respondents.push_back(r);
    }
    for (const QString &problem : damaged) {
        desk::Respondent r;
        r.path = group.folder + "/badOCAI.cry";
        r.row.fileName = "badOCAI.cry";
        r.problem = problem;
        group.respondents.push_back(r);
    }
    if (builder.n() > 0)
        group.result = builder.take();
    return group;
}

template <typename Widget> Widget *named(QWidget &parent, const QString &name)
{
    for (Widget *widget : parent.findChildren<Widget *>())
        if (widget->accessibleName() == name)
            return widget;
    return nullptr;
}

QStringList headerOf(const QTableWidget &table)
{
    QStringList head;
    for (int column = 0; column < table.columnCount(); ++column)
        head << table.horizontalHeaderItem(column)->text();
    return head;
}

// A: statistics running, B: waiting, C: no readable answer. C must never show B's figures.
TEST(DeskViews, AGroupWithoutAnswersNeverShowsTheFiguresOfAGroupChosenBefore)
{
    const desk::Group a = groupOf("A", {{40, 30, 20, 10}, {30, 30, 20, 20}});
    const desk::Group b = groupOf("B", {{10, 20, 30, 40}, {20, 20, 30, 30}});
    const desk::Group c = groupOf("C", {}, {"файл пуст"});
    desk::GroupView view;
    {
        PoolBlocker pool;
        ASSERT_TRUE(pool.holding());
        view.showGroup(a);
        view.showGroup(b);
        view.showGroup(c);
    }
    ASSERT_TRUE(settle([&] { return !view.counting(); }));
    settle([] { return false; }); // any late result would land now
    EXPECT_EQ(named<QTableWidget>(view, "Статистика группы")->rowCount(), 0);
    EXPECT_EQ(named<QTextBrowser>(view, "Выводы")->toPlainText(),
              "В группе нет ни одного читаемого ответа.");
    // The statistics tab names the file left out.
    EXPECT_TRUE(named<QPlainTextEdit>(view, "Файлы вне расчёта")
                    ->toPlainText()
                    .contains("badOCAI.cry — файл пуст"));

    view.showGroup(b);
    ASSERT_TRUE(settle([&] { return !view.counting(); }));
    const QTableWidget *table = named<QTableWidget>(view, "Статистика группы");
    EXPECT_EQ(table->rowCount(), 8);
    EXPECT_EQ(headerOf(*table), report::spreadTable({}).head); // the PDF's table
}

TEST(DeskViews, TheComparisonShowsTheLastPairAndComputesTheOnesBetweenNever)
{
    const desk::Group a = groupOf("A", {{40, 30, 20, 10}, {30, 30, 20, 20}});
    const desk::Group b = groupOf("B", {{10, 20, 30, 40}, {20, 20, 30, 30}});
    const desk::Group c = groupOf("C", {}, {"файл пуст"});
    desk::CompareView view;
    QLabel *summary = named<QLabel>(view, "Выводы сравнения");
    ASSERT_NE(summary, nullptr);
    {
        PoolBlocker pool;
        ASSERT_TRUE(pool.holding());
        view.compare(a, b);
        view.compare(b, a);
        view.compare(c, a);
    }
    ASSERT_TRUE(settle([&] { return !view.counting(); }));
    settle([] { return false; });
    EXPECT_EQ(summary->text(), "В группе «C» нет ни одного читаемого ответа.");
    EXPECT_EQ(named<QTableWidget>(view, "Сравнение групп")->rowCount(), 0);

    view.compare(b, a);
    ASSERT_TRUE(settle([&] { return !view.counting(); }));
    EXPECT_TRUE(summary->text().contains("«B»")) << summary->text().toStdString();
    const QTableWidget *table = named<QTableWidget>(view, "Сравнение групп");
    EXPECT_EQ(headerOf(*table), report::comparisonTable({}, "B", "A").head);
    EXPECT_TRUE(headerOf(*table).contains("p, t-тест Уэлча"));
}

TEST(DeskLatestTask, RunsTheFirstAndTheLatestAndDeliversOnlyTheLatest)
{
    const struct {
        const char *name;
        bool clearAtEnd;
        QList<int> delivered;
    } cases[] = {{"run 1, 2, 3", false, {3}}, {"run 1, 2, 3, clear", true, {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QList<int> delivered;
        desk::LatestTask<int> task([&](const int &value) { delivered << value; });
        {
            PoolBlocker pool;
            ASSERT_TRUE(pool.holding());
            for (int request = 1; request <= 3; ++request)
                task.run([request] { return request; });
            if (c.clearAtEnd)
                task.clear();
        }
        ASSERT_TRUE(settle([&] { return !task.busy(); }));
        settle([] { return false; });
        EXPECT_EQ(delivered, c.delivered);
        EXPECT_EQ(task.started(), c.clearAtEnd ? 1 : 2); // request 2 was never computed
    }
}

TEST(DeskComparePairs, OffersOnlyGroupsThatShareNoRespondent)
{
    std::vector<desk::Group> groups{groupOf("P", {{40, 30, 20, 10}}),
                                    groupOf("S", {{10, 20, 30, 40}}),
                                    groupOf("W", {{25, 25, 25, 25}})};
    const struct {
        std::size_t groups;
        int current;
        QStringList labels;
    } cases[] = {
        {3, 0, {"S", "W", "Остальные"}},
        {3, 2, {"P", "S", "Остальные"}},
        {3, -1, {"«P» и остальные", "«S» и остальные", "«W» и остальные"}},
        {2, 0, {"S"}},
        {2, -1, {"«P» и остальные", "«S» и остальные"}},
        {1, 0, {}},
        {1, -1, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.groups << " groups, current " << c.current);
        const std::vector<desk::Group> some(groups.begin(), groups.begin() + long(c.groups));
        const QList<desk::CompareChoice> choices = desk::compareChoices(some, c.current);
        QStringList labels;
        for (const desk::CompareChoice &choice : choices) {
            labels << choice.label;
            const auto [a, b] = desk::comparedGroups(some, choice);
            QSet<QString> inA;
            for (const desk::Respondent &r : a.respondents)
                inA.insert(r.path);
            for (const desk::Respondent &r : b.respondents)
                EXPECT_FALSE(inA.contains(r.path)) << r.path.toStdString();
            EXPECT_EQ(a.result.n + b.result.n <= int(c.groups), true);
        }
        EXPECT_EQ(labels, c.labels);
    }
    // "«S» и остальные": S against P and W together.
    const auto [a, b] = desk::comparedGroups(groups, desk::compareChoices(groups, -1)[1]);
    EXPECT_EQ(a.name, "S");
    EXPECT_EQ(b.name, "Остальные");
    EXPECT_EQ(b.result.n, 2);
}

// Every point where a document asks for cancelling stops it there.
TEST(DeskDocuments, EveryCancelPointStopsTheDocument)
{
    const std::vector<desk::Group> groups{groupOf("A", {{40, 30, 20, 10}, {30, 30, 20, 20}}),
                                          groupOf("B", {{10, 20, 30, 40}, {20, 20, 30, 30}}),
                                          groupOf("C", {{25, 25, 25, 25}, {20, 30, 20, 30}})};
    const desk::ReportTitle title{{}, {}, 1}; // every group shown
    const std::vector<std::pair<const char *, std::function<desk::Made(const desk::CancelCheck &)>>>
        documents = {{"workbook",
                      [&](const desk::CancelCheck &cancel) {
                          return desk::workbook(groups, title, cancel);
                      }},
                     {"profile", [&](const desk::CancelCheck &cancel) {
                          return desk::profilePdf(groups[0], title, QDate(2026, 12, 7), cancel);
                      }}};
    for (const auto &[name, make] : documents) {
        SCOPED_TRACE(name);
        int points = 0;
        EXPECT_TRUE(std::holds_alternative<QByteArray>(make([&] { return ++points, false; })));
        EXPECT_GE(points, 4); // before each sheet or page at least
        for (int stop = 1; stop <= points; ++stop) {
            int asked = 0;
            EXPECT_TRUE(std::holds_alternative<documents::Cancelled>(make([&] {
                return ++asked >= stop;
            }))) << "cancelled at point "
                 << stop;
        }
    }
}

TEST(DeskJobBar, CancelIsOffOnceWritingHasBegunAndTheJobEndsAsDone)
{
    desk::JobBar bar;
    QSemaphore began, proceed;
    std::optional<desk::JobOutcome> outcome;
    ASSERT_TRUE(bar.start(
        "…",
        [&](desk::JobControl &job) {
            const bool writing = job.beginWriting();
            began.release();
            proceed.acquire();
            return writing ? desk::JobOutcome::done() : desk::JobOutcome::cancelled();
        },
        [&](const desk::JobOutcome &o) { outcome = o; }));
    ASSERT_TRUE(began.tryAcquire(1, 20000));
    EXPECT_TRUE(settle([&] { return !bar.canCancel(); }));
    bar.cancel(); // too late: the file is being written
    proceed.release();
    bar.wait();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->kind, desk::JobOutcome::Kind::Done);
}

class DeskDocumentsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        // Five each: the anonymity floor lets every group into a client document.
        writeRespondents(dir.filePath("Продажи"), "p", 5);
        writeRespondents(dir.filePath("Склад"), "s", 5, 5);
        writeRespondents(dir.filePath("Офис"), "o", 5, 11);
        desk::rememberTitle(dir.path(), {"ООО «Ромашка»", "Опрос персонала"});
        QSignalSpy loaded(&window.loader(), &desk::SurveyLoader::surveyChanged);
        window.openSurvey(dir.path());
        ASSERT_TRUE(loaded.wait(20000));
        ASSERT_EQ(window.groupCount(), 4);
    }

    QTemporaryDir dir;
    RecordingDesktopShell shell;
    FakeDialogs dialogs;
    desk::DeskWindow window{shell};
};

// A job cancelled before it starts makes no file and replaces none.
TEST_F(DeskDocumentsWindow, ACancelledDocumentNeitherCreatesNorReplacesAFile)
{
    const QString existing = dir.filePath("old.xlsx"), fresh = dir.filePath("new.pdf");
    ASSERT_TRUE(testfiles::writeFile(existing, "earlier"));
    const std::vector<std::pair<void (desk::DeskWindow::*)(), QString>> commands = {
        {&desk::DeskWindow::writeWorkbook, existing}, {&desk::DeskWindow::writeProfilePdf, fresh}};
    for (const auto &[command, path] : commands) {
        dialogs.nextPath = path;
        {
            PoolBlocker pool;
            ASSERT_TRUE(pool.holding());
            (window.*command)();
            ASSERT_TRUE(window.jobs().canCancel());
            window.jobs().cancel();
        }
        window.jobs().wait();
        EXPECT_FALSE(window.jobs().busy());
    }
    EXPECT_EQ(testfiles::contentsOf(existing), "earlier");
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_TRUE(window.lastDocument().isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

// "Все вместе" is compared as each group against the others; the comparison report carries the
// organisation and the caption as the profile report does.
TEST_F(DeskDocumentsWindow, AllTogetherIsComparedAsAGroupAgainstTheRest)
{
    if (!testpdf::hasPoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    window.selectGroup(window.groupCount() - 1);
    auto *compare = window.findChild<desk::CompareView *>();
    ASSERT_NE(compare, nullptr);
    ASSERT_TRUE(compare->compared());
    const auto &[a, b] = *compare->compared();
    EXPECT_EQ(a.name, "Офис");
    EXPECT_EQ(b.name, "Остальные");
    EXPECT_EQ(a.result.n + b.result.n, 15);

    dialogs.nextPath = dir.filePath("compare.pdf");
    window.writeComparisonPdf();
    window.jobs().wait();
    ASSERT_EQ(window.lastDocument(), dialogs.nextPath);
    const QString text = pdfText(dialogs.nextPath).simplified();
    EXPECT_TRUE(text.contains("ООО «Ромашка»")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("Опрос персонала"));
    EXPECT_TRUE(text.contains("«Остальные»")) << text.left(300).toStdString();
}

// Three groups or more chosen make one organisation report; a single group is refused with
// the reason, and no file is asked for.
TEST_F(DeskDocumentsWindow, ThreeGroupsChosenMakeOneOrganisationReport)
{
    if (!testpdf::hasPoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    window.selectGroup(0);
    dialogs.nextPath = dir.filePath("one.pdf");
    window.writeOrganisationPdf();
    window.jobs().wait();
    EXPECT_FALSE(QFile::exists(dialogs.nextPath));

    window.selectGroup(window.groupCount() - 1); // "Все вместе": every group
    dialogs.nextPath = dir.filePath("organisation.pdf");
    window.writeOrganisationPdf();
    window.jobs().wait();
    ASSERT_EQ(window.lastDocument(), dialogs.nextPath);
    const QString text = pdfText(dialogs.nextPath).simplified();
    EXPECT_TRUE(text.contains("ООО «Ромашка»")) << text.left(300).toStdString();
    for (const char *group : {"Продажи", "Склад", "Офис"})
        EXPECT_TRUE(text.contains(QStringLiteral("Группа «%1», N = 5").arg(group))) << group;
}

} // namespace

// The desk's documents for a client hold back groups under the survey's floor, kept per survey
// in the desk's settings (test mode: never the user's own).
TEST(DeskDocuments, GroupsUnderTheSurveysFloorAreHeldBack)
{
    QStandardPaths::setTestModeEnabled(true);
    std::vector<std::array<int, 4>> three(3, {40, 30, 20, 10}), six(6, {10, 20, 30, 40});
    const desk::Group small = groupOf("Бухгалтерия", three), large = groupOf("Склад", six);
    const struct {
        int floor;
        bool profile, comparison; // made
        int workbookGroups;       // sheets between «Сводка» and the respondents' sheets
    } cases[] = {{5, false, false, 1}, {3, true, true, 2}, {7, false, false, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.floor);
        const desk::ReportTitle title{"ООО «Ромашка»", "Опрос", c.floor};
        const desk::Made profile = desk::profilePdf(small, title);
        EXPECT_EQ(std::holds_alternative<QByteArray>(profile), c.profile);
        if (const auto *failure = std::get_if<documents::Failure>(&profile)) {
            EXPECT_TRUE(failure->reason.contains("Группа «Бухгалтерия» не показана"))
                << failure->reason.toStdString();
        }
        EXPECT_EQ(std::holds_alternative<QByteArray>(desk::comparisonPdf(large, small, title)),
                  c.comparison);
        const QByteArray book = bytesOf(desk::workbook({small, large}, title));
        QTemporaryDir dir;
        const QString file = dir.filePath("book.xlsx");
        ASSERT_TRUE(testfiles::writeFile(file, book));
        const QString names = QString::fromUtf8(testzip::member(file, "xl/workbook.xml"));
        EXPECT_EQ(names.count("<sheet "), 1 + c.workbookGroups + (c.workbookGroups > 0 ? 2 : 0));
    }

    // Remembered per survey; a damaged floor falls back to the default.
    QTemporaryDir survey;
    desk::rememberTitle(survey.path(), {"О", "П", 12, true});
    const auto remembered = desk::rememberedTitle(survey.path());
    ASSERT_TRUE(remembered);
    EXPECT_EQ(remembered->minGroup, 12);
    EXPECT_TRUE(remembered->freeText);
    desk::rememberTitle(survey.path(), {"О", "П", 0});
    EXPECT_EQ(desk::rememberedTitle(survey.path())->minGroup, documents::kDefaultMinGroup);
}

// The survey's floor and free-text choice are set beside its organisation and caption.
TEST(DeskDocuments, TheTitleDialogSetsTheFloorAndTheFreeText)
{
    desk::ReportTitleDialog dialog({"ООО «Ромашка»", "Опрос", 7, true});
    auto *floor = named<QSpinBox>(dialog, "Наименьшая группа");
    auto *freeText = named<QCheckBox>(dialog, "Свободный текст");
    ASSERT_TRUE(floor && freeText);
    EXPECT_EQ(floor->value(), 7);
    EXPECT_EQ(floor->minimum(), 1);
    floor->setValue(3);
    freeText->setChecked(false);
    const desk::ReportTitle title = dialog.title();
    EXPECT_EQ(title.minGroup, 3);
    EXPECT_FALSE(title.freeText);
    EXPECT_EQ(title.organisation, "ООО «Ромашка»");
}
