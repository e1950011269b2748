// ocai-cli pdf: an A4 report of a FILE or DIR, or of two of them side by side.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "pdf_report.h"

namespace cli {
namespace {

const char kPdfHelp[] =
    "usage: ocai-cli pdf [--mean arithmetic|geometric] [--seed N] --out FILE.pdf [--] (FILE|DIR)\n"
    "       ocai-cli pdf [--mean ...] [--seed N] [--names \"A,B\"] --out FILE.pdf [--] DIR_A "
    "DIR_B\n"
    "An A4 report in Russian, whatever the locale. Of one FILE or DIR: page 1 Plot A and the\n"
    "score table, page 2 the six question charts and the preferred - current chart, then the\n"
    "statistics of `ocai-cli stats` (same --mean and --seed) as tables and in words. Of two:\n"
    "both groups' scores side by side with Welch's and the permutation test of `ocai-cli\n"
    "compare`, p < 0.05 marked, the significant differences in words and each group's Plot A.\n"
    "A DIR is named by its folder's name, a FILE by its respondent's code, unless --names\n"
    "gives the two groups' names.\n";

const QString kNamesOption = QStringLiteral("--names");

// Takes --names out of `args` (before a "--"): its value, or a usage message.
std::variant<QStringList, QString> takeNames(QStringList &args)
{
    QStringList names;
    bool given = false;
    for (int i = 0; i < args.size() && args[i] != QLatin1String("--");) {
        QString value;
        if (args[i] == kNamesOption) {
            if (i + 1 >= args.size())
                return QStringLiteral("pdf: --names needs a value");
            value = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(kNamesOption + QLatin1Char('='))) {
            value = args[i].mid(kNamesOption.size() + 1);
            args.remove(i, 1);
        } else {
            ++i;
            continue;
        }
        if (given)
            return QStringLiteral("pdf: --names given twice");
        given = true;
        names = value.split(QLatin1Char(','));
        if (names.size() != 2 || names[0].trimmed().isEmpty() || names[1].trimmed().isEmpty())
            return QStringLiteral("pdf: --names must be two names separated by a comma");
    }
    return names;
}

} // namespace

int runPdf(const QStringList &arguments)
{
    QStringList args = arguments;
    const auto names = takeNames(args);
    if (const auto *message = std::get_if<QString>(&names))
        return usageError(*message + QStringLiteral("; usage: ") + QLatin1String(kPdfUsage));
    GroupOptions options;
    GroupOptionRules rules{QStringLiteral("pdf"), {}};
    rules.takesOut = true;
    rules.maxPaths = 2;
    if (const auto done = parseGroupCommand(
            args, rules, QStringLiteral("; usage: ") + QLatin1String(kPdfUsage), kPdfHelp, options))
        return *done;
    if (!hasSuffix(options.out, QStringLiteral("pdf")))
        return usageError(QStringLiteral("pdf: --out '%1' must end in .pdf").arg(options.out));
    const QStringList &given = std::get<QStringList>(names);
    if (!given.isEmpty() && options.paths.size() != 2)
        return usageError(QStringLiteral("pdf: --names names two groups; usage: ") +
                          QLatin1String(kPdfUsage));

    const auto made = pdfReport({options.paths, given, options.mean, options.seed});
    if (const auto *error = std::get_if<survey::GroupError>(&made))
        return dataError(groupErrorText(*error));
    if (const auto error = writeOutputFile(options.out, std::get<QByteArray>(made)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
