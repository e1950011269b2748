// ocai-cli pdf: one A4 report of a FILE or DIR with the pictures and the statistics.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "pdf_report.h"

namespace cli {

int runPdf(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString out = args.value("out");
    if (!hasSuffix(out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' must end in .pdf").arg(out));

    const auto made = pdfReport(args.operands[0], options.mean, options.seed);
    if (const auto *error = std::get_if<survey::GroupError>(&made))
        return dataError(groupErrorText(*error));
    if (const auto error = writeOutputFile(out, std::get<QByteArray>(made)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
