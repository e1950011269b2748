#include "documents/pdf_report.h"

#include "documents/comparison_report.h"
#include "documents/profile_report.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"
#include "survey/profile_load.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFileInfo>

namespace documents {

namespace {

struct Loaded {
    report::Subject subject;
    survey::GroupResult group;
};

// A document's line from text given by a user or a file: what no font can show keeps a
// visible code, so that two such names still differ.
QString line(const QString &text, int maxLength = 80)
{
    return report::printable(text, maxLength, report::canTypeset);
}

// A folder is named by its own name, a file by its respondent's code.
std::variant<Loaded, survey::GroupError> load(const QString &path, const QString &name)
{
    auto loaded = survey::loadProfile(path, survey::programKey());
    if (auto *error = std::get_if<survey::GroupError>(&loaded))
        return std::move(*error);
    survey::LoadedProfile &source = std::get<survey::LoadedProfile>(loaded);
    Loaded result;
    const bool folder = QFileInfo(path).isDir();
    result.subject.respondent = !folder;
    const QString ownName =
        folder ? QFileInfo(QDir::cleanPath(QFileInfo(path).absoluteFilePath())).fileName()
               : source.code;
    result.subject.name = line(name.isEmpty() ? ownName : name);
    if (result.subject.name.isEmpty())
        result.subject.name = QStringLiteral("без имени");
    if (!folder)
        result.subject.info = line(source.info, 200);
    result.group = std::move(source.group);
    return result;
}

} // namespace

std::variant<QByteArray, survey::GroupError> pdfReport(const PdfRequest &request)
{
    std::vector<Loaded> groups;
    for (int i = 0; i < request.paths.size(); ++i) {
        auto loaded = load(request.paths[i], request.names.value(i).trimmed());
        if (auto *error = std::get_if<survey::GroupError>(&loaded))
            return std::move(*error);
        groups.push_back(std::move(std::get<Loaded>(loaded)));
    }
    const report::Cover cover{line(request.client.trimmed(), 120),
                              line(request.title.trimmed(), 120), request.date};
    report::Document document;
    if (groups.size() == 1) {
        const survey::GroupStatistics statistics =
            survey::groupStatistics(groups[0].group, request.mean, request.seed);
        document = report::profileDocument(cover, groups[0].subject, groups[0].group, statistics);
    } else if (groups.size() == 2) {
        const survey::GroupComparison comparison =
            survey::compareGroups(groups[0].group, groups[1].group, request.mean, request.seed);
        document = report::comparisonDocument(cover, groups[0].subject, groups[0].group,
                                              groups[1].subject, groups[1].group, comparison);
    }
    QByteArray pdf = report::typesetPdf(document);
    if (pdf.isEmpty())
        return survey::GroupError{request.paths.value(0),
                                  QStringLiteral("the PDF document cannot be made")};
    return pdf;
}

} // namespace documents
