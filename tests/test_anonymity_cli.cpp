// The anonymity floor of what goes to a client, read through the workbook's cells and the
// PDF's text: small groups held back and said so, no path, no free text unless asked.
#include "cli_runner.h"
#include "pdf_tools.h"
#include "result_files.h"
#include "xlsx_cells.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testcli::runCli;
using namespace testxlsx;

const QString kFreeText = QStringLiteral("Иванов Пётр, главный бухгалтер");

class AnonymityCli : public ::testing::Test {
protected:
    // A folder `name` of `n` result files, each with the free text above.
    QString group(const QString &name, int n)
    {
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (int i = 0; i < n; ++i) {
            QString text = testfiles::resultText(
                QStringLiteral("p%1").arg(i),
                testfiles::uniformRows({20 + i % 7, 30, 30, 20 - i % 7}, {40, 30, 20, 10}));
            text.replace(QStringLiteral("Отдел продаж"), kFreeText);
            EXPECT_TRUE(testfiles::writeFile(folder + QStringLiteral("/p%1OCAI.cry").arg(i),
                                             testfiles::encrypt(text)));
        }
        return folder;
    }

    // The texts of column A of a sheet, top to bottom.
    static QStringList columnA(const std::map<QString, Cell> &sheet)
    {
        std::map<int, QString> rows;
        for (const auto &[ref, cell] : sheet)
            if (ref.startsWith(u'A') && ref.at(1).isDigit())
                rows[ref.mid(1).toInt()] = cell.value;
        QStringList texts;
        for (const auto &[row, text] : rows)
            texts << text;
        return texts;
    }

    QTemporaryDir dir;
};

TEST_F(AnonymityCli, TheWorkbookHoldsBackSmallGroupsAndSaysWhy)
{
    const QString small = group(QStringLiteral("Бухгалтерия"), 3);
    const QString mid = group(QStringLiteral("Склад"), 20);
    const QString large = group(QStringLiteral("ИТ"), 25);
    const QString lone = group(QStringLiteral("Один"), 1);
    const QString file = lone + QStringLiteral("/p0OCAI.cry");
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    struct Case {
        QStringList args;
        QStringList groupSheets; // between «Сводка» and the respondents' sheets
        QStringList heldBack;    // named in «Сводка» as held back
        int respondents;         // rows of «Респонденты»
    } cases[] = {
        {{small, mid, large}, {"Склад", "ИТ"}, {"Бухгалтерия"}, 45},
        {{"--min-group", "3", small, mid, large}, {"Бухгалтерия", "Склад", "ИТ"}, {}, 48},
        {{"--min-group", "21", small, mid, large}, {"ИТ"}, {"Бухгалтерия", "Склад"}, 25},
        // A respondent's own workbook of his one file; a folder of one is a group.
        {{file}, {"p0OCAI"}, {}, 1},
        {{lone, large}, {"ИТ"}, {"Один"}, 25},
        {{lone}, {}, {"Один"}, 0},
    };
    for (const Case &c : cases) {
        const std::string label = c.args.join(' ').toStdString();
        QFile::remove(out);
        const auto run = runCli(QStringList{"export", "--out", out} + c.args);
        // Written even when it shows no group, but then that is no success.
        ASSERT_EQ(run.exitCode, c.groupSheets.isEmpty() ? 1 : 0) << label << run.err.toStdString();
        const QStringList raw =
            c.respondents > 0 ? QStringList{"Респонденты", "Ответы"} : QStringList();
        EXPECT_EQ(sheetNames(out), QStringList{"Сводка"} + c.groupSheets + raw) << label;
        const QStringList summary = columnA(cells(out, 1));
        // The caption, heading, meaning and header; a row per shown group and no total; then
        // a heading over the sentences of those held back.
        EXPECT_EQ(summary.size(),
                  4 + c.groupSheets.size() + (c.heldBack.isEmpty() ? 0 : 1 + c.heldBack.size()))
            << summary.join('|').toStdString();
        for (const QString &name : c.groupSheets)
            EXPECT_TRUE(summary.contains(name)) << label;
        for (const QString &name : c.heldBack) {
            EXPECT_FALSE(summary.contains(name)) << label;
            EXPECT_EQ(summary.filter(QStringLiteral("Группа «%1» не показана").arg(name)).size(), 1)
                << label;
            EXPECT_TRUE(run.err.contains(("не показана группа " + name).toUtf8())) << label;
        }
        if (c.respondents > 0) {
            // The caption and the header row, then one row per respondent shown.
            const QStringList rows = columnA(cells(out, 2 + int(c.groupSheets.size())));
            EXPECT_EQ(rows.size(), 2 + c.respondents) << label;
            for (const QString &name : c.heldBack)
                EXPECT_FALSE(rows.contains(name)) << label;
        }
        // Nothing shows where the files lie, nor what a respondent wrote of himself.
        const QString all = allText(out);
        EXPECT_FALSE(all.contains(dir.path())) << label;
        EXPECT_FALSE(all.contains(kFreeText)) << label;
    }
}

