// Group statistics, comparisons and their reports on groups built from answer tables.
#include "documents/comparison_summary.h"
#include "documents/statistics_report.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <gtest/gtest.h>

using namespace documents;
using namespace survey;

namespace {

using Points = std::array<double, kTypeCount>;

// Six equal current rows and six equal preferred rows, except where `sixth` replaces the
// current answer to question 6.
AnswerTable answers(Points current, Points preferred, std::optional<Points> sixth = {})
{
    AnswerTable table{};
    for (int row = 0; row < kAnswerRows; ++row) {
        const Points &p = row < kQuestionCount ? (row == 5 && sixth ? *sixth : current) : preferred;
        table[std::size_t(row)] = {p[0], p[1], p[2], p[3], 60};
    }
    return table;
}

// Averaged as the loader does.
GroupResult group(const std::vector<AnswerTable> &tables)
{
    GroupBuilder builder;
    for (const AnswerTable &table : tables)
        builder.add(table, QString());
    return builder.take();
}

template <std::size_t N> std::array<Mean, N> figures(const std::array<double, N> &values)
{
    std::array<Mean, N> means;
    for (std::size_t k = 0; k < N; ++k)
        means[k] = Mean(values[k]);
    return means;
}

// Three respondents; the third one's sixth question leans to A, the others' to D.
GroupResult threeRespondents()
{
    return group({answers({10, 20, 30, 40}, {40, 30, 20, 10}),
                  answers({20, 20, 30, 30}, {30, 30, 20, 20}),
                  answers({10, 10, 40, 40}, {25, 25, 25, 25}, Points{70, 10, 10, 10})});
}

} // namespace

