// ocai-cli pdf run as a separate process under the C locale: the document's text as
// poppler extracts it, its fonts and its images.
#include "cli_runner.h"
#include "pdf_tools.h"
#include "result_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using testcli::runCli;

QString tool(const QString &name, const QStringList &args)
{
    return testpdf::run(name, args);
}

QString pageText(const QString &pdf, int first, int last = 99)
{
    return tool(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first),
                 QStringLiteral("-l"), QString::number(last), pdf, QStringLiteral("-")})
        .simplified();
}

// In reading order: a column of text beside a picture whole, not line by line with the
// picture's labels.
QString readingText(const QString &pdf)
{
    return tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
}

// Vector drawings with real text, every font embedded.
void expectVectorWithEmbeddedFonts(const QString &pdf)
{
    EXPECT_EQ(tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                  .split(u'\n', Qt::SkipEmptyParts)
                  .size(),
              2); // the header alone
    const QStringList fonts =
        tool(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_FALSE(fonts.isEmpty());
    for (const QString &font : fonts)
        EXPECT_TRUE(font.contains(QStringLiteral(" yes "))) << font.toStdString();
}

class CliPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        if (!testpdf::hasPoppler())
            GTEST_SKIP() << "poppler-utils are not installed";
    }

    QString writeGroup(const QString &name, const std::vector<std::array<int, 4>> &current)
    {
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (std::size_t i = 0; i < current.size(); ++i)
            EXPECT_TRUE(testfiles::writeFile(
                folder + QStringLiteral("/p%1OCAI.cry").arg(i),
                testfiles::encrypt(testfiles::resultText(
                    QStringLiteral("p%1").arg(i),
                    testfiles::uniformRows(current[i],
                                           {25 + int(i % 2), 25, 25, 25 - int(i % 2)})))));
        return folder;
    }

    QString made(const QStringList &args)
    {
        const QString pdf = dir.filePath(QStringLiteral("r%1.pdf").arg(++count));
        // These cases read the documents of small groups; the floor has tests of its own.
        const QStringList floor = args.contains(QStringLiteral("--min-group"))
                                      ? QStringList()
                                      : QStringList{QStringLiteral("--min-group"), "1"};
        const auto run =
            runCli(QStringList{QStringLiteral("pdf"), QStringLiteral("--out"), pdf} + floor + args,
                   {}, QStringLiteral("C"));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return pdf;
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(CliPdf, ARespondentsReportIsRussianVectorAndConsistent)
{
    QFile sample(QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QString file = dir.filePath(QStringLiteral("Ivanova01OCAI.cry"));
    ASSERT_TRUE(
        testfiles::writeFile(file, testfiles::encrypt(QString::fromUtf8(sample.readAll()))));
    const QString pdf = made({file});
    const QString all = pageText(pdf, 1);
    const QRegularExpression month(QStringLiteral(
        "\\b\\d{1,2} (января|февраля|марта|апреля|мая|июня|июля|августа|сентября|октября|"
        "ноября|декабря) \\d{4} г\\."));
    EXPECT_TRUE(all.contains(month)) << all.toStdString();
    EXPECT_FALSE(all.contains(QRegularExpression(
        QStringLiteral("\\b(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)[a-z]*\\b"))));
    EXPECT_TRUE(all.contains(QStringLiteral("Респондент «")));
    // The findings and Plot A beside them both on page 1.
    const QString first = pageText(pdf, 1, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("Главное")) &&
                first.contains(QStringLiteral("Клан [A]")))
        << first.toStdString();
    EXPECT_FALSE(all.contains(dir.path()));
    EXPECT_FALSE(
        all.contains(QRegularExpression(QStringLiteral("(?<![\\d.])\\d+\\.\\d\\d(?![\\d.])"))));
    EXPECT_TRUE(
        pageText(pdf, 2, 2).contains(QStringLiteral("Клан [A] Больше 20,00 38,33 +18,33 — —")));
    // One respondent: no spread and no interval.
    EXPECT_TRUE(pageText(pdf, 3).contains(QStringLiteral("Текущее 20,00 — 20,00 20,00 —")));
    EXPECT_TRUE(pageText(pdf, 2).contains(QStringLiteral("Желаемое − текущее")));
    expectVectorWithEmbeddedFonts(pdf);
}

// On a system with no fonts of its own (fontconfig with an empty configuration; on Windows the
// offscreen platform's empty folder) a copy of the program draws with the fonts beside it, and
// without them refuses the report and the picture rather than write them with boxes.
TEST_F(CliPdf, DrawsWithTheFontsBesideTheProgramAndRefusesWithout)
{
    const QString file = dir.filePath(QStringLiteral("Иванова01OCAI.cry"));
    ASSERT_TRUE(testfiles::writeFile(
        file, testfiles::encrypt(testfiles::resultText(
                  QStringLiteral("Иванова01"),
                  testfiles::uniformRows({40, 20, 20, 20}, {25, 25, 25, 25})))));
    const QString config = dir.filePath(QStringLiteral("empty.conf"));
    ASSERT_TRUE(
        testfiles::writeFile(config, "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("no-fonts"))));
    const QStringList bare{QStringLiteral("FONTCONFIG_FILE=") + config,
                           QStringLiteral("QT_QPA_FONTDIR=") + dir.filePath("no-fonts")};
    const QFileInfo cli(QStringLiteral(OCAI_CLI_PATH));
    // The build's fonts beside the Windows programs; Debian's on Linux.
    const QStringList fontDirs{cli.absolutePath() + QStringLiteral("/fonts"),
                               QStringLiteral("/usr/share/fonts/truetype/liberation"),
                               QStringLiteral("/usr/share/fonts/truetype/dejavu")};
    for (const bool withFonts : {true, false}) {
        SCOPED_TRACE(withFonts ? "fonts beside it" : "no fonts");
        const QString folder = dir.filePath(withFonts ? "with" : "without");
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/fonts")));
        const QString program = folder + u'/' + cli.fileName();
        ASSERT_TRUE(QFile::copy(cli.absoluteFilePath(), program));
        for (const QString &fonts : fontDirs) {
            for (const QFileInfo &font : QDir(fonts).entryInfoList({"*.ttf"}, QDir::Files)) {
                if (withFonts)
                    QFile::copy(font.absoluteFilePath(), folder + "/fonts/" + font.fileName());
            }
        }
        const QString pdf = folder + QStringLiteral("/r.pdf");
        const QString gif = folder + QStringLiteral("/a.gif");
        const auto run = [&](const QStringList &args) {
            return testcli::runProgram(program, args, {}, QStringLiteral("C.UTF-8"), {}, bare);
        };
        const auto report = run({QStringLiteral("pdf"), QStringLiteral("--out"), pdf, file});
        const auto picture =
            run({QStringLiteral("plot"), QStringLiteral("a"), QStringLiteral("--out"), gif, file});
        if (withFonts) {
            ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();
            EXPECT_TRUE(pageText(pdf, 1).contains(QStringLiteral("Респондент «Иванова01»")))
                << pageText(pdf, 1).toStdString();
            EXPECT_EQ(picture.exitCode, 0) << picture.err.toStdString();
            continue;
        }
        for (const auto &[said, made, what] : {std::tuple{report, pdf, "Документ не составлен:"},
                                               std::tuple{picture, gif, "Рисунок не составлен:"}}) {
            EXPECT_EQ(said.exitCode, 1) << what;
            const QString err = QString::fromUtf8(said.err);
            EXPECT_TRUE(err.contains(QString::fromUtf8(what)) && err.contains("Liberation"))
                << said.err.toStdString();
            EXPECT_FALSE(QFile::exists(made)) << what;
        }
    }
}

TEST_F(CliPdf, AComparisonNamesGroupsAndClaimsOnlyWhatItMay)
{
    std::vector<std::array<int, 4>> a, b;
    for (int i = 0; i < 8; ++i) {
        a.push_back({30 - i, 20 + i, 40 + i % 3, 10 - i % 3});
        b.push_back({30 - i, 20 + i, 12 + i % 3, 38 - i % 3});
    }
    // Current C: 41 against 13 (notable); preferred A and D differ by 0,5 only.
    const QString pdf =
        made({QStringLiteral("--names"), QStringLiteral("Отдел продаж,Отдел ИТ"),
              writeGroup(QStringLiteral("a"), a), writeGroup(QStringLiteral("b"), b)});
    const QString text = pageText(pdf, 1);
    const QString found = text.section(QStringLiteral("Заметно различаются"), 1, 1)
                              .section(QStringLiteral("Профили обеих групп"), 0, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("Оценки группы «Отдел ИТ» в сравнении с оценками "
                                             "группы «Отдел продаж».")))
        << text.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("рыночная культура (C), текущее состояние: на 28 "
                                              "баллов меньше (большой эффект)")))
        << found.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("иерархическая культура (D), текущее")));
    EXPECT_FALSE(found.contains(QStringLiteral("клановая")));
    // The table heads the groups by their names and gives g beside p; no letter stands for
    // a group.
    const QString table = text.section(QStringLiteral("Оценки групп и их разница"), 1);
    EXPECT_TRUE(table.contains(QStringLiteral("Состояние Отдел Отдел ИТ Разница g p, t-тест")))
        << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("Рынок [C] Текущее 40,88 12,88 −28,00 −31,72")));
    EXPECT_FALSE(text.contains(QStringLiteral("B − A")));
    EXPECT_TRUE(pageText(pdf, 2).contains(QStringLiteral("Повестка изменений: группа «Отдел ИТ»")));
    EXPECT_FALSE(text.contains(dir.path()));
}

