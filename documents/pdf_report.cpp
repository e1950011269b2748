#include "documents/pdf_report.h"

#include "documents/group_documents.h"

namespace documents {

std::variant<PdfReport, survey::GroupError> pdfReport(const PdfRequest &request)
{
    PdfReport report;
    for (int i = 0; i < request.paths.size(); ++i) {
        auto loaded = loadExportGroup({request.paths[i], {}}, request.mean, request.seed);
        if (auto *error = std::get_if<survey::GroupError>(&loaded))
            return std::move(*error);
        ExportGroup &group = std::get<ExportGroup>(loaded);
        if (const QString name = request.names.value(i).trimmed(); !name.isEmpty()) {
            group.name = name;
            group.code = name;
        }
        report.groups.push_back(std::move(group));
    }
    // A report of one group or two is nothing without each of them: one under the floor stops
    // it. A FILE alone is its respondent's own report.
    std::vector<GroupSize> sizes;
    for (const ExportGroup &group : report.groups)
        sizes.push_back(groupSize(group.name, group));
    const Disclosure disclosure =
        disclose(sizes, request.minGroup, TotalRule::NoTotal,
                 report.groups.size() == 1 && report.groups[0].respondent);
    if (report.groups.size() <= 2 && !disclosure.allShown())
        return survey::GroupError{request.paths.value(disclosure.heldBack.front().index),
                                  QStringLiteral("Отчёт не составлен. ") +
                                      heldBackSentences(disclosure).join(u' ') +
                                      QStringLiteral(" Порог задаёт --min-group.")};
    const ReportCover cover{request.client, request.title, request.date};
    const std::vector<ExportGroup> &groups = report.groups;
    // Three or more: the organisation report, which holds back a group under the floor and
    // says so, where a report of one or two groups is refused.
    Made made;
    if (groups.size() == 1)
        made = profilePdf(cover, groups[0]);
    else if (groups.size() == 2)
        made = comparisonPdf(cover, groups[0], groups[1], request.mean, request.seed);
    else
        made = organisationPdf(cover, groups, request.minGroup);
    if (const auto *failure = std::get_if<Failure>(&made))
        return survey::GroupError{request.paths.value(0), failure->reason};
    report.pdf = std::get<QByteArray>(made);
    return report;
}

} // namespace documents
