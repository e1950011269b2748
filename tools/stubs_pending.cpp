// Placeholders until each subcommand's own file lands; each helper deletes its stub.
#include "cli_common.h"
namespace cli {
int runDecrypt(const QStringList &) { return usageError(QStringLiteral("decrypt: not built yet")); }
int runEncrypt(const QStringList &) { return usageError(QStringLiteral("encrypt: not built yet")); }
int runProfile(const QStringList &) { return usageError(QStringLiteral("profile: not built yet")); }
int runPlot(const QStringList &) { return usageError(QStringLiteral("plot: not built yet")); }
} // namespace cli