// Three groups or more make one organisation report; a group under the floor is held back,
// and the report says so.
TEST_F(CliPdf, SeveralGroupsMakeOneOrganisationReportAboveTheFloor)
{
    std::vector<std::array<int, 4>> five(5, {40, 20, 20, 20}), six(6, {10, 20, 30, 40}),
        three(3, {25, 25, 25, 25});
    const QString sales = writeGroup(QStringLiteral("sales"), five);
    const QString it = writeGroup(QStringLiteral("it"), six);
    const QString store = writeGroup(QStringLiteral("store"), three);
    // A name of 61 characters wraps on its page and in the panels, never cut.
    const QString longName =
        QStringLiteral("Управление по развитию корпоративной культуры и вовлечённости");
    const QString pdf =
        made({QStringLiteral("--min-group"), QStringLiteral("5"), QStringLiteral("--names"),
              QStringLiteral("Отдел продаж,%1,Склад").arg(longName), sales, it, store});
    const QString first = pageText(pdf, 1, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("Группа «Склад» не показана")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Отдел продаж 5 Текущее 40,00 20,00 20,00 20,00")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("6 Текущее 10,00 20,00 30,00 40,00")));
    EXPECT_FALSE(first.contains(QStringLiteral("Склад 3")));
    const QString all = pageText(pdf, 1);
    EXPECT_TRUE(all.contains(QStringLiteral("Группа «Отдел продаж», N = 5"))) << all.toStdString();
    // A heading that wraps leaves "N = 6" alone on its line, where poppler drops the blanks.
    EXPECT_TRUE(QString(all).remove(u' ').contains(
        QStringLiteral("Группа «%1», N = 6").arg(longName).remove(u' ')));
    EXPECT_FALSE(all.contains(QStringLiteral("…")));
    EXPECT_FALSE(all.contains(QStringLiteral("Группа «Склад», N")));

    struct Refused {
        QStringList args;
        int exitCode;
        QString reason;
    } const refused[] = {
        {{QStringLiteral("--min-group"), QStringLiteral("0"), sales, it},
         2,
         QStringLiteral("--min-group '0'")},
        {{QStringLiteral("--min-group"), QStringLiteral("5x"), sales, it},
         2,
         QStringLiteral("--min-group '5x'")},
        {{QStringLiteral("--names"), QStringLiteral("a,b"), sales, it, store},
         2,
         QStringLiteral("в --names имён: 2, а групп: 3")},
    };
    for (const Refused &r : refused) {
        const QString out = dir.filePath(QStringLiteral("refused.pdf"));
        const auto run =
            runCli(QStringList{QStringLiteral("pdf"), QStringLiteral("--out"), out} + r.args);
        EXPECT_EQ(run.exitCode, r.exitCode) << r.args.join(u' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(r.reason)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

// What a client reads: whom the report is for, names in their grammatical case, every tie
// named, the tests' conditions as they are, and the statistical terms only in the closing
// note.
TEST_F(CliPdf, AReportReadsAsADocumentForItsClient)
{
    // Two respondents whose changes of A and D tie at 5,50: both are named.
    const QString tied = writeGroup(QStringLiteral("tied"), {{20, 30, 20, 30}, {20, 30, 20, 30}});
    const QString other = writeGroup(QStringLiteral("other"), {{40, 10, 30, 20}});
    const QString client = QStringLiteral("ООО «Ромашка»");
    struct Case {
        QStringList args;
        QStringList expected, absent; // in the text before the closing note
    } cases[] = {
        {{QStringLiteral("--client"), client, QStringLiteral("--names"),
          QStringLiteral("Бухгалтерия"), tied},
         {client, QStringLiteral("Группа «Бухгалтерия»"),
          QStringLiteral("Клановая культура (A): +6 баллов (с 20 до 26)"),
          QStringLiteral("Иерархическая культура (D): −6 баллов (с 30 до 25)")},
         {}},
        {{QStringLiteral("--client"), client, QStringLiteral("--min-group"), QStringLiteral("1"),
          tied, other},
         {client, QStringLiteral("Велики, но могут быть случайными"),
          QStringLiteral("Группа «tied», N = 2"), QStringLiteral("Группа «other», N = 1")},
         {QStringLiteral("Заметно"), QStringLiteral("B − A"), QStringLiteral("A — группа")}},
        {{QStringLiteral("--names"), QStringLiteral("🧑,🧠"), QStringLiteral("--min-group"),
          QStringLiteral("2"), tied, tied},
         {QStringLiteral("Группа «[U+1F9D1]», N = 2"), QStringLiteral("Группа «[U+1F9E0]», N = 2")},
         {QStringLiteral("без имени")}},
    };
    for (const Case &c : cases) {
        const QString pdf = made(c.args);
        const QString text = readingText(pdf);
        const QString body = text.section(QStringLiteral("Как считались показатели"), 0, 0);
        EXPECT_LT(body.size(), text.size()) << text.toStdString();
        for (const QString &words : c.expected)
            EXPECT_TRUE(body.contains(words)) << words.toStdString() << "\n" << text.toStdString();
        for (const QString &words :
             c.absent + QStringList{QStringLiteral("бутстреп"), QStringLiteral("зерн"),
                                    QStringLiteral("перестанов"), QStringLiteral("перемеш")})
            EXPECT_FALSE(body.contains(words, Qt::CaseInsensitive)) << words.toStdString();
        if (c.args.contains(client)) {
            EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {pdf}).contains(client));
        }
    }
    expectVectorWithEmbeddedFonts(dir.filePath(QStringLiteral("r1.pdf")));
}

// Printed for a client: a real minus sign on every negative number, nothing cut of a long
// name (it wraps, in the header and every footer), in a group report and in a comparison.
TEST_F(CliPdf, NegativesHaveMinusSignsAndLongNamesWrapWhole)
{
    const QString client =
        QStringLiteral("Общество с ограниченной ответственностью «Северные линии»");
    const QString name = QStringLiteral("Отдел стратегического планирования и развития продаж");
    ASSERT_GE(client.size(), 55);
    const QString falling = writeGroup(QStringLiteral("f"), {{40, 10, 30, 20}, {42, 8, 30, 20}});
    const QString other = writeGroup(QStringLiteral("o"), {{20, 30, 20, 30}, {22, 30, 18, 30}});
    const QStringList runs[] = {
        {QStringLiteral("--client"), client, QStringLiteral("--names"), name, falling},
        {QStringLiteral("--client"), client, QStringLiteral("--names"), name + u',' + name + u'2',
         falling, other},
    };
    for (const QStringList &args : runs) {
        const QString pdf = made(args);
        const QString text = pageText(pdf, 1);
        EXPECT_TRUE(text.contains(QChar(0x2212))) << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("(?<![\\w-])-\\d"))))
            << text.toStdString();
        EXPECT_FALSE(text.contains(QChar(0x2026))) << text.toStdString(); // no ellipsis
        // Page 2 alone, in reading order (the layout would set the page number amid a wrapped
        // line): its footer names the client and the group whole.
        const QString second =
            tool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                  QStringLiteral("2"), pdf, QStringLiteral("-")})
                .simplified();
        EXPECT_TRUE(second.contains(client)) << second.toStdString();
        EXPECT_TRUE(second.contains(name)) << second.toStdString();
    }
}

} // namespace
