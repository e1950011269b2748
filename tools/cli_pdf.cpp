// ocai-cli pdf: an A4 report of a FILE or DIR, or of two of them side by side.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "pdf_report.h"

#include <algorithm>

namespace cli {

int runPdf(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString out = args.value("out");
    if (!hasSuffix(out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' must end in .pdf").arg(out));
    QStringList names;
    if (args.isSet("names")) {
        names = args.value("names").split(QLatin1Char(','));
        const bool blank = std::any_of(names.begin(), names.end(), [](const QString &name) {
            return name.trimmed().isEmpty();
        });
        if (names.size() != args.operands.size() || blank)
            return usageError(QStringLiteral("pdf: --names must give one name for each FILE or "
                                             "DIR, separated by commas") +
                              usageHint(*args.spec));
    }

    const auto made = pdfReport({args.operands, names, args.value("client"), args.value("title"),
                                 options.mean, options.seed});
    if (const auto *error = std::get_if<survey::GroupError>(&made))
        return dataError(groupErrorText(*error));
    if (const auto error = writeOutputFile(out, std::get<QByteArray>(made)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