TEST_F(AnonymityCli, TheWorkbookOpensOnTheSummaryUnderItsClientAndCaption)
{
    const QString it = group(QStringLiteral("ИТ"), 6);
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QString client = QStringLiteral("ООО «Северная звезда»");
    const QString caption = QStringLiteral("Опрос персонала, декабрь 2026");
    ASSERT_EQ(runCli({"export", "--client", client, "--title", caption, "--free-text", "--names",
                      "Информационные технологии", "--out", out, it})
                  .exitCode,
              0);
    const QStringList sheets = sheetNames(out);
    ASSERT_EQ(sheets.size(), 4);
    for (int sheet = 1; sheet <= sheets.size(); ++sheet) {
        auto found = cells(out, sheet);
        EXPECT_EQ(found["A1"].value, client) << sheet;
        EXPECT_EQ(found["A2"].value, caption) << sheet;
    }
    // The summary's row of the group: N, the scores, and the agenda of each type.
    auto summary = cells(out, 1);
    EXPECT_EQ(summary["A7"].value, QStringLiteral("Информационные технологии"));
    EXPECT_EQ(summary["B7"].value, QStringLiteral("6"));
    EXPECT_EQ(summary["G7"].value, QStringLiteral("40"));
    EXPECT_EQ(summary["L7"].value, QStringLiteral("Клан [A]"));
    EXPECT_EQ(summary["M7"].value, QStringLiteral("Больше: 6 из 6 хотят больше, 0 — меньше"));
    // D: the group keeps it (−7,5), one respondent wants less.
    EXPECT_EQ(summary["P7"].value, QStringLiteral("Сохранить: 0 из 6 хотят больше, 1 — меньше"));
    // Each block of the group's sheet says in a line what it means, under its heading.
    const QStringList group = columnA(cells(out, 2));
    for (const QString &heading :
         {QStringLiteral("Профиль и желаемые изменения"), QStringLiteral("Разброс оценок"),
          QStringLiteral("Доминирующий тип"), QStringLiteral("Таблица средних: баллы по вопросам")})
        ASSERT_TRUE(group.contains(heading)) << heading.toStdString();
    EXPECT_TRUE(group.at(group.indexOf("Разброс оценок") + 1).startsWith("Насколько расходятся"));
    // Asked for, the free text is in the respondents' sheet.
    EXPECT_TRUE(allText(out).contains(kFreeText));
}

