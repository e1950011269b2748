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
int runPdf(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString out = args.value("out");
    if (!hasSuffix(out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' должен оканчиваться на .pdf").arg(out));
    const auto minGroup = minGroupOption(args, QStringLiteral("pdf"));
    if (const auto *message = std::get_if<QString>(&minGroup))
        return usageError(*message + usageHint(*args.spec));
    QStringList names;
    if (args.isSet("names")) {
        names = args.value("names").split(QLatin1Char(','));
        if (names.size() != args.operands.size())
            return usageError(QStringLiteral("pdf: в --names имён: %1, а групп: %2; нужно по "
                                             "имени на группу, через запятую")
                                  .arg(names.size())
                                  .arg(args.operands.size()) +
                              usageHint(*args.spec));
        const bool blank = std::any_of(names.begin(), names.end(), [](const QString &name) {
            return name.trimmed().isEmpty();
        });
        if (blank)
            return usageError(QStringLiteral("pdf: в --names не может быть пустого имени") +
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