TEST(GroupStatistics, DominantTypesAndLead)
{
    struct Case {
        Points values;
        std::vector<int> dominant;
        std::optional<double> lead;
    };
    const Case cases[] = {
        {{16, 20, 31, 35}, {3}, 4},
        {{30, 30, 20, 20}, {0, 1}, 10},
        {{10, 40, 40 - 1e-12, 10}, {1, 2}, 30}, // rounding does not split a tie
        {{25, 25, 25, 25}, {0, 1, 2, 3}, std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(dominantTypes(c.values), c.dominant);
        const auto lead = leadOverSecond(figures(c.values));
        EXPECT_NEAR(lead.value_or(Mean(-1)).value(), c.lead.value_or(-1), 1e-9);
    }
}

TEST(GroupStatistics, LargestDiscrepancyTakesTheFirstOnATie)
{
    const std::pair<ProfileScores, Discrepancy> cases[] = {
        {{25, 25, 25, 25, 35, 15, 25, 25}, {0, Mean(10)}},
        {{20, 30, 25, 25, 20, 10, 25, 45}, {1, Mean(-20)}},
        {{10, 20, 30, 40, 10, 20, 31, 39}, {2, Mean(1)}},
    };
    for (const auto &[profile, expected] : cases) {
        const Discrepancy largest = largestDiscrepancy(figures(profile));
        EXPECT_EQ(largest.type, expected.type);
        EXPECT_DOUBLE_EQ(largest.value.value(), expected.value.value());
    }
}

TEST(GroupStatistics, FiguresOfThreeRespondents)
{
    const GroupStatistics s = groupStatistics(threeRespondents(), MeanKind::Arithmetic, 1);
    EXPECT_EQ(s.n, 3);
    const TypeStatistics &a = s.types[0];
    EXPECT_NEAR(a.current.mean.value(), 50.0 / 3, 1e-12);
    EXPECT_NEAR(*a.current.sd, 5.773502691896258, 1e-12); // 10, 20, 20
    EXPECT_EQ(a.current.min, 10);
    EXPECT_EQ(a.current.max, 20);
    EXPECT_NEAR(a.discrepancy.value(), 15, 1e-12);
    EXPECT_TRUE(a.flagged);
    EXPECT_EQ(s.currentDominance.types, std::vector<int>{3});
    EXPECT_NEAR(s.currentDominance.lead->value(), 10.0 / 3, 1e-12);
    EXPECT_EQ(s.preferredDominance.types, std::vector<int>{0});

    for (int q = 0; q < 5; ++q)
        EXPECT_EQ(s.questions[std::size_t(q)].dominant, std::vector<int>{3}) << q;
    EXPECT_EQ(s.questions[5].dominant, std::vector<int>{0});
    EXPECT_FALSE(s.questionsAgree);
    EXPECT_NEAR(s.questions[0].deviation, 5.0 / 3, 1e-12);
    EXPECT_NEAR(s.questions[5].deviation, 25.0 / 3, 1e-12);
}

TEST(GroupStatistics, OneRespondentFlagsAtExactlyTenPoints)
{
    const GroupStatistics s = groupStatistics(group({answers({30, 20, 25, 25}, {40, 10, 25, 25})}),
                                              MeanKind::Arithmetic, 1);
    EXPECT_TRUE(s.types[0].flagged);
    EXPECT_TRUE(s.types[1].flagged);
    EXPECT_FALSE(s.types[2].flagged);
    EXPECT_FALSE(s.types[0].current.sd);
    EXPECT_FALSE(s.types[0].current.ci95);
    EXPECT_TRUE(s.questionsAgree);
    const QString text = statisticsText(s, QStringLiteral("x"));
    EXPECT_TRUE(text.contains(QStringLiteral("    30.00    30.00        —\n")))
        << text.toStdString();
    EXPECT_TRUE(statisticsJson(s)[QStringLiteral("types")][QStringLiteral("A")]
                                 [QStringLiteral("current")][QStringLiteral("ci95")]
                                     .isNull());
}

TEST(GroupStatistics, EdgesSayWhatThePrintedFiguresSay)
{
    // 9.9958 prints as 10.00 and is flagged; 9.994 prints as 9.99 and is not.
    for (const auto &[value, flagged] : {std::pair{9.9958, true}, {-9.9958, true}, {9.994, false}})
        EXPECT_EQ(reachesDiscrepancyThreshold(Mean(value)), flagged) << value;
    // Four tied types in every question and state: nothing dominates, no question agrees.
    const GroupStatistics tie = groupStatistics(
        group({answers({25, 25, 25, 25}, {25, 25, 25, 25})}), MeanKind::Geometric, 1);
    EXPECT_FALSE(tie.questionsAgree);
    const QString text = statisticsText(tie, QStringLiteral("x"));
    EXPECT_TRUE(text.contains(QStringLiteral("все четыре типа равны"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("по баллам респондентов")));
    EXPECT_TRUE(text.contains(QStringLiteral("один доминирующий тип: нет")));
}

TEST(GroupStatistics, GeometricMeansStayCompositional)
{
    const GroupStatistics s = groupStatistics(threeRespondents(), MeanKind::Geometric, 1);
    for (int state = 0; state < 2; ++state) {
        double sum = 0;
        for (const TypeStatistics &type : s.types)
            sum += (state == 0 ? type.current : type.preferred).mean.value();
        EXPECT_NEAR(sum, 100, 1e-9);
    }
    // Spread and congruence do not depend on the average.
    const GroupStatistics arithmetic = groupStatistics(threeRespondents(), MeanKind::Arithmetic, 1);
    EXPECT_EQ(s.types[2].current.sd, arithmetic.types[2].current.sd);
    EXPECT_EQ(s.questions[5].deviation, arithmetic.questions[5].deviation);
}

TEST(GroupCompare, AGroupWithItselfDiffersByNothing)
{
    for (MeanKind kind : {MeanKind::Arithmetic, MeanKind::Geometric}) {
        const GroupComparison c =
            compareGroups(threeRespondents(), threeRespondents(), kind, 1, 999);
        for (const ScoreComparison &score : c.scores) {
            EXPECT_EQ(score.difference.value(), 0);
            ASSERT_TRUE(score.welch);
            EXPECT_EQ(score.welch->t, 0);
            EXPECT_EQ(score.welch->p, 1);
            EXPECT_EQ(score.permutationP, 1);
        }
    }
}

// g = J(df) (mean b - mean a) / pooled SD. For {1,2,3,4} and {3,...,7}: SS = 5 + 10 over df 7,
// d = 2.5 / sqrt(15/7) = 1.707825, J(7) = Γ(3.5) / (sqrt(3.5) Γ(3)) = 0.888203, g = 1.516895.
TEST(GroupCompare, HedgesGAgainstHandComputedValues)
{
    const struct {
        std::vector<double> a, b;
        std::optional<double> g;
    } cases[] = {
        {{1, 2, 3, 4}, {3, 4, 5, 6, 7}, 1.516895},
        {{3, 4, 5, 6, 7}, {1, 2, 3, 4}, -1.516895},
        // df 2: d = 1 / sqrt(1/2), J(2) = Γ(1) / (1 Γ(0.5)) = 1 / sqrt(pi).
        {{1, 2}, {2, 3}, 0.797885},
        {{1}, {2, 4}, std::nullopt},    // one degree of freedom: J is 0
        {{5, 5}, {7, 7}, std::nullopt}, // no spread
        {{}, {1, 2, 3}, std::nullopt},
    };
    for (const auto &c : cases) {
        const std::optional<double> g = hedgesG(c.a, c.b);
        ASSERT_EQ(g.has_value(), c.g.has_value());
        if (g) {
            EXPECT_NEAR(*g, *c.g, 1e-6);
        }
    }
    EXPECT_EQ(effectSize(-0.19), EffectSize::Negligible);
    EXPECT_EQ(effectSize(0.5), EffectSize::Medium);
    EXPECT_EQ(effectSize(-0.8), EffectSize::Large);
}

// The words follow the claim: notable only at 10 points and significant; a significant 9,78
// is small and never called ten; a large one that could be chance says so.
TEST(GroupCompare, TheSummarySaysOnlyWhatTheClaimAllows)
{
    const struct {
        double difference, p;
        QString words;
    } cases[] = {
        {10.25, 0.001, QStringLiteral("Заметно различаются")},
        {-9.78, 0.001,
         QStringLiteral("невелики (меньше 10 баллов): клановая культура (A), "
                        "текущее состояние: почти на 10 баллов меньше")},
        {4.12, 0.001,
         QStringLiteral("невелики (меньше 10 баллов): клановая культура (A), "
                        "текущее состояние: на 4 балла больше")},
        {14.0, 0.2, QStringLiteral("могут быть случайными")},
        {4.0, 0.2, QStringLiteral("Заметных различий между группой «a» и группой «b» нет")},
    };
    for (const auto &c : cases) {
        GroupComparison comparison;
        for (ScoreComparison &score : comparison.scores)
            score.permutationP = 0.9;
        ScoreComparison &score = comparison.scores[scoreIndex(0, 0)];
        score.difference = Mean(c.difference);
        score.permutationP = c.p;
        const QString text = report::comparisonSummary(comparison, {false, QStringLiteral("a"), {}},
                                                       {false, QStringLiteral("b"), {}})
                                 .replace(QChar(0x00A0), QLatin1Char(' '));
        EXPECT_TRUE(text.contains(c.words)) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("Заметно")), c.difference == 10.25);
    }
}

