#include "desk/documents.h"

#include "documents/anonymity.h"
#include "documents/group_documents.h"
#include "documents/xlsx_workbook.h"

#include <QDir>
#include <QFileInfo>

namespace desk {
namespace {

// A combined group's files come from several folders: each is named with its folder.
QString shownName(const Group &group, const Respondent &respondent)
{
    const QFileInfo info(respondent.path);
    return group.folder.isEmpty() ? info.dir().dirName() + QLatin1Char('/') + info.fileName()
                                  : info.fileName();
}

documents::ReportCover coverOf(const ReportTitle &title, const QDate &date)
{
    return {title.organisation, title.caption, date};
}

} // namespace

report::FileNotes fileNotes(const Group &group)
{
    report::FileNotes notes;
    for (const Respondent &respondent : group.respondents) {
        if (respondent.excluded)
            continue;
        if (!respondent.problem.isEmpty())
            notes.leftOut.push_back({shownName(group, respondent), respondent.problem});
        else if (!respondent.warnings.isEmpty())
            notes.warned.push_back(
                {shownName(group, respondent), respondent.warnings.join(QStringLiteral("; "))});
    }
    return notes;
}

namespace {

// The group's respondents, figures and files, its resampled statistics not yet computed.
documents::ExportGroup unresampled(const Group &group)
{
    documents::ExportGroup out;
    out.path = QDir::toNativeSeparators(group.folder);
    out.name = group.name;
    out.code = QStringLiteral("Group");
    out.info = survey::groupInfoLine(group.result.n);
    for (const Respondent &respondent : group.respondents)
        if (respondent.counts())
            out.respondents.push_back(respondent.row);
    report::FileNotes notes = fileNotes(group);
    out.leftOut = std::move(notes.leftOut);
    out.warned = std::move(notes.warned);
    out.result = group.result;
    return out;
}

} // namespace

documents::ExportGroup documentGroup(const Group &group)
{
    documents::ExportGroup out = unresampled(group);
    documents::computeStatistics(out, survey::MeanKind::Arithmetic, kSeed);
    return out;
}

QString emptyGroupProblem(const Group &group)
{
    if (group.result.n > 0)
        return QString();
    return QStringLiteral("В группе «%1» нет ни одного читаемого ответа.").arg(group.name);
}

QString sizeText(const Group &group)
{
    return documents::groupSizeText(group.result.n, documents::kDefaultMinGroup,
                                    group.result.people());
}

QString heldBackProblem(const std::vector<const Group *> &groups, int minGroup)
{
    std::vector<documents::GroupSize> sizes;
    for (const Group *group : groups)
        sizes.push_back({group->name, group->result.people()});
    const QStringList sentences = documents::heldBackSentences(
        documents::disclose(sizes, minGroup, documents::TotalRule::NoTotal));
    if (sentences.isEmpty())
        return QString();
    return QStringLiteral("Отчёт не составлен. ") + sentences.join(u' ') +
           QStringLiteral(" Порог задаётся в «Документы → Заголовок отчёта…».");
}

QString profileRefusal(const Group &group, int minGroup)
{
    if (const QString problem = emptyGroupProblem(group); !problem.isEmpty())
        return problem;
    return heldBackProblem({&group}, minGroup);
}

QString comparisonRefusal(const Group &a, const Group &b, int minGroup)
{
    for (const Group *group : {&a, &b})
        if (const QString problem = emptyGroupProblem(*group); !problem.isEmpty())
            return problem;
    return heldBackProblem({&a, &b}, minGroup);
}

QString organisationRefusal(const std::vector<Group> &groups, int minGroup)
{
    std::vector<const Group *> all;
    std::vector<documents::GroupSize> sizes;
    for (const Group &group : groups) {
        if (const QString problem = emptyGroupProblem(group); !problem.isEmpty())
            return problem;
        all.push_back(&group);
        sizes.push_back({group.name, group.result.n});
    }
    if (documents::disclose(sizes, minGroup, documents::TotalRule::NoTotal).anyShown())
        return QString();
    return heldBackProblem(all, minGroup);
}

Made profilePdf(const Group &group, const ReportTitle &title, const QDate &date,
                const CancelCheck &cancel)
{
    if (const QString problem = profileRefusal(group, title.minGroup); !problem.isEmpty())
        return documents::Failure{problem};
    return documents::profilePdf(coverOf(title, date), documentGroup(group), cancel);
}

Made comparisonPdf(const Group &a, const Group &b, const ReportTitle &title, const QDate &date,
                   const CancelCheck &cancel)
{
    if (const QString problem = comparisonRefusal(a, b, title.minGroup); !problem.isEmpty())
        return documents::Failure{problem};
    return documents::comparisonPdf(coverOf(title, date), documentGroup(a), documentGroup(b),
                                    survey::MeanKind::Arithmetic, kSeed, cancel);
}

Made organisationPdf(const std::vector<Group> &groups, const ReportTitle &title, const QDate &date,
                     const CancelCheck &cancel)
{
    if (const QString problem = organisationRefusal(groups, title.minGroup); !problem.isEmpty())
        return documents::Failure{problem};
    std::vector<documents::ExportGroup> loaded;
    for (const Group &group : groups) {
        if (documents::cancelled(cancel))
            return documents::Cancelled{};
        loaded.push_back(documentGroup(group));
    }
    return documents::organisationPdf(coverOf(title, date), loaded, title.minGroup, cancel);
}

QString workbookRefusal(const std::vector<Group> &groups)
{
    for (const Group &group : groups)
        if (group.result.n > 0)
            return QString();
    return QStringLiteral("В выбранных группах нет ни одного читаемого ответа.");
}

Made workbook(const std::vector<Group> &groups, const ReportTitle &title, const CancelCheck &cancel)
{
    if (const QString problem = workbookRefusal(groups); !problem.isEmpty())
        return documents::Failure{problem};
    std::vector<documents::ExportGroup> sheets;
    for (const Group &group : groups) {
        if (documents::cancelled(cancel))
            return documents::Cancelled{};
        if (group.result.n > 0)
            sheets.push_back(documentGroup(group));
    }
    Made bytes = documents::workbookBytes(
        sheets, {title.organisation, title.caption, title.minGroup, title.freeText}, cancel);
    if (auto *failure = std::get_if<documents::Failure>(&bytes))
        failure->reason = QStringLiteral("Не удаётся составить книгу Excel: ") + failure->reason;
    return bytes;
}

Made textReport(const Group &group, const QDate &date)
{
    if (const QString problem = emptyGroupProblem(group); !problem.isEmpty())
        return documents::Failure{problem};
    return documents::textReport(unresampled(group), date); // no statistics in it
}

} // namespace desk
