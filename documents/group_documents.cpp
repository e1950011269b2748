#include "documents/group_documents.h"

#include "documents/anonymity.h"
#include "documents/comparison_report.h"
#include "documents/organisation_report.h"
#include "documents/profile_pictures.h"
#include "documents/profile_report.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/text_report.h"
#include "survey/group_compare.h"

#include <QLocale>

namespace documents {
namespace {

// A document's line from text given by a user or a file: what no font can show keeps a
// visible code, so that two such names still differ. The pages wrap a long name; the limit
// only stops a damaged file from filling them.
QString line(const QString &text, int maxLength = 300)
{
    return report::printable(text, maxLength, report::canTypeset);
}

// A folder is named by its name, a respondent by his code.
report::Subject subjectOf(const ExportGroup &group)
{
    report::Subject subject;
    subject.respondent = group.respondent;
    subject.name = line(group.respondent ? group.code : group.name);
    if (subject.name.isEmpty())
        subject.name = QStringLiteral("без имени");
    if (group.respondent)
        subject.info = line(group.info, 200);
    return subject;
}

report::Cover coverOf(const ReportCover &cover)
{
    return {line(cover.organisation.trimmed()), line(cover.caption.trimmed()), cover.date};
}

std::optional<Failure> emptyGroup(const ExportGroup &group)
{
    if (group.result.n > 0)
        return std::nullopt;
    return Failure{QStringLiteral("В группе «%1» нет ни одного читаемого ответа.").arg(group.name)};
}

} // namespace

Made profilePdf(const ReportCover &cover, const ExportGroup &group, const CancelCheck &cancel)
{
    if (const auto empty = emptyGroup(group))
        return *empty;
    QStringList answerDates;
    for (const RespondentRow &row : group.respondents)
        answerDates << row.texts[2]; // line 0 of the file, the answer's date
    return report::typesetPdf(report::profileDocument(coverOf(cover), subjectOf(group),
                                                      group.result, group.statistics,
                                                      report::fileNotes(group), answerDates),
                              cancel);
}

namespace {

report::ReportedGroup reported(const ExportGroup &group)
{
    return {subjectOf(group), &group.result, &group.statistics, report::fileNotes(group)};
}

} // namespace

Made comparisonPdf(const ReportCover &cover, const ExportGroup &a, const ExportGroup &b,
                   survey::MeanKind mean, std::uint64_t seed, const CancelCheck &cancel)
{
    for (const ExportGroup *group : {&a, &b})
        if (const auto empty = emptyGroup(*group))
            return *empty;
    if (cancelled(cancel))
        return Cancelled{};
    const survey::GroupComparison comparison =
        survey::compareGroups(a.result, b.result, mean, seed);
    return report::typesetPdf(
        report::comparisonDocument(coverOf(cover), reported(a), reported(b), comparison), cancel);
}

Made organisationPdf(const ReportCover &cover, const std::vector<ExportGroup> &groups, int minGroup,
                     const CancelCheck &cancel)
{
    std::vector<const ExportGroup *> all;
    for (const ExportGroup &group : groups) {
        if (const auto empty = emptyGroup(group))
            return *empty;
        all.push_back(&group);
    }
    std::vector<GroupSize> sizes;
    for (const ExportGroup *group : all)
        sizes.push_back(groupSize(subjectOf(*group).name, *group));
    const Disclosure d = disclose(sizes, minGroup, TotalRule::NoTotal);
    if (!d.anyShown())
        return Failure{heldBackSentences(d).join(QLatin1Char(' ')) +
                       QStringLiteral(" Показать в отчёте нечего.")};
    std::vector<report::ReportedGroup> shown;
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (d.shown[i])
            shown.push_back(reported(groups[i]));
    if (cancelled(cancel))
        return Cancelled{};
    return report::typesetPdf(
        report::organisationDocument(coverOf(cover), shown, heldBackSentences(d)), cancel);
}

Made textReport(const ExportGroup &group, const QDate &date)
{
    if (const auto empty = emptyGroup(group))
        return *empty;
    survey::LoadedProfile loaded;
    loaded.code = group.code;
    loaded.info = group.info;
    loaded.group = group.result;
    // The scores as the window's score fields hold them, as "Save Data" writes them.
    const auto shown = windowProfile(std::move(loaded));
    if (const auto *error = std::get_if<survey::GroupError>(&shown))
        return Failure{error->message};
    const WindowProfile &profile = std::get<WindowProfile>(shown);
    // The window saves nothing when every point is 0; here the user learns why.
    if (!survey::answersPresent(profile.group.means))
        return Failure{QStringLiteral("В группе «%1» нет ни одного ответа: все баллы равны 0.")
                           .arg(group.name)};
    ReportInput input;
    input.date = QLocale().toString(date, QLocale::ShortFormat);
    input.code = profile.code;
    input.info = profile.info;
    input.scores = profile.scores;
    input.answers = profile.group.means;
    return reportText(input);
}

} // namespace documents
