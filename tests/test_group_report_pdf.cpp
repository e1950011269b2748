// The report of one group as its reader gets it: `ocai-cli pdf` run as a separate process, its
// text as poppler extracts it. Each case is a small survey with known answers.
#include "cli_runner.h"
#include "documents/report_claims.h"
#include "pdf_tools.h"
#include "result_files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Answer {
    std::array<int, 4> now, wished;
    QString date = QStringLiteral("12.03.2026");
};

// Question 2 (leadership) may differ from the five others.
struct Questionnaire {
    Answer all;
    std::optional<Answer> leadership;
};

// As laid out on the page, or in reading order: a column beside a picture whole, before the
// picture's labels, rather than line by line with them.
enum class Order { Layout, Reading };

QString pdfText(const QString &pdf, Order order = Order::Layout)
{
    return testpdf::run(
               QStringLiteral("pdftotext"),
               (order == Order::Layout ? QStringList{QStringLiteral("-layout")} : QStringList{}) +
                   QStringList{pdf, QStringLiteral("-")})
        .simplified();
}

// The text between two headings (or to the end).
QString between(const QString &text, const QString &from, const QString &to = {})
{
    const QString after = text.section(from, 1);
    return to.isEmpty() ? after : after.section(to, 0, 0);
}

class GroupReportPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        if (!testpdf::hasPoppler())
            GTEST_SKIP() << "poppler-utils are not installed";
    }

    QString group(const std::vector<Questionnaire> &respondents)
    {
        const QString folder = dir.filePath(QStringLiteral("g%1").arg(++count));
        EXPECT_TRUE(QDir().mkpath(folder));
        for (std::size_t i = 0; i < respondents.size(); ++i) {
            const Questionnaire &q = respondents[i];
            auto rows = testfiles::uniformRows(q.all.now, q.all.wished);
            if (q.leadership)
                for (int state = 0; state < 2; ++state) {
                    const auto &points = state == 0 ? q.leadership->now : q.leadership->wished;
                    for (int type = 0; type < 4; ++type)
                        rows[std::size_t(1 + 6 * state)][std::size_t(type)] =
                            points[std::size_t(type)];
                }
            QStringList lines = testfiles::resultText(QStringLiteral("p%1").arg(i), rows)
                                    .split(QStringLiteral("\r\n"));
            lines[0] = q.all.date;
            EXPECT_TRUE(
                testfiles::writeFile(folder + QStringLiteral("/p%1OCAI.cry").arg(i),
                                     testfiles::encrypt(lines.join(QStringLiteral("\r\n")))));
        }
        return folder;
    }

    // A file left out is written and reported with exit status 1. The groups here are small:
    // the anonymity floor has tests of its own.
    QString report(const QString &path, int exitCode = 0, Order order = Order::Layout)
    {
        const QString pdf = dir.filePath(QStringLiteral("r%1.pdf").arg(++count));
        const auto run = testcli::runCli({QStringLiteral("pdf"), QStringLiteral("--min-group"),
                                          QStringLiteral("1"), QStringLiteral("--out"), pdf, path},
                                         {}, QStringLiteral("C"));
        EXPECT_EQ(run.exitCode, exitCode) << run.err.toStdString();
        return pdfText(pdf, order);
    }

    QTemporaryDir dir;
    int count = 0;
};

const std::array<int, 4> kEven{25, 25, 25, 25};

// Page 1: when and how many answered, the files left out, the method before any result; the
// date the report was made only in the footer.
TEST_F(GroupReportPdf, PageOneSaysWhenTheSurveyRanAndExplainsTheMethodFirst)
{
    const auto on = [](const char *date) {
        return Questionnaire{{kEven, kEven, QString::fromLatin1(date)}, {}};
    };
    struct Case {
        std::vector<Questionnaire> respondents;
        bool damaged;
        QString expected;
    } cases[] = {
        {{on("12.03.2026"), on("10.03.2026"), on("14.03.2026")},
         false,
         QStringLiteral("Ответы даны с 10 по 14 марта 2026 г. Респондентов: 3")},
        {{on("03.03.2026"), on("28.02.2026")},
         true,
         QStringLiteral("Ответы даны с 28 февраля по 3 марта 2026 г. Респондентов: 2 · среднее: "
                        "арифметическое. Не читаются и не вошли в расчёт: 1 файл.")},
        {{on("30.12.2025"), on("02.01.2026")},
         false,
         QStringLiteral("Ответы даны с 30 декабря 2025 г. по 2 января 2026 г.")},
        {{on("12.03.2026"), on("")},
         false,
         QStringLiteral("Ответы даны 12 марта 2026 г.; без даты ответа: 1 из 2. Респондентов: 2")},
    };
    for (const Case &c : cases) {
        const QString folder = group(c.respondents);
        if (c.damaged) {
            ASSERT_TRUE(testfiles::writeFile(folder + QStringLiteral("/zzOCAI.cry"), "broken"));
        }
        const QString text = report(folder, c.damaged ? 1 : 0);
        const QString page1 = text.section(QStringLiteral("Страница 1 из"), 0, 0);
        EXPECT_TRUE(page1.contains(c.expected)) << page1.toStdString();
        const int method = page1.indexOf(QStringLiteral("Как читать отчёт"));
        EXPECT_GE(method, 0);
        EXPECT_LT(method, page1.indexOf(QStringLiteral("Главное")));
        // The day of making stands once, in the footer, after "составлен".
        EXPECT_EQ(page1.count(QStringLiteral("составлен ")), 1);
    }
}

