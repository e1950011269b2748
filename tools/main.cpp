#include "charts/fonts.h"
#include "core/c_numbers.h"
#include "core/windows_text.h"
#include "tools/cli_common.h"
#include "tools/cli_io.h"
#include "tools/output_guard.h"

#include <QGuiApplication>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif
#include <vector>

namespace cli {
namespace {

// File names and fields of damaged files may hold line breaks: escaped, a message stays
// one line.
int printError(const QString &message, int exitCode)
{
#ifdef Q_OS_WIN
    // UTF-8 as stdout: main() switches the console to it.
    const QByteArray text = escapeControls(message).toUtf8();
#else
    const QByteArray text = escapeControls(message).toLocal8Bit();
#endif
    std::fprintf(stderr, "ocai-cli: %s\n", text.constData());
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

using cli::CommandSpec;

QtMessageHandler g_defaultHandler = nullptr;

// Keeps stderr to our own one-line messages: Qt's note about a missing runtime folder,
// printed on headless machines, says nothing about the command's work.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    g_defaultHandler(type, context, message);
}

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

QString firstWord(const CommandSpec &spec)
{
    return QString::fromLatin1(spec.name).section(QLatin1Char(' '), 0, 0);
}

// "использование: ocai-cli decrypt|encrypt|... ... (ocai-cli --help)"
QString usageLine()
{
    QStringList names;
    for (const CommandSpec &spec : cli::commandTable())
        if (!names.contains(firstWord(spec)))
            names << firstWord(spec);
    return QStringLiteral("использование: ocai-cli %1 ... (ocai-cli --help)").arg(names.join(u'|'));
}

int printOut(const QByteArray &text)
{
    if (cli::writeStdout(text))
        return cli::kExitOk;
    return cli::dataError(QStringLiteral("не удаётся вывести результат"));
}

QByteArray usageList(const std::vector<const CommandSpec *> &specs)
{
    QByteArray text = "использование:\n";
    for (const CommandSpec *spec : specs)
        for (const QString &line : cli::usageLines(*spec))
            text += "  " + line.toUtf8() + '\n';
    return text;
}

int printProgramHelp()
{
    std::vector<const CommandSpec *> all;
    for (const CommandSpec &spec : cli::commandTable())
        all.push_back(&spec);
    return printOut(usageList(all) + "  ocai-cli --help | --version\n"
                                     "ocai-cli КОМАНДА --help объясняет команду.\n"
                                     "код выхода: 0 — успех, 1 — негодные данные, 2 — "
                                     "ошибка в командной строке\n");
}

// The entry `args` names: one word, or two ("plot a"), taken from `args`. Nothing, once the
// usage error or the family's usage lines are printed into `exitCode`.
const CommandSpec *findCommand(QStringList &args, int *exitCode)
{
    const QString first = args.takeFirst();
    std::vector<const CommandSpec *> family;
    for (const CommandSpec &spec : cli::commandTable()) {
        if (first == QLatin1String(spec.name))
            return &spec;
        if (firstWord(spec) == first)
            family.push_back(&spec);
    }
    if (family.empty()) {
        *exitCode =
            cli::usageError(QStringLiteral("неизвестная команда '%1'; %2").arg(first, usageLine()));
        return nullptr;
    }
    const QString second = args.value(0);
    for (const CommandSpec *spec : family)
        if (first + u' ' + second == QLatin1String(spec->name))
            return args.removeFirst(), spec;
    if (isHelp(second)) {
        *exitCode = printOut(usageList(family));
        return nullptr;
    }
    QStringList kinds, usages;
    for (const CommandSpec *spec : family) {
        kinds << QString::fromLatin1(spec->name).section(QLatin1Char(' '), 1);
        usages += cli::usageLines(*spec);
    }
    const QString what =
        second.isEmpty()
            ? QStringLiteral("не указано %1").arg(kinds.join(u'|'))
            : QStringLiteral("неизвестный вид '%1' (%2)").arg(second, kinds.join(u'|'));
    *exitCode = cli::usageError(QStringLiteral("%1: %2; использование: %3")
                                    .arg(first, what, usages.join(QStringLiteral(" | "))));
    return nullptr;
}

// The arguments as the bytes the shell passed: a name that is not valid in the locale's
// encoding would be decoded lossily and then open, or replace, another file.
std::optional<QStringList> decodeArguments(int argc, char **argv)
{
    QStringList args;
#ifdef Q_OS_WIN
    // argv is in the ANSI code page, which has no room for most names; the wide command line
    // has every character.
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    const std::vector<std::wstring> wide = wintext::wideArguments();
    for (std::size_t i = 1; i < wide.size(); ++i)
        args << QString::fromStdWString(wide[i]);
#else
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString arg = QString::fromLocal8Bit(raw);
        if (arg.toLocal8Bit() != raw) {
            cli::usageError(QStringLiteral("аргумент '%1' — не текст в кодировке системы (UTF-8): "
                                           "файла он назвать не может")
                                .arg(cli::escapeBytes(raw)));
            return std::nullopt;
        }
        args << arg;
    }
#endif
    return args;
}

int runCommand(const CommandSpec &spec, const QStringList &args, char *program)
{
    const auto parsed = cli::parseCommand(spec, args);
    if (const auto *error = std::get_if<QString>(&parsed))
        return cli::usageError(*error + cli::usageHint(spec));
    const cli::ParsedArgs &command = std::get<cli::ParsedArgs>(parsed);
    if (command.help)
        return printOut(cli::commandHelp(spec));
    if (command.isSet("out"))
        if (const auto refusal =
                cli::outputOntoInput(command.command(), command.value("out"), command.operands))
            return cli::usageError(*refusal);

    // The pictures are drawn off screen whatever the environment says: a stale DISPLAY of an
    // ssh session or cron must not abort a command that never shows a window. Qt's own
    // options (-platform, -display) are not read from the command line either.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // That platform reads its fonts from one folder, by default one inside Qt's build prefix,
    // which no Windows machine has: every letter would be drawn as a box.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR",
                (qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows")) + "\\Fonts")
                    .toLocal8Bit());
#endif
    int qtArgc = 1;
    char *qtArgv[] = {program, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    numfmt::keepCNumbersInTheCLibrary();
    ui::addProgramFonts();
    ui::installFontSubstitutions(); // the pictures are drawn in the window's fonts
    return spec.run(command);
}

} // namespace

int main(int argc, char **argv)
{
    g_defaultHandler = qInstallMessageHandler(quietHandler);
#ifdef Q_OS_WIN
    wintext::useUtf8Console();
    // The same bytes as elsewhere: "\n", not the C library's "\r\n" (stdout is set so on
    // each write).
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    auto decoded = decodeArguments(argc, argv);
    if (!decoded)
        return cli::kExitUsage;
    QStringList &args = *decoded;
    if (args.isEmpty())
        return cli::usageError(usageLine());
    if (args.constFirst() == QLatin1String("--version"))
        return printOut("ocai-cli " OCAI_VERSION "\n");
    if (isHelp(args.constFirst()))
        return printProgramHelp();
    int exitCode = cli::kExitUsage;
    const CommandSpec *spec = findCommand(args, &exitCode);
    return spec ? runCommand(*spec, args, argv[0]) : exitCode;
}
