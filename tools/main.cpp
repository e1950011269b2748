#include "cli_common.h"
#include "cli_io.h"
#include "widgets/fonts.h"

#include <QGuiApplication>
#include <cstdio>
#include <vector>

namespace cli {
namespace {

// File names and fields of damaged files may hold line breaks: escaped, a message stays
// one line.
int printError(const QString &message, int exitCode)
{
    std::fprintf(stderr, "ocai-cli: %s\n", escapeControls(message).toLocal8Bit().constData());
    return exitCode;
}

} // namespace

int usageError(const QString &message)
{
    return printError(message, kExitUsage);
}

int dataError(const QString &message)
{
    return printError(message, kExitBadData);
}

} // namespace cli

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// Keeps stderr to our own one-line messages: Qt's note about a missing runtime folder,
// printed on headless machines, says nothing about the command's work.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    g_defaultHandler(type, context, message);
}

struct Command {
    const char *name;
    int (*run)(const QStringList &args);
    std::vector<const char *> usages;
    bool explainsItself; // answers --help with more than its usage lines
};

const Command kCommands[] = {
    {"decrypt", cli::runDecrypt, {cli::kDecryptUsage}, false},
    {"encrypt", cli::runEncrypt, {cli::kEncryptUsage}, false},
    {"profile", cli::runProfile, {cli::kProfileUsage}, true},
    {"plot",
     cli::runPlot,
     {cli::kPlotAUsage, cli::kPlotAScoresUsage, cli::kPlotBUsage, cli::kPlotCUsage},
     false},
    {"report", cli::runReport, {cli::kReportUsage}, false},
    {"pdf", cli::runPdf, {cli::kPdfUsage}, true},
    {"stats", cli::runStats, {cli::kStatsUsage}, true},
    {"compare", cli::runCompare, {cli::kCompareUsage}, true},
    {"summary", cli::runSummary, {cli::kSummaryUsage}, true},
    {"export", cli::runExport, {cli::kExportUsage}, true},
};

// "usage: ocai-cli decrypt|encrypt|... ... (ocai-cli --help)"
QString usageLine()
{
    QStringList names;
    for (const Command &command : kCommands)
        names << QLatin1String(command.name);
    return QStringLiteral("usage: ocai-cli %1 ... (ocai-cli --help)").arg(names.join(u'|'));
}

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// --help or -h among the options, before any "--".
bool asksForHelp(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            return false;
        if (isHelp(arg))
            return true;
    }
    return false;
}

int printUsages(const std::vector<const char *> &usages, bool withExitStatus)
{
    QByteArray help = "usage:\n";
    for (const char *usage : usages)
        help += QByteArray("  ") + usage + '\n';
    if (withExitStatus)
        help += "exit status: 0 success, 1 bad data, 2 usage error\n";
    return cli::writeStdout(help) ? cli::kExitOk : cli::kExitBadData;
}

int printHelp()
{
    std::vector<const char *> usages;
    for (const Command &command : kCommands)
        usages.insert(usages.end(), command.usages.begin(), command.usages.end());
    return printUsages(usages, true);
}

} // namespace

int main(int argc, char **argv)
{
    // Drawing needs a GUI application but no display: fall back to the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    ui::installFontSubstitutions(); // the pictures are drawn in the window's fonts
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return cli::usageError(usageLine());
    const QString command = args.takeFirst();
    if (command == QLatin1String("--version")) {
        std::printf("ocai-cli %s\n", OCAI_VERSION);
        return 0;
    }
    if (isHelp(command))
        return printHelp();
    for (const Command &entry : kCommands) {
        if (command != QLatin1String(entry.name))
            continue;
        if (!entry.explainsItself && asksForHelp(args))
            return printUsages(entry.usages, false);
        return entry.run(args);
    }
    return cli::usageError(QStringLiteral("unknown command '%1'; %2").arg(command, usageLine()));
}
