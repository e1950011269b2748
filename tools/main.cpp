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

static const char kUsage[] = "usage: ocai-cli decrypt|encrypt|profile|plot ... (see README)";

int main(int argc, char **argv)
{
    // Drawing needs a GUI application but no display: fall back to the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return cli::usageError(QString::fromLatin1(kUsage));
    const QString command = args.takeFirst();
    if (command == QLatin1String("decrypt"))
        return cli::runDecrypt(args);
    if (command == QLatin1String("encrypt"))
        return cli::runEncrypt(args);
    if (command == QLatin1String("profile"))
        return cli::runProfile(args);
    if (command == QLatin1String("plot"))
        return cli::runPlot(args);
    return cli::usageError(QStringLiteral("unknown command '%1'; %2").arg(command, QLatin1String(kUsage)));
}
