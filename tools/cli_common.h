#pragma once

#include <QString>
#include <QStringList>

// Shared conventions of the ocai-cli subcommands: one line on stderr, exit 2 for a usage
// error and 1 for bad data.
namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitBadData = 1;
constexpr int kExitUsage = 2;

// One line per command, as `ocai-cli --help` lists them; "--" ends the options.
inline constexpr char kDecryptUsage[] = "ocai-cli decrypt [--raw] [--] FILE";
inline constexpr char kEncryptUsage[] = "ocai-cli encrypt [--raw] [--out OUT] [--] [FILE|-]";
inline constexpr char kProfileUsage[] =
    "ocai-cli profile [--mean arithmetic|geometric] [--] (FILE|DIR)";
inline constexpr char kPlotAUsage[] = "ocai-cli plot a [--current-colour N] [--preferred-colour N] "
                                      "--out FILE.png|FILE.gif [--] (FILE|DIR)";
inline constexpr char kPlotAScoresUsage[] =
    "ocai-cli plot a --scores \"cA,cB,cC,cD;pA,pB,pC,pD\" [--current-colour N] "
    "[--preferred-colour N] --out FILE.png|FILE.gif";
inline constexpr char kPlotBUsage[] = "ocai-cli plot b [--current-colour N] [--preferred-colour N] "
                                      "--out FILE.png|FILE.gif [--] (FILE|DIR)";
inline constexpr char kPlotCUsage[] =
    "ocai-cli plot c [--marks] [--current-colour N] --out FILE.png|FILE.gif [--] (FILE|DIR)";
inline constexpr char kReportUsage[] = "ocai-cli report --out FILE [--] (FILE|DIR)";
inline constexpr char kPdfUsage[] = "ocai-cli pdf [--mean arithmetic|geometric] [--seed N] "
                                    "--out FILE.pdf [--] (FILE|DIR)";
inline constexpr char kStatsUsage[] = "ocai-cli stats [--format text|csv|json] [--seed N] "
                                      "[--mean arithmetic|geometric] [--] (FILE|DIR)";
inline constexpr char kCompareUsage[] = "ocai-cli compare [--format text|csv|json] [--seed N] "
                                        "[--mean arithmetic|geometric] [--] (FILE|DIR) (FILE|DIR)";
inline constexpr char kSummaryUsage[] =
    "ocai-cli summary [--format csv|json] [--mean arithmetic|geometric] [--] (FILE|DIR)...";
inline constexpr char kExportUsage[] = "ocai-cli export [--mean arithmetic|geometric] [--seed N] "
                                       "--out FILE.xlsx [--] (FILE|DIR)...";

// Print "ocai-cli: " and the message, control characters escaped, as one line on stderr
// and return the exit status.
int usageError(const QString &message);
int dataError(const QString &message);

// Subcommands; `args` holds what follows the subcommand's name.
int runDecrypt(const QStringList &args);
int runEncrypt(const QStringList &args);
int runProfile(const QStringList &args);
int runPlot(const QStringList &args);
int runReport(const QStringList &args);
int runPdf(const QStringList &args);
int runStats(const QStringList &args);
int runCompare(const QStringList &args);
int runSummary(const QStringList &args);
int runExport(const QStringList &args);

} // namespace cli
