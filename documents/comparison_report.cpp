#include "documents/comparison_report.h"

#include "documents/report_explanations.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "documents/report_tables.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "plots/score_spread.h"

#include <algorithm>

namespace report {

namespace {

survey::ProfileMeans profile(const survey::GroupComparison &c, bool second)
{
    survey::ProfileMeans scores;
    for (std::size_t k = 0; k < scores.size(); ++k)
        scores[k] = second ? c.scores[k].meanB : c.scores[k].meanA;
    return scores;
}

QString groupLine(const QString &letter, const Subject &subject, int n)
{
    return QStringLiteral("%1 — %2, N = %3").arg(letter, named(subject)).arg(n);
}

} // namespace

Document comparisonDocument(const Cover &cover, const Subject &a, const survey::GroupResult &groupA,
                            const Subject &b, const survey::GroupResult &groupB,
                            const survey::GroupComparison &c, const FileNotes &notesA,
                            const FileNotes &notesB)
{
    Document d;
    addCover(d, cover, QStringLiteral("Сравнение профилей организационной культуры (OCAI)"),
             named(a) + QStringLiteral(" и ") + named(b));
    d.footer = footerLine(cover, QStringLiteral("%1 (N = %2) и %3 (N = %4)")
                                     .arg(capitalised(named(a)))
                                     .arg(c.nA)
                                     .arg(named(b))
                                     .arg(c.nB));
    d.paragraph(groupLine(QStringLiteral("A"), a, c.nA));
    d.paragraph(groupLine(QStringLiteral("B"), b, c.nB));
    for (const auto &[letter, notes] :
         {std::pair{QStringLiteral("A"), &notesA}, std::pair{QStringLiteral("B"), &notesB}})
        if (const QString line = fileNotesLine(*notes); !line.isEmpty())
            d.paragraph(letter + QStringLiteral(": ") + line);
    d.paragraph(QStringLiteral("Среднее: %1 · %2")
                    .arg(survey::meanKindCaption(c.kind), russianDate(cover.date)));
    d.heading(QStringLiteral("Оценки групп и их разница"));
    d.table(comparisonTable(c));
    d.note(QStringLiteral("B − A: оценка B минус оценка A. p — вероятность получить такую "
                          "разницу случайно, если на деле различия нет; * — p < 0,05; «—» — "
                          "t-тест не определён (один респондент). «Значимо: да» — p < 0,05 и в "
                          "t-тесте, и во втором тесте (без t-теста — в нём одном). Как "
                          "устроены оба теста — в конце отчёта."));
    d.heading(QStringLiteral("Выводы"));
    d.paragraph(comparisonSummary(c, a, b));
    d.heading(QStringLiteral("Профили групп"));
    const QString captions[2] = {QStringLiteral("A — ") + named(a),
                                 QStringLiteral("B — ") + named(b)};
    d.pictures({captioned(plotAPicture(profile(c, false), 84), captions[0]),
                captioned(plotAPicture(profile(c, true), 84), captions[1])});
    if (std::max(c.nA, c.nB) >= 2) {
        d.pageBreak().heading(QStringLiteral("Оценки отдельных респондентов"));
        // One scale for both, so that heights compare across the charts.
        const double top = std::max(plots::spreadScaleTop(groupA.respondents),
                                    plots::spreadScaleTop(groupB.respondents));
        d.pictures({captioned(spreadPicture(groupA.respondents, 170, 0.36, top), captions[0])});
        d.pictures({captioned(spreadPicture(groupB.respondents, 170, 0.36, top), captions[1])});
        d.note(spreadNote(std::min(c.nA, c.nB) <= plots::kSpreadDotLimit));
    }
    d.pageBreak();
    addTypeMeanings(d);
    addComparisonMethod(d, c);
    addFileNotes(d, {{QStringLiteral("A: "), notesA}, {QStringLiteral("B: "), notesB}});
    return d;
}

} // namespace report
