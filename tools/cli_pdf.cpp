// ocai-cli pdf: an A4 report of a FILE or DIR, of two of them side by side, or of an
// organisation of three or more.
#include "documents/pdf_report.h"
#include "tools/cli_args.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"
#include "tools/cli_min_group.h"

#include <algorithm>

namespace cli {
namespace {

// "1 name", "2 names"
QString counted(qsizetype count, const QString &noun)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? noun : noun + u's');
}

} // namespace

int runPdf(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString out = args.value("out");
    if (!hasSuffix(out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' must end in .pdf").arg(out));
    const auto minGroup = minGroupOption(args, QStringLiteral("pdf"));
    if (const auto *message = std::get_if<QString>(&minGroup))
        return usageError(*message + usageHint(*args.spec));
    QStringList names;
    if (args.isSet("names")) {
        names = args.value("names").split(QLatin1Char(','));
        if (names.size() != args.operands.size())
            return usageError(QStringLiteral("pdf: --names gives %1 for %2; one name per group, "
                                             "separated by a comma")
                                  .arg(counted(names.size(), QStringLiteral("name")),
                                       counted(args.operands.size(), QStringLiteral("group"))) +
                              usageHint(*args.spec));
        const bool blank = std::any_of(names.begin(), names.end(), [](const QString &name) {
            return name.trimmed().isEmpty();
        });
        if (blank)
            return usageError(QStringLiteral("pdf: --names may not give an empty name") +
                              usageHint(*args.spec));
    }

    documents::PdfRequest request{args.operands,       names,        args.value("client"),
                                  args.value("title"), options.mean, options.seed};
    request.minGroup = std::get<int>(minGroup);
    const auto made = documents::pdfReport(request);
    if (const auto *error = std::get_if<survey::GroupError>(&made))
        return dataError(groupErrorText(*error));
    const documents::PdfReport &report = std::get<documents::PdfReport>(made);
    const bool leftOut = reportLeftOut(QStringLiteral("pdf"), report.groups);
    if (const auto error = writeOutputFile(out, report.pdf))
        return dataError(*error);
    return leftOut ? kExitBadData : kExitOk;
}

} // namespace cli
