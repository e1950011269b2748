#include "cli_common.h"

#include <QGuiApplication>
#include <cstdio>

namespace cli {

int usageError(const QString &message)
{
    std::fprintf(stderr, "ocai-cli: %s\n", message.toLocal8Bit().constData());
    return kExitUsage;
}

int dataError(const QString &message)
{
    std::fprintf(stderr, "ocai-cli: %s\n", message.toLocal8Bit().constData());
    return kExitBadData;
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

} // namespace

static const char kUsage[] =
    "usage: ocai-cli decrypt|encrypt|profile|plot|stats|compare|summary ... (see README)";

int main(int argc, char **argv)
{
    // Drawing needs a GUI application but no display: fall back to the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return cli::usageError(QString::fromLatin1(kUsage));
    const QString command = args.takeFirst();
    if (command == QLatin1String("--version")) {
        std::printf("ocai-cli %s\n", OCAI_VERSION);
        return 0;
    }
    if (command == QLatin1String("decrypt"))
        return cli::runDecrypt(args);
    if (command == QLatin1String("encrypt"))
        return cli::runEncrypt(args);
    if (command == QLatin1String("profile"))
        return cli::runProfile(args);
    if (command == QLatin1String("plot"))
        return cli::runPlot(args);
    if (command == QLatin1String("stats"))
        return cli::runStats(args);
    if (command == QLatin1String("compare"))
        return cli::runCompare(args);
    if (command == QLatin1String("summary"))
        return cli::runSummary(args);
    return cli::usageError(
        QStringLiteral("unknown command '%1'; %2").arg(command, QLatin1String(kUsage)));
}
