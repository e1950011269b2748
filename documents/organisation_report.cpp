#include "documents/organisation_report.h"

#include "documents/group_agenda.h"
#include "documents/group_profiles_picture.h"
#include "documents/report_explanations.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "documents/typography.h"

#include <algorithm>

namespace report {

namespace {

// "3 группы", "5 групп", "21 группа".
QString groupsCounted(std::size_t count)
{
    const std::size_t last = count % 10, lastTwo = count % 100;
    const QString noun = lastTwo >= 11 && lastTwo <= 14 ? QStringLiteral("групп")
                         : last == 1                    ? QStringLiteral("группа")
                         : last >= 2 && last <= 4       ? QStringLiteral("группы")
                                                        : QStringLiteral("групп");
    return QString::number(count) + QChar(0x00A0) + noun;
}

QString dominant(const survey::Dominance &d)
{
    if (!d.lead)
        return QStringLiteral("нет");
    return documents::typeLetters(d.types, QStringLiteral(" = "));
}

// Every group's N and its eight scores, two rows a group.
Table scoresTable(const std::vector<ReportedGroup> &groups)
{
    Table table{{QStringLiteral("Группа"), QStringLiteral("N"), QStringLiteral("Состояние")},
                {},
                {3.6, 0.7, 1.7},
                3};
    for (int type = 0; type < survey::kTypeCount; ++type) {
        table.head << documents::typeLabel(type);
        table.widths << 2.0;
    }
    for (const ReportedGroup &group : groups)
        for (int state = 0; state < 2; ++state) {
            QStringList row{state == 0 ? group.subject.name : QString(),
                            state == 0 ? QString::number(group.result->n) : QString(),
                            documents::stateCaption(state)};
            for (int type = 0; type < survey::kTypeCount; ++type) {
                const survey::TypeStatistics &t = group.statistics->types[std::size_t(type)];
                row << number(state == 0 ? t.current.mean : t.preferred.mean);
            }
            table.rows << row;
        }
    return table;
}

// Every group's dominant types and what it wants of each type.
Table agendaSummaryTable(const std::vector<ReportedGroup> &groups)
{
    Table table{{QStringLiteral("Группа"), documents::stateCaption(0), documents::stateCaption(1)},
                {},
                {3.4, 1.8, 1.8},
                3};
    for (int type = 0; type < survey::kTypeCount; ++type) {
        table.head << documents::typeLabel(type);
        table.widths << 2.0;
    }
    for (const ReportedGroup &group : groups) {
        QStringList row{group.subject.name, dominant(group.statistics->currentDominance),
                        dominant(group.statistics->preferredDominance)};
        for (const documents::TypeAgenda &agenda :
             documents::changeAgenda(*group.statistics, group.result->respondents))
            row << agendaCell(agenda);
        table.rows << row;
    }
    return table;
}

void addGroupPage(Document &d, const ReportedGroup &group)
{
    d.pageBreak().heading(
        QStringLiteral("%1, N = %2").arg(capitalised(named(group.subject))).arg(group.result->n));
    if (const QString line = fileNotesLine(group.notes); !line.isEmpty())
        d.note(line);
    d.paragraph(profileSummary(*group.statistics));
    d.pictures({plotAPicture(group.statistics->means(), 110)});
    d.heading(QStringLiteral("Повестка изменений"));
    d.table(agendaTable(*group.result, *group.statistics));
}

} // namespace

Document organisationDocument(const Cover &cover, const std::vector<ReportedGroup> &groups,
                              const QStringList &heldBack)
{
    Document d;
    // The groups the report shows, as its tables count them: a held-back one has its own
    // sentence below, not a place in the title, the footer or the file's properties.
    const QString about = groupsCounted(groups.size());
    addCover(d, cover, QStringLiteral("Профили организационной культуры подразделений (OCAI)"),
             about);
    d.footer = footerLine(cover, about);
    d.paragraph(QStringLiteral("Среднее: %1 · %2")
                    .arg(groups.empty() ? QString()
                                        : survey::meanKindCaption(groups.front().statistics->kind),
                         russianDate(cover.date)));
    for (const QString &sentence : heldBack)
        d.note(sentence);
    d.heading(QStringLiteral("Оценки групп"));
    d.table(scoresTable(groups));
    d.heading(QStringLiteral("Повестка изменений по группам"));
    d.table(agendaSummaryTable(groups));
    d.note(QStringLiteral("«Текущее» и «Желаемое» — преобладающий тип культуры, чья оценка выше "
                          "остальных («=» — поровну). «Больше» или «Меньше» с изменением в "
                          "баллах — желаемое отличается от текущего на 10 баллов и больше; иначе "
                          "«Сохранить»."));
    d.heading(QStringLiteral("Профили групп"));
    std::vector<survey::ProfileMeans> profiles;
    for (const ReportedGroup &group : groups)
        profiles.push_back(group.statistics->means());
    // Nine panels to a picture, so that none outgrows a page; all on one scale.
    constexpr std::size_t kPanels = 9;
    const double top = profilesScaleTop(profiles);
    for (std::size_t first = 0; first < groups.size(); first += kPanels) {
        const std::size_t last = std::min(groups.size(), first + kPanels);
        QStringList names;
        for (std::size_t g = first; g < last; ++g)
            names << groups[g].subject.name;
        d.pictures({groupPanelsPicture(
            names, {profiles.begin() + long(first), profiles.begin() + long(last)}, 170, top)});
    }
    for (const ReportedGroup &group : groups)
        addGroupPage(d, group);
    d.pageBreak();
    addTypeMeanings(d);
    if (!groups.empty())
        addProfileMethod(d, *groups.front().statistics);
    QList<QPair<QString, FileNotes>> notes;
    for (const ReportedGroup &group : groups)
        notes.append({group.subject.name + QStringLiteral(": "), group.notes});
    addFileNotes(d, notes);
    return d;
}

} // namespace report
