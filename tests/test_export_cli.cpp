// ocai-cli export read back as a spreadsheet program reads it: the sheets' XML out of the zip.
#include "cli_runner.h"
#include "result_files.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using testcli::runCli;

QString member(const QString &workbook, const QString &name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, name});
    unzip.waitForFinished(60000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

struct Cell {
    bool text = false; // a string cell; otherwise a number
    QString value;
};

// The cells of a sheet's XML by reference ("C2").
std::map<QString, Cell> cells(const QString &xml)
{
    static const QRegularExpression cell(
        QStringLiteral(R"x(<c r="([A-Z]+\d+)"([^>]*?)(/>|>.*?</c>))x"));
    static const QRegularExpression value(QStringLiteral(R"x(<[vt](?: [^>]*)?>([^<]*)<)x"));
    std::map<QString, Cell> found;
    for (const auto &match : cell.globalMatch(xml)) {
        const auto content = value.match(match.captured(3));
        found[match.captured(1)] = {match.captured(2).contains(QStringLiteral("t=\"")),
                                    content.captured(1)};
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

    const QString sheet = member(out, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(sheet.contains(QStringLiteral("<f>")));
    auto found = cells(sheet);
    EXPECT_EQ(found.count(QStringLiteral("A4")), 1u);
    EXPECT_EQ(found.count(QStringLiteral("A5")), 0u);
    // Code, the respondent's current clan score, first point and first time.
    const std::vector<std::pair<const char *, Cell>> expected = {
        {"C2", {true, QStringLiteral("=1+1")}},          {"C4", {true, QStringLiteral("@x")}},
        {"C3", {true, QStringLiteral("_x005F_x0041_")}}, {"H2", {false, QStringLiteral("10")}},
        {"H3", {false, QStringLiteral("11")}},           {"P2", {false, QStringLiteral("10")}},
        {"BL2", {false, QStringLiteral("30")}},          {"BW4", {false, QStringLiteral("41")}}};
    for (const auto &[ref, cell] : expected) {
        EXPECT_EQ(found[QLatin1String(ref)].text, cell.text) << ref;
        EXPECT_EQ(found[QLatin1String(ref)].value, cell.value) << ref;
    }
    // Every score, point and time is a number.
    for (const auto &[ref, cell] : found) {
        const qsizetype digits = ref.indexOf(QRegularExpression(QStringLiteral("\\d")));
        const QString column = ref.left(digits);
        const bool number =
            ref.mid(digits) != QLatin1String("1") && (column.size() > 1 || column >= "H");
        EXPECT_FALSE(number && cell.text) << ref.toStdString();
    }

    // One respondent: N is 1; the standard deviation and the interval are empty cells, not texts.
    auto single = cells(member(out, QStringLiteral("xl/worksheets/sheet3.xml")));
    EXPECT_EQ(single[QStringLiteral("B3")].value, QStringLiteral("1"));
    EXPECT_FALSE(single[QStringLiteral("C14")].text);
    for (const char *undefined : {"D14", "G14", "H14"})
        EXPECT_EQ(single.count(QLatin1String(undefined)), 0u) << undefined;
}

TEST(ExportCli, NothingWrittenUnlessAGroupLoads)
{
    QTemporaryDir dir;
    const QString good = writeFolder(dir.path(), QStringLiteral("good"), {QStringLiteral("p")});
    const QString empty = writeFolder(dir.path(), QStringLiteral("empty"), {});
    const struct {
        QString out, path;
        int exitCode;
    } cases[] = {{QStringLiteral("old.xlsx"), empty, 1},
                 {QStringLiteral("old.csv"), good, 2},
                 {QStringLiteral("folder.xlsx"), good, 1}};
    QDir().mkpath(dir.filePath(QStringLiteral("folder.xlsx")));
    for (const auto &c : cases) {
        const QString out = dir.filePath(c.out);
        const bool folder = QFileInfo(out).isDir();
        ASSERT_TRUE(folder || testfiles::writeFile(out, "old"));
        EXPECT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--out"), out, c.path}).exitCode,
                  c.exitCode)
            << c.out.toStdString();
        QFile old(out);
        EXPECT_TRUE(folder ? QFileInfo(out).isDir()
                           : old.open(QIODevice::ReadOnly) && old.readAll() == "old");
    }
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
    ASSERT_EQ(runCli(QStringList{QStringLiteral("export"), QStringLiteral("--out"), out} + files)
                  .exitCode,
              0);
    EXPECT_EQ(member(out, QStringLiteral("xl/workbook.xml")).count(QStringLiteral("<sheet ")), 3);
    EXPECT_EQ(
        cells(member(out, QStringLiteral("xl/worksheets/sheet2.xml")))[QStringLiteral("B3")].value,
        QStringLiteral("3"));
    EXPECT_EQ(runCli({QStringLiteral("summary"), folder, lone}).out,
              runCli(QStringList{QStringLiteral("summary")} + files)
                  .out.replace(file(lone, 0).toUtf8(), lone.toUtf8()));
}
