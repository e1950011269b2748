#include "documents/profile_report.h"

#include "documents/report_agenda.h"
#include "documents/report_explanations.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "documents/report_tables.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "plots/score_spread.h"
#include "survey/resource.h"

namespace report {

namespace {

Table dominanceTable(const survey::GroupStatistics &s)
{
    Table table{{QStringLiteral("Состояние"), QStringLiteral("Доминирующий тип"),
                 QStringLiteral("Отрыв от следующего")},
                {},
                {2, 5, 2.4},
                2};
    for (int state = 0; state < 2; ++state) {
        const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
        const bool none = !d.lead;
        QStringList names;
        for (int type : d.types)
            names << typeRowHeading(type);
        table.rows << QStringList{documents::stateCaption(state),
                                  none ? QStringLiteral("нет: все четыре типа равны")
                                       : names.join(QStringLiteral(" = ")),
                                  none ? QStringLiteral("—") : number(*d.lead)};
    }
    return table;
}

Table congruenceTable(const survey::GroupStatistics &s)
{
    Table table{{QStringLiteral("Вопрос"), QStringLiteral("Доминирующий тип"),
                 QStringLiteral("Ср. абс. отклонение")},
                {},
                {5.5, 2.6, 2.2},
                2};
    for (int q = 0; q < survey::kQuestionCount; ++q) {
        const survey::QuestionCongruence &c = s.questions[std::size_t(q)];
        table.rows << QStringList{survey::QuestionTitles[std::size_t(q)],
                                  documents::typeLetters(c.dominant, QStringLiteral(" = ")),
                                  number(c.deviation)};
    }
    return table;
}

// Page 1 the summary: for whom, when and how many answered, the method in brief, the
// findings in words beside the profile.
void addSummaryPage(Document &d, const Cover &cover, const Subject &subject,
                    const survey::GroupResult &group, const survey::GroupStatistics &s,
                    const FileNotes &notes, const QStringList &answerDates)
{
    addCover(d, cover, QStringLiteral("Профиль организационной культуры (OCAI)"), named(subject));
    d.paragraph(capitalised(named(subject)));
    if (!subject.info.isEmpty())
        d.paragraph(subject.info);
    d.paragraph(surveyDates(answerDates) + QStringLiteral(" Респондентов: %1 · среднее: %2.")
                                               .arg(s.n)
                                               .arg(survey::meanKindCaption(s.kind)));
    if (const QString line = fileNotesLine(notes); !line.isEmpty())
        d.paragraph(line);
    addMethodInBrief(d);
    // The findings in a column beside the profile they speak of.
    Document findings;
    addFindings(findings, s, group.respondents);
    d.aside(findings.blocks, plotAPicture(s.means(), 86));
}

// The change agenda with the scores in two decimals, the workshop's tables and the questions.
void addAgendaPages(Document &d, const survey::GroupResult &group, const survey::GroupStatistics &s)
{
    d.pageBreak();
    addChangeAgenda(d, s, group.respondents);
    addWorkshopTables(d, s);
    d.pageBreak();
    addQuestionsInWords(d, group.means);
}

// For a group how its respondents' scores spread; then the question charts and the
// differences. Pages break where a page is full anyway: a respondent's report, without the
// spread, flows on.
void addChartsPages(Document &d, const survey::GroupResult &group, const survey::GroupStatistics &s)
{
    const bool spread = group.respondents.size() >= 2;
    if (spread) {
        d.heading(QStringLiteral("Оценки отдельных респондентов"));
        d.pictures({spreadPicture(group.respondents, 170)});
        d.note(spreadNote(group.respondents.size() <= std::size_t(plots::kSpreadDotLimit)));
        d.pageBreak();
    }
    d.heading(QStringLiteral("Оценки по вопросам"));
    d.pictures({questionChartsPicture(group.means, 170)});
    d.heading(QStringLiteral("Разница желаемых и текущих оценок по типам"));
    survey::StateMeans differences;
    for (int type = 0; type < survey::kTypeCount; ++type)
        differences[std::size_t(type)] = s.types[std::size_t(type)].discrepancy;
    d.pictures({differencePicture(differences, 78)});
    if (spread)
        d.pageBreak();
}

void addStatisticsPages(Document &d, const survey::GroupStatistics &s)
{
    d.heading(QStringLiteral("Разброс оценок"));
    d.note(QStringLiteral("Ст. откл. — насколько в среднем оценки отдельных респондентов "
                          "отходят от среднего группы; мин. и макс. — самая низкая и самая "
                          "высокая оценка. 95 % интервал — пределы, в которых с надёжностью 95 % "
                          "лежало бы среднее, если бы опросили всех, а не только этих "
                          "респондентов. Для одного респондента отклонение и интервал не "
                          "определены."));
    d.table(spreadTable(s));
    if (s.kind == survey::MeanKind::Geometric)
        d.note(QStringLiteral("Среднее и интервал — композиционные (геометрические); ст. откл., "
                              "мин. и макс. — по баллам респондентов."));
    d.heading(QStringLiteral("Доминирующий тип"));
    d.table(dominanceTable(s));
    d.heading(QStringLiteral("Согласованность вопросов"));
    d.note(QStringLiteral("Текущее состояние по таблице средних: доминирующий тип каждого "
                          "вопроса и среднее абсолютное отклонение его баллов от профиля."));
    d.table(congruenceTable(s));
    d.paragraph(congruenceSentence(s));
    addProfileMethod(d, s);
}

} // namespace

Document profileDocument(const Cover &cover, const Subject &subject,
                         const survey::GroupResult &group,
                         const survey::GroupStatistics &statistics, const FileNotes &notes,
                         const QStringList &answerDates)
{
    Document d;
    d.footer = footerLine(cover, capitalised(named(subject)) +
                                     QStringLiteral(" · N = %1").arg(statistics.n));
    addSummaryPage(d, cover, subject, group, statistics, notes, answerDates);
    addAgendaPages(d, group, statistics);
    addChartsPages(d, group, statistics);
    addStatisticsPages(d, statistics);
    addFileNotes(d, {{QString(), notes}});
    return d;
}

} // namespace report
