#include "documents.h"

#include "documents/comparison_report.h"
#include "documents/profile_pictures.h"
#include "documents/profile_report.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/text_report.h"
#include "documents/xlsx_workbook.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace desk {
namespace {

report::Subject subjectOf(const Group &group)
{
    report::Subject subject;
    subject.name = report::printable(group.name, 80, report::canTypeset);
    if (subject.name.isEmpty())
        subject.name = QStringLiteral("без имени");
    return subject;
}

report::Cover coverOf(const ReportTitle &title, const QDate &date)
{
    return {report::printable(title.organisation.trimmed(), 120, report::canTypeset),
            report::printable(title.caption.trimmed(), 120, report::canTypeset), date};
}

DocumentBytes typeset(const report::Document &document)
{
    QByteArray pdf = report::typesetPdf(document);
    if (pdf.isEmpty())
        return QStringLiteral("Не удаётся составить документ PDF.");
    return pdf;
}

documents::ExportGroup exportGroup(const Group &group)
{
    documents::ExportGroup out;
    out.path = QDir::toNativeSeparators(group.folder);
    out.name = group.name;
    for (const Respondent &respondent : group.respondents)
        if (respondent.counts())
            out.respondents.push_back(respondent.row);
    out.statistics = survey::groupStatistics(group.result, survey::MeanKind::Arithmetic, kSeed);
    return out;
}

} // namespace

QString emptyGroupProblem(const Group &group)
{
    if (group.result.n > 0)
        return QString();
    return QStringLiteral("В группе «%1» нет ни одного читаемого ответа.").arg(group.name);
}

DocumentBytes profilePdf(const Group &group, const ReportTitle &title, const QDate &date)
{
    if (const QString problem = emptyGroupProblem(group); !problem.isEmpty())
        return problem;
    const survey::GroupStatistics statistics =
        survey::groupStatistics(group.result, survey::MeanKind::Arithmetic, kSeed);
    return typeset(
        report::profileDocument(coverOf(title, date), subjectOf(group), group.result, statistics));
}

DocumentBytes comparisonPdf(const Group &a, const Group &b, const QDate &date)
{
    for (const Group *group : {&a, &b})
        if (const QString problem = emptyGroupProblem(*group); !problem.isEmpty())
            return problem;
    const survey::GroupComparison comparison =
        survey::compareGroups(a.result, b.result, survey::MeanKind::Arithmetic, kSeed);
    return typeset(report::comparisonDocument(coverOf({}, date), subjectOf(a), a.result,
                                              subjectOf(b), b.result, comparison));
}

DocumentBytes workbook(const std::vector<Group> &groups)
{
    std::vector<documents::ExportGroup> sheets;
    for (const Group &group : groups)
        if (group.result.n > 0)
            sheets.push_back(exportGroup(group));
    if (sheets.empty())
        return QStringLiteral("В выбранных группах нет ни одного читаемого ответа.");
    auto bytes = documents::workbookBytes(sheets);
    if (auto *error = std::get_if<QString>(&bytes))
        return QStringLiteral("Не удаётся составить книгу Excel: ") + *error;
    return std::get<QByteArray>(bytes);
}

DocumentBytes textReport(const Group &group, const QDate &date)
{
    if (const QString problem = emptyGroupProblem(group); !problem.isEmpty())
        return problem;
    survey::LoadedProfile loaded;
    loaded.code = QStringLiteral("Group");
    loaded.info = survey::groupInfoLine(group.result.n);
    loaded.group = group.result;
    // The scores as the window's score fields hold them, as `ocai-cli report` writes them.
    const auto shown = documents::windowProfile(std::move(loaded));
    if (const auto *error = std::get_if<survey::GroupError>(&shown))
        return error->message;
    const documents::WindowProfile &profile = std::get<documents::WindowProfile>(shown);
    documents::ReportInput input;
    input.date = QLocale().toString(date, QLocale::ShortFormat);
    input.code = profile.code;
    input.info = profile.info;
    input.scores = profile.scores;
    input.answers = profile.group.means;
    return documents::reportText(input);
}

} // namespace desk
