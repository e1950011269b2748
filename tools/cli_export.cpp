// ocai-cli export: every respondent's answers and each group's figures in one XLSX workbook.
#include "documents/xlsx_workbook.h"
#include "tools/cli_args.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"
#include "tools/cli_min_group.h"
#include "tools/muted_stderr.h"

#include <QDir>
#include <algorithm>

namespace cli {

int runExport(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString out = args.value("out");
    if (!hasSuffix(out, QStringLiteral("xlsx")))
        return usageError(
            QStringLiteral("export: --out '%1' должен оканчиваться на .xlsx").arg(out));
    const auto minGroup = minGroupOption(args, QStringLiteral("export"));
    if (const auto *message = std::get_if<QString>(&minGroup))
        return usageError(*message + usageHint(*args.spec));
    const std::vector<survey::GroupSource> sources = survey::groupSources(args.operands);
    const QStringList names =
        args.isSet("names") ? args.value("names").split(QLatin1Char(',')) : QStringList();
    if (args.isSet("names") && (std::size_t(names.size()) != sources.size() ||
                                std::any_of(names.begin(), names.end(), [](const QString &n) {
                                    return n.trimmed().isEmpty();
                                })))
        return usageError(QStringLiteral("export: в --names нужно по имени на группу (DIR или "
                                         "FILE одной папки), через запятую") +
                          usageHint(*args.spec));

    std::vector<documents::ExportGroup> groups;
    bool failed = false;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const survey::GroupSource &source = sources[i];
        const QString name = names.value(qsizetype(i)).simplified();
        auto loaded = documents::loadExportGroup(source, options.mean, options.seed);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
            dataError(QStringLiteral("export: пропущено %1: %2")
                          .arg(QDir::toNativeSeparators(source.path), groupErrorText(*error)));
            failed = true;
            continue;
        }
        if (!name.isEmpty())
            std::get<documents::ExportGroup>(loaded).name = name;
        groups.push_back(std::move(std::get<documents::ExportGroup>(loaded)));
    }
    if (groups.empty())
        return dataError(QStringLiteral("export: не загружено ни одной группы; %1 оставлен как был")
                             .arg(QDir::toNativeSeparators(out)));
    failed = reportLeftOut(QStringLiteral("export"), groups) || failed;
    const documents::WorkbookOptions book{args.value("client"), args.value("title"),
                                          std::get<int>(minGroup), args.isSet("free-text")};
    // libxlsxwriter prints its own lines before failing; ours says it in one.
    const documents::Made workbook = [&groups, &book] {
        const MutedStderr muted;
        return documents::workbookBytes(groups, book);
    }();
    if (const auto *failure = std::get_if<documents::Failure>(&workbook))
        return dataError(QStringLiteral("export: ") + failure->reason);
    if (const auto error = writeOutputFile(out, std::get<QByteArray>(workbook)))
        return dataError(*error);
    // Said once the workbook is written: "Сводка" names them too. A workbook that shows no
    // group holds nothing of the survey: that is no success.
    const documents::Disclosure disclosure = documents::workbookDisclosure(groups, book.minGroup);
    failed = failed || !disclosure.anyShown();
    for (const documents::HeldBack &group : disclosure.heldBack)
        dataError(QStringLiteral("export: не показана группа %1: N = %2, меньше --min-group %3")
                      .arg(group.name)
                      .arg(group.n)
                      .arg(book.minGroup));
    return failed ? kExitBadData : kExitOk;
}

} // namespace cli
