#include "documents/report_tables.h"

#include "documents/comparison_summary.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"

namespace report {
namespace {

constexpr double kMarked = 0.05;

QString marked(double p)
{
    return pValue(p) + (p < kMarked ? QStringLiteral(" *") : QString());
}

QString interval(const survey::ScoreStatistics &score)
{
    return score.ci95 ? number(score.ci95->low) + QStringLiteral(" – ") + number(score.ci95->high)
                      : QStringLiteral("—");
}

} // namespace

Table spreadTable(const survey::GroupStatistics &s)
{
    Table table{{QStringLiteral("Тип культуры"), QStringLiteral("Состояние"),
                 QStringLiteral("Среднее"), QStringLiteral("Ст. откл."), QStringLiteral("Мин."),
                 QStringLiteral("Макс."), QStringLiteral("95 % интервал")},
                {},
                {4.2, 2.1, 1.6, 1.6, 1.4, 1.4, 2.9},
                2};
    for (int type = 0; type < survey::kTypeCount; ++type)
        for (int state = 0; state < 2; ++state) {
            const survey::TypeStatistics &t = s.types[std::size_t(type)];
            const survey::ScoreStatistics &score = state == 0 ? t.current : t.preferred;
            table.rows << QStringList{state == 0 ? typeRowHeading(type) : QString(),
                                      documents::stateCaption(state),
                                      number(score.mean),
                                      score.sd ? number(*score.sd) : QStringLiteral("—"),
                                      number(score.min),
                                      number(score.max),
                                      interval(score)};
        }
    return table;
}

Table comparisonTable(const survey::GroupComparison &c, const QString &nameA, const QString &nameB)
{
    // The names wrap in their columns, which are kept wide enough for a long word.
    Table table{{QStringLiteral("Тип культуры"), QStringLiteral("Состояние"), nameA, nameB,
                 QStringLiteral("Разница"), QStringLiteral("g"), QStringLiteral("p, t-тест Уэлча"),
                 QStringLiteral("p, второй тест"), QStringLiteral("Вывод")},
                {},
                {2.0, 1.9, 2.1, 2.1, 1.5, 1.3, 1.7, 1.6, 1.8},
                2};
    for (int type = 0; type < survey::kTypeCount; ++type)
        for (int state = 0; state < 2; ++state) {
            const survey::ScoreComparison &score = c.scores[survey::scoreIndex(state, type)];
            table.rows << QStringList{state == 0 ? typeRowHeading(type) : QString(),
                                      documents::stateCaption(state),
                                      number(score.meanA),
                                      number(score.meanB),
                                      signedNumber(score.difference),
                                      score.hedgesG ? signedNumber(*score.hedgesG)
                                                    : QStringLiteral("—"),
                                      score.welch ? marked(score.welch->p) : QStringLiteral("—"),
                                      marked(score.permutationP),
                                      claimCell(comparisonClaim(score))};
        }
    return table;
}

} // namespace report