TEST(StatisticsReport, CsvCarriesTheJsonFigures)
{
    QLocale::setDefault(QLocale(QLocale::Russian)); // a decimal comma must not leak in
    const GroupStatistics s = groupStatistics(threeRespondents(), MeanKind::Arithmetic, 1);
    const QJsonObject json = statisticsJson(s);
    const QStringList lines = QString::fromUtf8(statisticsCsv(s)).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("key,value"));
    EXPECT_TRUE(lines.contains(QStringLiteral("congruence.agree,false")));
    EXPECT_TRUE(lines.contains(QStringLiteral("congruence.questions.6.dominant,A")));
    const QJsonObject currentA =
        json[QStringLiteral("types")][QStringLiteral("A")][QStringLiteral("current")].toObject();
    const QString meanLine = lines.filter(QStringLiteral("types.A.current.mean,")).value(0);
    EXPECT_EQ(meanLine.section(QLatin1Char(','), 1).toDouble(),
              currentA[QStringLiteral("mean")].toDouble());
    const QString highLine = lines.filter(QStringLiteral("types.A.current.ci95_high,")).value(0);
    EXPECT_EQ(highLine.section(QLatin1Char(','), 1).toDouble(),
              currentA[QStringLiteral("ci95")].toArray()[1].toDouble());
    QLocale::setDefault(QLocale::c());
}

TEST(StatisticsReport, JsonLeavesUndefinedFiguresNull)
{
    const GroupStatistics s = groupStatistics(group({answers({30, 20, 25, 25}, {40, 10, 25, 25})}),
                                              MeanKind::Arithmetic, 1);
    const QJsonObject json = statisticsJson(s);
    EXPECT_TRUE(json[QStringLiteral("types")][QStringLiteral("B")][QStringLiteral("preferred")]
                    [QStringLiteral("sd")]
                        .isNull());
    EXPECT_TRUE(
        QString::fromUtf8(statisticsCsv(s)).contains(QStringLiteral("\ntypes.B.preferred.sd,\n")));
}

TEST(StatisticsReport, TextFitsOneHundredColumns)
{
    for (const QLocale::Language language : {QLocale::English, QLocale::Russian}) {
        QLocale::setDefault(QLocale(language));
        const QString text = statisticsText(
            groupStatistics(threeRespondents(), MeanKind::Arithmetic, 1), QStringLiteral("Data"));
        for (const QString &line : text.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), 100) << line.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("D  Иерархия       Текущее")));
        EXPECT_TRUE(text.contains(QStringLiteral("  Текущее:   D Иерархия, отрыв ")));
        EXPECT_TRUE(text.contains(QStringLiteral("один доминирующий тип: нет")));
        EXPECT_TRUE(text.contains(QStringLiteral("   31.67 ")));
        EXPECT_FALSE(text.contains(QStringLiteral("31,67")));
    }
    QLocale::setDefault(QLocale::c());
}
