// ocai-cli export: every respondent's answers and each group's figures in one XLSX workbook.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "xlsx_workbook.h"

#include <QDir>

namespace cli {
namespace {

const char kExportHelp[] =
    "usage: ocai-cli export [--mean arithmetic|geometric] [--seed N] --out FILE.xlsx [--]\n"
    "                       (FILE|DIR)...\n"
    "A spreadsheet of one or more groups (a DIR is every \"*OCAI.cry\" file in it, a FILE a\n"
    "group of one). The sheet \"Респонденты\" has one row per respondent, group after group in\n"
    "file order: the argument, the file name, the code, free text, date, start and duration\n"
    "lines as the file holds them, the eight scores, the 48 points and the 12 times in\n"
    "seconds, all numbers as numbers. Then one sheet per group, named after its folder: the\n"
    "scores per type and state, preferred - current, N, the figures of `ocai-cli stats` with\n"
    "the same --mean and --seed, and a chart of current against preferred. A group that fails\n"
    "to load is reported on stderr and left out; the others are still written, and the exit\n"
    "status is then 1. FILE.xlsx is replaced only by a complete workbook.\n";

} // namespace

int runExport(const QStringList &args)
{
    GroupOptions options;
    GroupOptionRules rules{QStringLiteral("export"), {}, true, 1, -1};
    rules.takesOut = true;
    if (const auto done = parseGroupCommand(
            args, rules, QStringLiteral("; usage: ") + QLatin1String(kExportUsage), kExportHelp,
            options))
        return *done;
    if (!hasSuffix(options.out, QStringLiteral("xlsx")))
        return usageError(QStringLiteral("export: --out '%1' must end in .xlsx").arg(options.out));
    // Before the work: a folder or a device at --out would only be refused at the end.
    if (const auto refusal = refuseUnsafeOutput(options.out))
        return dataError(*refusal);

    std::vector<ExportGroup> groups;
    bool failed = false;
    for (const QString &path : options.paths) {
        auto loaded = loadExportGroup(path, options.mean, options.seed);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
            dataError(QStringLiteral("export: skipped %1: %2")
                          .arg(QDir::toNativeSeparators(path), groupErrorText(*error)));
            failed = true;
            continue;
        }
        groups.push_back(std::move(std::get<ExportGroup>(loaded)));
        for (const QString &note : groups.back().notes)
            dataError(QStringLiteral("export: ") + note);
    }
    if (groups.empty())
        return dataError(QStringLiteral("export: no group loaded; %1 is left as it was")
                             .arg(QDir::toNativeSeparators(options.out)));
    const auto workbook = workbookBytes(groups);
    if (const auto *error = std::get_if<QString>(&workbook))
        return dataError(QStringLiteral("export: ") + *error);
    if (const auto error = writeOutputFile(options.out, std::get<QByteArray>(workbook)))
        return dataError(*error);
    return failed ? kExitBadData : kExitOk;
}

} // namespace cli
