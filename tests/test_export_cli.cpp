// ocai-cli export read back as a spreadsheet program reads it: the parts' XML out of the zip.
#include "cli_runner.h"
#include "group_mean.h"
#include "result_files.h"
#include "statistics_report.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

using testcli::runCli;

QByteArray member(const QString &workbook, const QString &name)
{
    // unzip reads a name as a pattern: "[" stands for itself only in brackets.
    const QString pattern = QString(name).replace(QLatin1Char('['), QStringLiteral("[[]"));
    return testcli::runProgram(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, pattern},
                               {}, QStringLiteral("C.UTF-8"), {}, {})
        .out;
}

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
};

// Every element of a part in document order; a part that is not well-formed fails the test.
std::vector<Element> elements(const QByteArray &xml)
{
    std::vector<Element> found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            found.push_back({reader.name().toString(), reader.attributes(), {}});
        else if (reader.isCharacters() && !found.empty())
            found.back().text += reader.text();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return found;
}

struct Cell {
    bool text = false; // a string cell; otherwise a number
    QString value;
    QString format; // the number format's code, empty for none
};

// A worksheet's cells by reference ("C2"), each with its number format from xl/styles.xml.
std::map<QString, Cell> cells(const QString &workbook, int sheet)
{
    std::map<QString, QString> codes;
    QStringList formats; // by style index
    bool cellStyles = false;
    for (const Element &e : elements(member(workbook, QStringLiteral("xl/styles.xml")))) {
        if (e.name == QLatin1String("cellXfs") || e.name == QLatin1String("cellStyles"))
            cellStyles = e.name == QLatin1String("cellXfs");
        if (e.name == QLatin1String("numFmt"))
            codes[e.attributes.value("numFmtId").toString()] =
                e.attributes.value("formatCode").toString();
        else if (cellStyles && e.name == QLatin1String("xf"))
            formats << codes[e.attributes.value("numFmtId").toString()];
    }
    std::map<QString, Cell> found;
    QString ref;
    for (const Element &e :
         elements(member(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet)))) {
        if (e.name == QLatin1String("c")) {
            ref = e.attributes.value("r").toString();
            found[ref] = {
                e.attributes.hasAttribute("t"), {}, formats.value(e.attributes.value("s").toInt())};
        } else if (e.name == QLatin1String("v") || e.name == QLatin1String("t")) {
            found[ref].value = e.text;
        }
    }
    return found;
}

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
    const auto run =
        runCli({QStringLiteral("export"), QStringLiteral("--out"), out,
                writeFolder(dir.filePath(QStringLiteral("a")), kLongName,
                            {QStringLiteral("=1+1"), QStringLiteral("_x0041_")}),
                writeFolder(dir.path(), QStringLiteral("empty"), {}),
                writeFolder(dir.filePath(QStringLiteral("b")), kLongName, {QStringLiteral("@x")})});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("export: skipped ")) << run.err.toStdString();

    const QString book = member(out, QStringLiteral("xl/workbook.xml"));
    for (const QString &sheet : {QStringLiteral("Респонденты"), kLongName.left(31),
                                 kLongName.left(27) + QStringLiteral(" (2)")})
        EXPECT_TRUE(book.contains(QStringLiteral("name=\"%1\"").arg(sheet))) << sheet.toStdString();

    // Texts stay texts, never formulas; dates and times are numbers in their formats; then the
    // respondent's current clan score, and on the answers' sheet the first points and time.
    auto respondents = cells(out, 1), answers = cells(out, 2);
    EXPECT_EQ(respondents.count(QStringLiteral("A4")), 1u);
    EXPECT_EQ(respondents.count(QStringLiteral("A5")), 0u);
    const struct {
        std::map<QString, Cell> &sheet;
        const char *ref;
        Cell cell;
    } expected[] = {
        {respondents, "C2", {true, QStringLiteral("=1+1"), {}}},
        {respondents, "C4", {true, QStringLiteral("@x"), {}}},
        {respondents, "C3", {true, QStringLiteral("_x005F_x0041_"), {}}},
        {respondents, "E2", {false, QStringLiteral("46093"), QStringLiteral("dd.mm.yyyy")}},
        {respondents,
         "F2",
         {false, QString::number(36932 / 86400.0, 'g', 16), QStringLiteral("hh:mm:ss")}},
        {respondents,
         "G2",
         {false, QString::number(845 / 86400.0, 'g', 16), QStringLiteral("[h]:mm:ss")}},
        {respondents, "H2", {false, QStringLiteral("10"), QStringLiteral("0.00")}},
        {respondents, "H3", {false, QStringLiteral("11"), QStringLiteral("0.00")}},
        {answers, "F2", {false, QStringLiteral("10"), {}}},
        {answers, "I14", {false, QStringLiteral("39"), {}}},
        {answers,
         "J13",
         {false, QString::number(41 / 86400.0, 'g', 16), QStringLiteral("[h]:mm:ss")}},
    };
    for (const auto &[sheet, ref, cell] : expected) {
        const Cell &found = sheet[QLatin1String(ref)];
        EXPECT_EQ(found.text, cell.text) << ref;
        EXPECT_EQ(found.value, cell.value) << ref;
        EXPECT_EQ(found.format, cell.format) << ref;
    }

    // One respondent: N is 1; the standard deviation and the interval are empty cells, not texts.
    auto single = cells(out, 4);
    EXPECT_EQ(single[QStringLiteral("B3")].value, QStringLiteral("1"));
    EXPECT_FALSE(single[QStringLiteral("C36")].text);
    for (const char *undefined : {"D36", "G36", "H36"})
        EXPECT_EQ(single.count(QLatin1String(undefined)), 0u) << undefined;
}