// Whole points in prose; a change is notable only when large and beyond chance, a small steady
// one is called small, and a leader within chance of the next shares the lead.
TEST_F(GroupReportPdf, FindingsClaimNoMoreThanTheFiguresCarry)
{
    const std::array<int, 4> clanLow{20, 20, 20, 40}, clanHigh{40, 20, 20, 20};
    std::vector<Questionnaire> steadyClan(4, {{clanLow, clanHigh}, {}});
    steadyClan.push_back({{kEven, kEven}, {}});
    std::vector<Questionnaire> smallSteady(8, {{kEven, {30, 25, 25, 20}}, {}});
    struct Case {
        const char *what;
        std::vector<Questionnaire> respondents;
        QStringList expected;
    } cases[] = {
        {"large and beyond chance",
         steadyClan,
         {QStringLiteral("Сейчас. Преобладает иерархическая культура (D): 37 баллов из 100, на 16 "
                         "баллов больше следующего типа."),
          QStringLiteral("Клановая культура (A): +16 баллов (с 21 до 37) — заметное изменение; 4 "
                         "из 5 хотят больше клановой культуры."),
          QStringLiteral("Иерархическая культура (D): −16 баллов (с 37 до 21) — заметное "
                         "изменение; 4 из 5 хотят меньше иерархической культуры."),
          QStringLiteral("Респонденты в основном единодушны. Сейчас иерархическая культура на "
                         "первом месте у 5 из 5 респондентов")}},
        {"large within chance",
         {{{{10, 30, 30, 30}, {50, 20, 15, 15}}, {}}, {{{40, 20, 20, 20}, {30, 25, 25, 20}}, {}}},
         {QStringLiteral("Клановая культура (A): +15 баллов (с 25 до 40) — не меньше 10 баллов, "
                         "но при таком разбросе ответов оно может быть случайным")}},
        {"small and steady",
         smallSteady,
         {QStringLiteral(
             "Клановая культура (A): +5 баллов (с 25 до 30) — изменение устойчивое, "
             "но небольшое; ни один респондент сам не меняет её на 10 баллов и больше.")}},
        {"lead within chance",
         {{{{20, 10, 28, 42}, kEven}, {}}, {{{20, 10, 40, 30}, kEven}, {}}},
         {QStringLiteral("Сейчас. Первенство делят иерархическая (D) и рыночная (C) культуры: 36 "
                         "и 34 балла.")}},
        {"one respondent",
         {{{{20, 30, 25, 25}, {32, 20, 25, 23}}, {}}},
         {QStringLiteral("Клановая культура (A): +12 баллов (с 20 до 32) — заметное изменение.")}},
    };
    for (const Case &c : cases) {
        const QString folder = group(c.respondents);
        // The findings stand in a column beside Plot A.
        const QString text =
            report(c.respondents.size() == 1 ? folder + QStringLiteral("/p0OCAI.cry") : folder, 0,
                   Order::Reading);
        const QString findings =
            between(text, QStringLiteral("Главное"), QStringLiteral("Клан [A]"));
        for (const QString &words : c.expected)
            EXPECT_TRUE(findings.contains(words)) << c.what << ": " << findings.toStdString();
        EXPECT_FALSE(findings.contains(QRegularExpression(QStringLiteral("\\d,\\d"))))
            << c.what << ": " << findings.toStdString();
    }
}

