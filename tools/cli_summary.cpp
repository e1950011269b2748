// ocai-cli summary: one row per folder, for an organisation of many departments.
#include "documents/statistics_report.h"
#include "survey/group_sources.h"
#include "survey/group_statistics.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

struct SummaryRow {
    QString path;
    int n = 0;
    survey::ProfileMeans profile;
    std::vector<int> dominant[2];
    survey::Discrepancy largest;
};

SummaryRow summaryRow(const QString &path, const survey::GroupResult &group, survey::MeanKind kind)
{
    SummaryRow row{
        QDir::toNativeSeparators(path), group.n, survey::groupMeans(group, kind), {}, {}};
    for (int state = 0; state < 2; ++state)
        row.dominant[state] = survey::dominantTypes(survey::stateScores(row.profile, state));
    row.largest = survey::largestDiscrepancy(row.profile);
    return row;
}

QByteArray summaryCsv(const std::vector<SummaryRow> &rows)
{
    QStringList header{QStringLiteral("path"), QStringLiteral("n")};
    for (const char *state : {"current", "preferred"})
        for (int type = 0; type < survey::kTypeCount; ++type)
            header << QLatin1String(state) + QLatin1Char('_') + documents::typeLetter(type);
    header << QStringLiteral("dominant_current") << QStringLiteral("dominant_preferred")
           << QStringLiteral("largest_discrepancy_type") << QStringLiteral("largest_discrepancy");
    QStringList lines{header.join(QLatin1Char(','))};
    for (const SummaryRow &row : rows) {
        QStringList fields{csvTextCell(row.path), QString::number(row.n)};
        for (const survey::Mean &score : row.profile)
            fields << documents::fullPrecision(score);
        for (const auto &types : row.dominant)
            fields << documents::typeLetters(types, QStringLiteral(" "));
        fields << documents::typeLetter(row.largest.type)
               << documents::fullPrecision(row.largest.value);
        lines << fields.join(QLatin1Char(','));
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QJsonArray stateArray(const survey::ProfileMeans &profile, int state)
{
    QJsonArray scores;
    for (const survey::Mean &score : survey::stateScores(profile, state))
        scores.append(score.value());
    return scores;
}

QByteArray summaryJson(const std::vector<SummaryRow> &rows)
{
    QJsonArray list;
    for (const SummaryRow &row : rows)
        list.append(QJsonObject{
            {QStringLiteral("path"), row.path},
            {QStringLiteral("n"), row.n},
            {QStringLiteral("current"), stateArray(row.profile, 0)},
            {QStringLiteral("preferred"), stateArray(row.profile, 1)},
            {QStringLiteral("dominant_current"), documents::typeLetterArray(row.dominant[0])},
            {QStringLiteral("dominant_preferred"), documents::typeLetterArray(row.dominant[1])},
            {QStringLiteral("largest_discrepancy"),
             QJsonObject{{QStringLiteral("type"), documents::typeLetter(row.largest.type)},
                         {QStringLiteral("value"), row.largest.value.value()}}},
        });
    return QJsonDocument(list).toJson();
}

} // namespace

int runSummary(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    std::vector<SummaryRow> rows;
    bool failed = false;
    for (const survey::GroupSource &source : survey::groupSources(args.operands)) {
        const auto loaded = survey::loadGroupSource(source);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
            dataError(QStringLiteral("summary: пропущено %1: %2")
                          .arg(QDir::toNativeSeparators(source.path), groupErrorText(*error)));
            failed = true;
            continue;
        }
        rows.push_back(
            summaryRow(source.path, std::get<survey::LoadedProfile>(loaded).group, options.mean));
    }
    const int written =
        finishOutput(options.format == OutputFormat::Json ? summaryJson(rows) : summaryCsv(rows));
    return written != kExitOk ? written : failed ? kExitBadData : kExitOk;
}

} // namespace cli
