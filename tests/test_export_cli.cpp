// ocai-cli export read back as a spreadsheet program reads it: the parts' XML out of the zip.
#include "cli_runner.h"
#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "result_files.h"
#include "survey/group_mean.h"
#include "xlsx_cells.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

using testcli::runCli;
using namespace testxlsx;

// A folder `name` under `parent` with a result file for each code; respondent i's current A
// is 10 + i.
QString writeFolder(const QString &parent, const QString &name, const QStringList &codes)
{
    const QString folder = parent + QLatin1Char('/') + name;
    EXPECT_TRUE(QDir().mkpath(folder));
    for (int i = 0; i < codes.size(); ++i)
        EXPECT_TRUE(testfiles::writeFile(
            folder + QStringLiteral("/p%1OCAI.cry").arg(i),
            testfiles::encrypt(testfiles::resultText(
                codes[i], testfiles::uniformRows({10 + i, 20, 30, 40 - i}, {40, 30, 20, 10})))));
    return folder;
}

const QString kLongName = QStringLiteral("Отдел продаж и маркетинга северного региона");

} // namespace

TEST(ExportCli, GoodFoldersAreWrittenBesideAFailingOne)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const auto run = runCli({"export", "--min-group", "1", "--out", out,
                             writeFolder(dir.filePath("a"), kLongName, {"=1+1", "_x0041_"}),
                             writeFolder(dir.path(), "empty", {}),
                             writeFolder(dir.filePath("b"), kLongName, {"@x"})});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("export: пропущено ")) << run.err.toStdString();

    const QString book = member(out, QStringLiteral("xl/workbook.xml"));
    for (const QString &sheet : {QStringLiteral("Сводка"), QStringLiteral("Респонденты"),
                                 kLongName.left(31), kLongName.left(27) + QStringLiteral(" (2)")})
        EXPECT_TRUE(book.contains(QStringLiteral("name=\"%1\"").arg(sheet))) << sheet.toStdString();

    // Texts stay texts, never formulas; dates and times are numbers in their formats; then the
    // respondent's current clan score, and on the answers' sheet the first points and times.
    // Under the caption and the header row; no free text column unless asked.
    std::map<QString, Cell> sheets[] = {{}, cells(out, 4), cells(out, 5)};
    EXPECT_EQ(sheets[1].count("A5"), 1u);
    EXPECT_EQ(sheets[1].count("A6"), 0u);
    const struct {
        int sheet;
        const char *ref, *text; // a text cell's text, or nullptr for a number
        double number;
        const char *format;
    } expected[] = {
        {1, "C3", "=1+1", 0, nullptr},
        {1, "C5", "@x", 0, nullptr},
        {1, "C4", "_x005F_x0041_", 0, nullptr},
        {1, "D3", nullptr, 46093, "dd.mm.yyyy"},
        {1, "E3", nullptr, 36932 / 86400.0, "hh:mm:ss"},
        {1, "F3", nullptr, 845 / 86400.0, "[h]:mm:ss"},
        {1, "G4", nullptr, 11, "0.00"},
        {2, "F3", nullptr, 10, nullptr},
        {2, "I15", nullptr, 39, nullptr},
        {2, "J14", nullptr, 41 / 86400.0, "[h]:mm:ss"},
    };
    for (const auto &c : expected) {
        const Cell &found = sheets[c.sheet][QLatin1String(c.ref)];
        EXPECT_EQ(found.text, c.text != nullptr) << c.ref;
        if (c.text)
            EXPECT_EQ(found.value, QString::fromUtf8(c.text)) << c.ref;
        else
            EXPECT_NEAR(found.value.toDouble(), c.number, 1e-12) << c.ref;
        EXPECT_EQ(found.format, QLatin1String(c.format)) << c.ref;
    }

    // One respondent: N is 1; the standard deviation and the interval are empty cells, not texts.
    auto single = cells(out, 3);
    EXPECT_EQ(single["B5"].value, "1");
    EXPECT_FALSE(single["C40"].text);
    for (const char *undefined : {"D40", "G40", "H40"})
        EXPECT_EQ(single.count(QLatin1String(undefined)), 0u) << undefined;
}

// Names that read as numbers or cells, an apostrophe, emoji, forbidden characters and
// characters XML refuses, in sheet names and texts: a workbook every reader opens.
TEST(ExportCli, HostileNamesGiveAWorkbookReadersAccept)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QStringList names{"2024",       "Q1", "R1C1",          "A1", "it's", "\U0001F600",
                            "\U0001F603", "?*", "x\uFFFE\uFDD0y"};
    QStringList args{"export", "--min-group", "1", "--out", out, "--names", names.join(',')};
    for (int i = 0; i < names.size(); ++i)
        args << writeFolder(dir.path(), QStringLiteral("g%1\uFFFF").arg(i), {"p"});
    ASSERT_EQ(runCli(args).exitCode, 0);
    args[6] = "a,b";
    EXPECT_EQ(runCli(args).exitCode, 2);

    const QStringList sheets{"Сводка", "2024",  "Q1", "R1C1", "A1",          "it's",
                             "_",      "_ (2)", "__", "x__y", "Респонденты", "Ответы"};
    QStringList found;
    const QStringList parts = testzip::names(out);
    ASSERT_EQ(parts.size(), 11 + 5 * names.size()) << parts.join(' ').toStdString();
    for (const QString &part : parts) {
        const QList<uint> text = QString::fromUtf8(member(out, part)).toUcs4();
        EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](uint c) {
            return QChar::isNonCharacter(c) || QChar::isSurrogate(c);
        })) << part.toStdString();
        // Chart k draws from the sheet of group k, quoted in every range.
        const int chart = QRegularExpression(QStringLiteral("charts/chart(\\d+)"))
                              .match(part)
                              .captured(1)
                              .toInt();
        const QString quoted = QString(sheets.value(chart)).replace("'", "''");
        for (const Element &e : elements(member(out, part))) {
            if (e.name == QLatin1String("sheet"))
                found << e.attributes.value("name").toString();
            if (e.name == QLatin1String("f") && chart > 0) {
                EXPECT_TRUE(e.text.startsWith("'" + quoted + "'!")) << e.text.toStdString();
            }
        }
    }
    EXPECT_EQ(found, sheets);
}