// Per type «Больше», «Меньше» or «Сохранить» by the 10-point rule, with the respondents who
// want each way; then one form per type for the workshop.
TEST_F(GroupReportPdf, TheChangeAgendaFollowsTheTenPointRule)
{
    const Answer moved{{20, 30, 25, 25}, {30, 20, 34, 16}};
    struct Case {
        std::vector<Questionnaire> respondents;
        QStringList rows;
    } cases[] = {
        {{{moved, {}}},
         {QStringLiteral("Клан [A] Больше 20,00 30,00 +10,00 — —"),
          QStringLiteral("Адхократия [B] Меньше 30,00 20,00 ?10,00 — —"),
          QStringLiteral("Рынок [C] Сохранить 25,00 34,00 +9,00 — —"),
          QStringLiteral("Иерархия [D] Сохранить 25,00 16,00 ?9,00 — —")}},
        {{{moved, {}}, {moved, {}}, {{kEven, kEven}, {}}},
         {QStringLiteral("Клан [A] Сохранить 21,67 28,33 +6,67 2 0"),
          QStringLiteral("Адхократия [B] Сохранить 28,33 21,67 ?6,67 0 2"),
          QStringLiteral("Рынок [C] Сохранить 25,00 31,00 +6,00 0 0")}},
    };
    for (const Case &c : cases) {
        const QString folder = group(c.respondents);
        const QString text =
            report(c.respondents.size() == 1 ? folder + QStringLiteral("/p0OCAI.cry") : folder);
        const QString agenda =
            between(text, QStringLiteral("Программа изменений"), QStringLiteral("Для обсуждения"));
        for (const QString &row : c.rows) {
            // The sign of a negative figure: the minus sign.
            const QString pattern =
                QRegularExpression::escape(row).replace(QStringLiteral("\\?"), QStringLiteral("−"));
            EXPECT_TRUE(agenda.contains(QRegularExpression(pattern))) << row.toStdString() << "\n"
                                                                      << agenda.toStdString();
        }
        const QRegularExpression described(
            QStringLiteral("(Клановая|Адхократическая|Рыночная|Иерархическая) культура — "
                           "(больше|меньше|сохранить)\\. Это "));
        EXPECT_EQ(agenda.count(described), 4) << agenda.toStdString();
        const QString workshop = between(text, QStringLiteral("Для обсуждения"),
                                         QStringLiteral("Шесть вопросов анкеты"));
        EXPECT_EQ(workshop.count(QStringLiteral("Что это значит для нас")), 4);
        EXPECT_EQ(workshop.count(QStringLiteral("Чего это не значит")), 4);
    }
    const QString text = report(group({{moved, {}}}) + QStringLiteral("/p0OCAI.cry"));
    EXPECT_TRUE(text.contains(QStringLiteral("Клановая культура — больше (+10 баллов)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Рыночная культура — сохранить (+9 баллов)")));
}

// Each question: the main type now and wished for, and where the wish differs most.
TEST_F(GroupReportPdf, EachQuestionIsSaidInWords)
{
    const QString text =
        report(group({{{kEven, kEven}, Answer{{20, 20, 20, 40}, {34, 20, 20, 26}}},
                      {{kEven, kEven}, Answer{{20, 20, 20, 40}, {34, 20, 20, 26}}}}));
    const QString questions = between(text, QStringLiteral("Шесть вопросов анкеты"));
    EXPECT_TRUE(questions.contains(QStringLiteral(
        "Общий стиль лидерства в организации: сейчас иерархия, желательно — клан; больше всего "
        "меняется клан, +14 баллов.")))
        << questions.toStdString();
    EXPECT_TRUE(questions.contains(QStringLiteral(
        "Стратегические цели: сейчас клан, адхократия, рынок и иерархия поровну, желательно — "
        "клан, адхократия, рынок и иерархия поровну; желаемое почти не отличается от "
        "нынешнего.")))
        << questions.toStdString();
}

// A change is measured as the tables print it: 9,995 exactly prints 10,00 and is large, where
// its nearest double (9,99499…) alone would not be.
TEST(ReportClaims, AChangeIsLargeAsPrinted)
{
    struct Case {
        survey::Mean difference;
        bool significant;
        report::Claim claim;
    } cases[] = {
        {survey::Mean::fraction(5997, 600), true, report::Claim::Notable},
        {survey::Mean::fraction(-5997, 600), false, report::Claim::LargeButUncertain},
        {survey::Mean::fraction(5993, 600), true, report::Claim::SmallButSignificant},
        {survey::Mean(9.99), false, report::Claim::NotSignificant},
    };
    for (const Case &c : cases)
        EXPECT_EQ(report::claimFor(c.difference, c.significant), c.claim) << c.difference.value();
}

} // namespace
