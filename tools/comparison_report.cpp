#include "comparison_report.h"

#include "report_pictures.h"
#include "report_summary.h"
#include "report_texts.h"
#include "statistics_report.h"

namespace report {

namespace {

constexpr double kMarked = 0.05;

QString marked(double p)
{
    return pValue(p) + (p < kMarked ? QStringLiteral(" *") : QString());
}

Table comparisonTable(const survey::GroupComparison &c)
{
    Table table{{QStringLiteral("Тип культуры"), QStringLiteral("Состояние"), QStringLiteral("A"),
                 QStringLiteral("B"), QStringLiteral("B − A"), QStringLiteral("p (Уэлч)"),
                 QStringLiteral("p (перест.)")},
                {},
                {4.2, 2.1, 1.5, 1.5, 1.6, 1.9, 1.9},
                2};
    for (int type = 0; type < survey::kTypeCount; ++type)
        for (int state = 0; state < 2; ++state) {
            const survey::ScoreComparison &score = c.scores[survey::scoreIndex(state, type)];
            table.rows << QStringList{state == 0 ? typeCaption(type) : QString(),
                                      survey::stateCaption(state),
                                      number(score.meanA),
                                      number(score.meanB),
                                      signedNumber(score.difference),
                                      score.welch ? marked(score.welch->p) : QStringLiteral("—"),
                                      marked(score.permutationP)};
        }
    return table;
}

survey::ProfileMeans profile(const survey::GroupComparison &c, bool second)
{
    survey::ProfileMeans scores;
    for (std::size_t k = 0; k < scores.size(); ++k)
        scores[k] = second ? c.scores[k].meanB : c.scores[k].meanA;
    return scores;
}

QString groupLine(const QString &letter, const Subject &subject, int n)
{
    return QStringLiteral("%1 — %2 «%3», N = %4").arg(letter, subject.label, subject.name).arg(n);
}

} // namespace

Document comparisonDocument(const Subject &a, const Subject &b, const survey::GroupComparison &c,
                            const QDate &date)
{
    Document d;
    d.pdfTitle = QStringLiteral("OCAI: %1 и %2").arg(a.name, b.name);
    d.footer = QStringLiteral("«%1» (N = %2) и «%3» (N = %4) · %5")
                   .arg(a.name)
                   .arg(c.nA)
                   .arg(b.name)
                   .arg(c.nB)
                   .arg(russianDate(date));
    d.title(QStringLiteral("Сравнение профилей организационной культуры (OCAI)"));
    d.paragraph(groupLine(QStringLiteral("A"), a, c.nA));
    d.paragraph(groupLine(QStringLiteral("B"), b, c.nB));
    d.paragraph(
        QStringLiteral("Среднее: %1 · %2").arg(survey::meanKindCaption(c.kind), russianDate(date)));
    d.heading(QStringLiteral("Оценки групп и их разница"));
    d.table(comparisonTable(c));
    d.note(QStringLiteral("B − A: оценка группы B минус оценка группы A. p (Уэлч) — двусторонний "
                          "t-тест Уэлча%1, «—» для группы из одного; p (перест.) — "
                          "перестановочный тест разности (%2 перестановок респондентов, зерно "
                          "%3). * — p < 0,05.")
               .arg(c.kind == survey::MeanKind::Geometric
                        ? QStringLiteral(" по центрированным логарифмам баллов")
                        : QString())
               .arg(c.permutations)
               .arg(c.seed));
    d.heading(QStringLiteral("Выводы"));
    d.paragraph(comparisonSummary(c, a.name, b.name));
    d.heading(QStringLiteral("Профили групп"));
    d.pictures({plotAPicture(profile(c, false), 84), plotAPicture(profile(c, true), 84)});
    d.note(QStringLiteral("Слева — A «%1», справа — B «%2».").arg(a.name, b.name));
    return d;
}

} // namespace report
