#include "documents/comparison_report.h"

#include "documents/comparison_summary.h"
#include "documents/group_agenda.h"
#include "documents/group_profiles_picture.h"
#include "documents/report_explanations.h"
#include "documents/report_pictures.h"
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

} // namespace

Document comparisonDocument(const Cover &cover, const ReportedGroup &a, const ReportedGroup &b,
                            const survey::GroupComparison &c)
{
    Document d;
    addCover(d, cover, QStringLiteral("Сравнение профилей организационной культуры (OCAI)"),
             named(a.subject) + QStringLiteral(" и ") + named(b.subject));
    d.footer = footerLine(cover, QStringLiteral("%1 (N = %2) и %3 (N = %4)")
                                     .arg(capitalised(named(a.subject)))
                                     .arg(c.nA)
                                     .arg(named(b.subject))
                                     .arg(c.nB));
    for (const ReportedGroup *group : {&a, &b}) {
        d.paragraph(QStringLiteral("%1, N = %2")
                        .arg(capitalised(named(group->subject)))
                        .arg(group->result->n));
        if (const QString line = fileNotesLine(group->notes); !line.isEmpty())
            d.note(group->subject.name + QStringLiteral(": ") + line);
    }
    d.paragraph(QStringLiteral("Среднее: %1 · %2")
                    .arg(survey::meanKindCaption(c.kind), russianDate(cover.date)));
    d.heading(QStringLiteral("Выводы"));
    d.paragraph(comparisonSummary(c, a.subject, b.subject));
    d.heading(QStringLiteral("Профили обеих групп"));
    d.pictures({groupProfilesPicture({a.subject.name, b.subject.name},
                                     {profile(c, false), profile(c, true)}, 170)});
    d.heading(QStringLiteral("Оценки групп и их разница"));
    d.table(comparisonTable(c, a.subject.name, b.subject.name));
    d.note(QStringLiteral("Разница — оценка группы «%2» минус оценка группы «%1». g Хеджеса — "
                          "величина разницы в стандартных отклонениях. p — вероятность получить "
                          "такую разницу случайно, если на деле различия нет; * — p < 0,05; "
                          "«—» — не определено (один респондент или нет разброса). Вывод: "
                          "«заметная» — не меньше 10 баллов и p < 0,05 в обоих тестах; "
                          "«небольшая» — не случайна, но меньше 10 баллов; «не доказана» — "
                          "10 баллов и больше, но может быть случайной; «нет» — меньше 10 баллов "
                          "и может быть случайной.")
               .arg(a.subject.name, b.subject.name));
    for (const ReportedGroup *group : {&a, &b}) {
        d.heading(QStringLiteral("Повестка изменений: ") + named(group->subject));
        d.table(agendaTable(*group->result, *group->statistics));
    }
    d.note(QStringLiteral("«Больше» или «Меньше» — желаемое отличается от текущего на 10 баллов "
                          "и больше; иначе «Сохранить». Хотят больше (меньше) — респонденты, у "
                          "которых собственная разница не меньше +10 (не больше −10) баллов."));
    // The names above the charts in words that wrap: a long name is never cut.
    d.heading(QStringLiteral("Профили групп"));
    d.paragraph(QStringLiteral("Слева — %1, справа — %2.").arg(named(a.subject), named(b.subject)));
    d.pictures({plotAPicture(profile(c, false), 84), plotAPicture(profile(c, true), 84)});
    if (std::max(c.nA, c.nB) >= 2) {
        d.pageBreak().heading(QStringLiteral("Оценки отдельных респондентов"));
        // One scale for both, so that heights compare across the charts.
        const double top = std::max(plots::spreadScaleTop(a.result->respondents),
                                    plots::spreadScaleTop(b.result->respondents));
        for (const ReportedGroup *group : {&a, &b}) {
            d.paragraph(capitalised(named(group->subject)));
            d.pictures({spreadPicture(group->result->respondents, 170, 0.36, top)});
        }
        d.note(spreadNote(std::min(c.nA, c.nB) <= plots::kSpreadDotLimit));
    }
    d.pageBreak();
    addTypeMeanings(d);
    addComparisonMethod(d, c);
    addFileNotes(d, {{a.subject.name + QStringLiteral(": "), a.notes},
                     {b.subject.name + QStringLiteral(": "), b.notes}});
    return d;
}

} // namespace report