TEST_F(AnonymityCli, APdfOfASmallGroupIsRefusedWithTheReason)
{
    const QString small = group(QStringLiteral("Бухгалтерия"), 3);
    const QString large = group(QStringLiteral("ИТ"), 20);
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    struct Case {
        QStringList args;
        int exitCode;
        const char *said; // on stderr, or in the report's text when it is made
    } cases[] = {
        {{small}, 1, "Группа «Бухгалтерия» не показана: в ней 3"},
        {{large, small}, 1, "Группа «Бухгалтерия» не показана"},
        {{"--min-group", "3", small}, 0, "Группа «Бухгалтерия»"},
        {{small + QStringLiteral("/p0OCAI.cry")}, 0, "Респондент «p0»"},
        {{"--min-group", "0", large}, 2, "--min-group '0'"},
        {{"--min-group", "1001", large}, 2, "--min-group '1001'"},
        {{"--min-group", "+5", large}, 2, "--min-group '+5'"},
        {{"--min-group", "5x", large}, 2, "--min-group '5x'"},
    };
    for (const Case &c : cases) {
        QFile::remove(pdf);
        const auto run = runCli(QStringList{"pdf", "--out", pdf} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_EQ(QFile::exists(pdf), c.exitCode == 0) << c.args.join(' ').toStdString();
        if (c.exitCode == 0 && !testpdf::hasPoppler())
            continue;
        const QByteArray said =
            c.exitCode == 0 ? testpdf::run("pdftotext", {pdf, "-"}).toUtf8() : run.err;
        EXPECT_TRUE(said.contains(c.said)) << said.left(600).toStdString();
        // The same floor for the workbook.
        if (c.exitCode == 2) {
            EXPECT_EQ(
                runCli(QStringList{"export", "--out", dir.filePath("x.xlsx")} + c.args).exitCode,
                2);
        }
    }
}

// The organisation report counts the groups it shows, on its cover, in its footer and in the
// file's properties; a held-back one is named only in the sentence that says why.
TEST_F(AnonymityCli, TheOrganisationReportCountsTheGroupsItShows)
{
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = dir.filePath(QStringLiteral("org.pdf"));
    const auto run =
        runCli({"pdf", "--client", "ООО «Ромашка»", "--out", pdf,
                group(QStringLiteral("Бухгалтерия"), 3), group(QStringLiteral("ИТ"), 5),
                group(QStringLiteral("Склад"), 6), group(QStringLiteral("Офис"), 7)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The count is joined by a no-break space, which the tools may give as a space.
    const auto read = [](const char *tool, const QStringList &args) {
        return QString::fromUtf8(testcli::runProgram(tool, args, {}, "C.UTF-8", {}, {}).out)
            .replace(QChar(0x00A0), u' ');
    };
    const QString info = read("pdfinfo", {pdf}), text = read("pdftotext", {pdf, "-"});
    EXPECT_TRUE(info.contains("3 группы")) << info.toStdString();
    EXPECT_FALSE(info.contains("4 группы")) << info.toStdString();
    EXPECT_TRUE(text.contains("3 группы"));
    EXPECT_FALSE(text.contains("4 группы"));
    EXPECT_TRUE(text.contains(QStringLiteral("Группа «Бухгалтерия» не показана")));
}

// A second questionnaire of one code lifts no group over the floor, in the PDF and the workbook
// alike: five files of four people are a group of four.
TEST_F(AnonymityCli, ARepeatedCodeCountsOnceForTheFloor)
{
    const QString store = group(QStringLiteral("Склад"), 4);
    ASSERT_TRUE(testfiles::writeCodedResult(store, QStringLiteral("p0-2OCAI.cry"), "p0"));
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const auto refused = runCli({"pdf", "--out", pdf, store});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("«Склад» не показана: в ней 4")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const auto exported = runCli({"export", "--out", out, store, group(QStringLiteral("ИТ"), 5)});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(sheetNames(out), (QStringList{"Сводка", "ИТ", "Респонденты", "Ответы"}));
    // Every file is kept: the group's own figures still count five, and say that the client's
    // documents will count four.
    const QByteArray stats = runCli({"stats", store}).out;
    EXPECT_TRUE(stats.contains("Респондентов (N): 5")) << stats.toStdString();
    EXPECT_TRUE(stats.contains(QStringLiteral("меньше 5\u00A0респондентов").toUtf8()));
}

// The analysis commands are the consultant's own: small groups stay, marked.
TEST_F(AnonymityCli, TheAnalysisCommandsShowSmallGroupsMarked)
{
    const QString small = group(QStringLiteral("Бухгалтерия"), 3);
    const QString large = group(QStringLiteral("ИТ"), 5);
    const QByteArray mark = QStringLiteral("меньше 5\u00A0респондентов").toUtf8();
    const struct {
        QStringList args;
        int marks;
    } cases[] = {
        {{"stats", small}, 1},
        {{"stats", large}, 0},
        {{"compare", small, large}, 1},
    };
    for (const auto &c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.count(mark), c.marks) << run.out.toStdString();
    }
}

} // namespace
