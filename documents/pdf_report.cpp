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
        sizes.push_back({group.name, group.result.n});
    const Disclosure disclosure =
        disclose(sizes, request.minGroup, TotalRule::NoTotal,
                 report.groups.size() == 1 && report.groups[0].respondent);
    if (report.groups.size() <= 2 && !disclosure.allShown())
        return survey::GroupError{request.paths.value(disclosure.heldBack.front().index),
                                  QStringLiteral("Отчёт не составлен. ") +
                                      heldBackSentences(disclosure).join(u' ') +
                                      QStringLiteral(" Порог задаёт --min-group.")};
    const ReportCover cover{request.client, request.title, request.date};
    const Made made = report.groups.size() == 1
                          ? profilePdf(cover, report.groups[0])
                          : comparisonPdf(cover, report.groups[0], report.groups.at(1),
                                          request.mean, request.seed);
    if (const auto *failure = std::get_if<Failure>(&made))
        return survey::GroupError{request.paths.value(0), failure->reason};
    report.pdf = std::get<QByteArray>(made);
    return report;
}

} // namespace documents
