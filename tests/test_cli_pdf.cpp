// ocai-cli pdf run as a separate process under the C locale: the document's text as
// poppler extracts it, its fonts and its images.
#include "cli_runner.h"
#include "result_files.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testcli::runCli;

QString tool(const QString &name, const QStringList &args)
{
    QProcess process;
    process.start(name, args);
    if (!process.waitForStarted() || !process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pageText(const QString &pdf, int first, int last = 99)
{
    return tool(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first),
                 QStringLiteral("-l"), QString::number(last), pdf, QStringLiteral("-")})
        .simplified();
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
        if (tool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}).isNull() &&
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
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
    EXPECT_FALSE(all.contains(dir.path()));
    EXPECT_FALSE(
        all.contains(QRegularExpression(QStringLiteral("(?<![\\d.])\\d+\\.\\d\\d(?![\\d.])"))));
    EXPECT_TRUE(
        pageText(pdf, 1, 1).contains(QStringLiteral("A Клановая культура 20,00 38,33 +18,33 *")));
    // One respondent: no spread and no interval.
    EXPECT_TRUE(pageText(pdf, 3).contains(QStringLiteral("Текущее 20,00 — 20,00 20,00 —")));
    EXPECT_TRUE(pageText(pdf, 2).contains(QStringLiteral("Желаемое − текущее")));
    expectVectorWithEmbeddedFonts(pdf);
}

TEST_F(CliPdf, AComparisonNamesTheSignificantTypes)
{
    std::vector<std::array<int, 4>> a, b;
    for (int i = 0; i < 8; ++i) {
        a.push_back({30 - i, 20 + i, 40 + i % 3, 10 - i % 3});
        b.push_back({30 - i, 20 + i, 12 + i % 3, 38 - i % 3});
    }
    const QString pdf =
        made({QStringLiteral("--names"), QStringLiteral("Отдел продаж,Отдел ИТ"),
              writeGroup(QStringLiteral("a"), a), writeGroup(QStringLiteral("b"), b)});
    const QString text = pageText(pdf, 1);
    const QString found = text.section(QStringLiteral("Значимо различаются"), 1, 1)
                              .section(QStringLiteral("Профили групп"), 0, 0);
    EXPECT_TRUE(found.contains(QStringLiteral("рыночная культура (C), текущее состояние: у "
                                              "группы «Отдел ИТ» на 28,00 балла меньше, чем у "
                                              "группы «Отдел продаж»")))
        << text.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("иерархическая культура (D), текущее")));
    EXPECT_FALSE(found.contains(QStringLiteral("клановая")));
    EXPECT_FALSE(found.contains(QStringLiteral("желаемое состояние")));
    EXPECT_FALSE(text.contains(dir.path()));
}

// What a client reads: whom the report is for, names in their grammatical case, every tie
// named, the tests' conditions as they are, and the statistical terms only in the closing
// note.
TEST_F(CliPdf, AReportReadsAsADocumentForItsClient)
{
    // Two respondents whose changes of A and D tie at 5,50.
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
          QStringLiteral("Наибольшие желаемые изменения — клановая (A) и иерархическая (D) "
                         "культуры, по 5,50 балла")},
         {}},
        {{QStringLiteral("--client"), client, tied, other},
         {client, QStringLiteral("между группой «tied» и группой «other» нет"),
          QStringLiteral("A — группа «tied»"), QStringLiteral("B — группа «other»")},
         {QStringLiteral("в обоих тестах")}},
        {{QStringLiteral("--names"), QStringLiteral("🧑,🧠"), tied, tied},
         {QStringLiteral("A — группа «[U+1F9D1]»"), QStringLiteral("B — группа «[U+1F9E0]»")},
         {QStringLiteral("без имени")}},
    };
    for (const Case &c : cases) {
        const QString pdf = made(c.args);
        const QString text = pageText(pdf, 1);
        const QString body = text.section(QStringLiteral("Как считались показатели"), 0, 0);
        EXPECT_LT(body.size(), text.size()) << text.toStdString();
        for (const QString &words : c.expected)
            EXPECT_TRUE(body.contains(words)) << words.toStdString() << "\n" << text.toStdString();
        for (const QString &words :
             c.absent + QStringList{QStringLiteral("бутстреп"), QStringLiteral("зерн"),
                                    QStringLiteral("перестанов")})
            EXPECT_FALSE(body.contains(words, Qt::CaseInsensitive)) << words.toStdString();
        if (c.args.contains(client)) {
            EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {pdf}).contains(client));
        }
    }
    expectVectorWithEmbeddedFonts(dir.filePath(QStringLiteral("r1.pdf")));
}

} // namespace