// Each figure of `stats` stands on the group's sheet: numbers as numbers, the dominant types,
// the flags of large changes and whether the questions agree.
TEST(ExportCli, GroupSheetHoldsEveryStatsFigure)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QString folder = writeFolder(dir.path(), "g", {"a", "b", "c"});
    ASSERT_EQ(runCli({"export", "--min-group", "1", "--out", out, folder}).exitCode, 0);
    const auto sheet = cells(out, 2);
    std::vector<double> numbers;
    std::map<QString, int> texts;
    for (const auto &[ref, cell] : sheet)
        cell.text ? void(++texts[cell.value]) : numbers.push_back(cell.value.toDouble());

    int flags = 0;
    const auto stats = runCli({"stats", "--format", "csv", folder});
    for (const QString &line : QString(stats.out).split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QString key = line.section(',', 0, 0), value = line.section(',', 1);
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        QStringList types;
        for (const QString &letter : value.split(' ', Qt::SkipEmptyParts))
            types << documents::typeLabel(letter.at(0).unicode() - 'A');
        if (isNumber)
            EXPECT_TRUE(std::any_of(numbers.begin(), numbers.end(), [number](double cell) {
                return std::abs(cell - number) <= 1e-12 * std::max(1.0, std::abs(number));
            })) << line.toStdString();
        else if (key.endsWith("flagged"))
            flags += value == "true";
        else if (key.contains("dominant"))
            EXPECT_TRUE(texts.count(types.join(" = "))) << line.toStdString();
        else if (key == "congruence.agree")
            EXPECT_TRUE(
                texts.count(value == "true" ? QStringLiteral("да") : QStringLiteral("нет")));
        else
            EXPECT_TRUE(texts.count(survey::meanKindCaption(*survey::meanKindFromName(value))))
                << line.toStdString();
    }
    EXPECT_EQ(texts["*"], flags);
    EXPECT_GT(flags, 0);
}

TEST(ExportCli, FilesNamedFromOneFolderAreOneGroup)
{
    QTemporaryDir dir;
    const QString folder = writeFolder(dir.path(), QStringLiteral("dept"), {"a", "b", "c"});
    const QString lone = writeFolder(dir.path(), QStringLiteral("lone"), {"d"});
    const auto file = [](const QString &in, int i) {
        return in + QStringLiteral("/p%1OCAI.cry").arg(i);
    };
    const QStringList files = {file(folder, 0), file(lone, 0), file(folder, 1), file(folder, 2),
                               file(folder, 1)};
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    ASSERT_EQ(runCli(QStringList{"export", "--min-group", "1", "--out", out} + files).exitCode, 0);
    // «Сводка», one sheet per group, then the two respondents' sheets.
    EXPECT_EQ(member(out, QStringLiteral("xl/workbook.xml")).count("<sheet "), 5);
    EXPECT_EQ(cells(out, 2)[QStringLiteral("B5")].value, QStringLiteral("3"));
    EXPECT_EQ(runCli({QStringLiteral("summary"), folder, lone}).out,
              runCli(QStringList{QStringLiteral("summary")} + files)
                  .out.replace(QDir::toNativeSeparators(file(lone, 0)).toUtf8(),
                               QDir::toNativeSeparators(lone).toUtf8()));
}

// The library behind the workbook opens its files with narrow calls: a temporary folder and an
// output named with letters outside a Russian Windows' code page still give the workbook.
TEST(ExportCli, ForeignLettersInTheTemporaryFolderAndTheOutput)
{
    QTemporaryDir dir;
    const QString temporary = dir.filePath(QStringLiteral("Временная Ω 日本"));
    ASSERT_TRUE(QDir().mkpath(temporary));
    const QString folder = writeFolder(dir.path(), QStringLiteral("Отдел Ω"), {"a", "b"});
    const QString out = dir.filePath(QStringLiteral("Книга Ω.xlsx"));
    const auto run =
        runCli({"export", "--min-group", "1", "--out", out, folder}, {}, QStringLiteral("C.UTF-8"),
               {}, {"TMPDIR=" + temporary, "TMP=" + temporary, "TEMP=" + temporary});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile book(out);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.read(4), QByteArray("PK\x03\x04", 4)); // a zip, as every workbook is
    // Nothing left behind (Qt's runtime folder of a session without one aside).
    EXPECT_EQ(QDir(temporary)
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                  .filter(QRegularExpression(QStringLiteral("^(?!runtime-)"))),
              QStringList());
}