// Names that read as numbers or cells, an apostrophe, emoji, forbidden characters and
// characters XML refuses, in sheet names and texts: a workbook every reader opens.
TEST(ExportCli, HostileNamesGiveAWorkbookReadersAccept)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QStringList names{
        QStringLiteral("2024"),       QStringLiteral("Q1"),   QStringLiteral("R1C1"),
        QStringLiteral("A1"),         QStringLiteral("it's"), QStringLiteral("\U0001F600"),
        QStringLiteral("\U0001F603"), QStringLiteral("?*"),   QStringLiteral("x\uFFFE\uFDD0y")};
    QStringList args{QStringLiteral("export"), QStringLiteral("--out"), out,
                     QStringLiteral("--names"), names.join(QLatin1Char(','))};
    for (int i = 0; i < names.size(); ++i)
        args << writeFolder(dir.path(), QStringLiteral("g%1\uFFFF").arg(i), {QStringLiteral("p")});
    ASSERT_EQ(runCli(args).exitCode, 0);
    args[4] = QStringLiteral("a,b");
    EXPECT_EQ(runCli(args).exitCode, 2);

    const QStringList sheets{
        QStringLiteral("Респонденты"), QStringLiteral("Ответы"), QStringLiteral("2024"),
        QStringLiteral("Q1"),          QStringLiteral("R1C1"),   QStringLiteral("A1"),
        QStringLiteral("it's"),        QStringLiteral("_"),      QStringLiteral("_ (2)"),
        QStringLiteral("__"),          QStringLiteral("x__y")};
    QStringList found;
    const QStringList parts =
        QString::fromUtf8(testcli::runProgram(QStringLiteral("unzip"), {QStringLiteral("-Z1"), out},
                                              {}, QStringLiteral("C.UTF-8"), {}, {})
                              .out)
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(parts.size(), 10 + 5 * names.size()) << parts.join(' ').toStdString();
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
        const QString quoted = QString(sheets.value(chart + 1)).replace("'", "''");
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
    const QString folder =
        writeFolder(dir.path(), QStringLiteral("g"),
                    {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    ASSERT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--out"), out, folder}).exitCode, 0);
    const auto sheet = cells(out, 3);
    std::vector<double> numbers;
    std::map<QString, int> texts;
    for (const auto &[ref, cell] : sheet)
        cell.text ? void(++texts[cell.value]) : numbers.push_back(cell.value.toDouble());

    int flags = 0;
    const auto stats = runCli(
        {QStringLiteral("stats"), QStringLiteral("--format"), QStringLiteral("csv"), folder});
    for (const QString &line :
         QString::fromUtf8(stats.out).split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QString key = line.section(',', 0, 0), value = line.section(',', 1);
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        QStringList types;
        for (const QString &letter : value.split(' ', Qt::SkipEmptyParts))
            types << letter + ' ' + survey::typeShortName(letter.at(0).unicode() - 'A');
        if (isNumber)
            EXPECT_TRUE(std::any_of(numbers.begin(), numbers.end(), [number](double cell) {
                return std::abs(cell - number) <= 1e-12 * std::max(1.0, std::abs(number));
            })) << line.toStdString();
        else if (key.endsWith(QLatin1String("flagged")))
            flags += value == QLatin1String("true");
        else if (key.contains(QLatin1String("dominant")))
            EXPECT_TRUE(texts.count(types.join(QStringLiteral(" = ")))) << line.toStdString();
        else if (key == QLatin1String("congruence.agree"))
            EXPECT_TRUE(
                texts.count(value == "true" ? QStringLiteral("да") : QStringLiteral("нет")));
        else
            EXPECT_TRUE(texts.count(survey::meanKindCaption(*survey::meanKindFromName(value))))
                << line.toStdString();
    }
    EXPECT_EQ(texts[QStringLiteral("*")], flags);
    EXPECT_GT(flags, 0);
}
