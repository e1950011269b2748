// ocai-cli pdf: one A4 report of a FILE or DIR with the pictures and the statistics.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "pdf_report.h"

namespace cli {
namespace {

const char kPdfHelp[] =
    "usage: ocai-cli pdf [--mean arithmetic|geometric] [--seed N] --out FILE.pdf [--] (FILE|DIR)\n"
    "An A4 report in Russian: page 1 the information line, Plot A as \"Save\" writes it and the\n"
    "score table; page 2 Plot B and Plot C; then the text of `ocai-cli stats` with the same\n"
    "--mean and --seed. A DIR is every \"*OCAI.cry\" file in it, a FILE a group of one; the\n"
    "pictures are those of `ocai-cli plot` in the colours after start-up (red and blue).\n";

} // namespace

int runPdf(const QStringList &args)
{
    GroupOptions options;
    GroupOptionRules rules{QStringLiteral("pdf"), {}};
    rules.takesOut = true;
    if (const auto done = parseGroupCommand(
            args, rules, QStringLiteral("; usage: ") + QLatin1String(kPdfUsage), kPdfHelp, options))
        return *done;
    if (!hasSuffix(options.out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' must end in .pdf").arg(options.out));

    const auto made = pdfReport(options.paths[0], options.mean, options.seed);
    if (const auto *error = std::get_if<survey::GroupError>(&made))
        return dataError(groupErrorText(*error));
    if (const auto error = writeOutputFile(options.out, std::get<QByteArray>(made)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
