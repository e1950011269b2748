#include "gui_start.h"
#include "core/c_numbers.h"

#include <QByteArray>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace ui {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

const char *g_program = nullptr;
QtMessageHandler g_previous = nullptr;
QList<HeldMessage> *g_held = nullptr;

// Qt reports a display it cannot open as warnings and then a fatal message, after which it
// aborts with a core dump; the fatal message is the only one that tells the start failed.
void holdStartMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "%s: не удалось открыть экран; программе нужен графический сеанс "
                     "(X11 или Wayland).\n",
                     g_program);
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_held->append({type, QByteArray(context.category), text});
}

bool printOut(const char *text)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY); // the same bytes as elsewhere, "\n" not "\r\n"
#endif
    return std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char **argv, const ProgramInfo &program)
{
    if (argc < 2)
        return std::nullopt;
    const char *first = argv[1];
    bool printed = false;
    if (!std::strcmp(first, "--help") || !std::strcmp(first, "-h"))
        printed = printOut(program.help);
    else if (!std::strcmp(first, "--version"))
        printed = printOut((QByteArray(program.name) + ' ' + program.version + '\n').constData());
    else
        return std::nullopt;
    return printed ? 0 : 1;
}

std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const ProgramInfo &program)
{
    QList<HeldMessage> held;
    g_program = program.name;
    g_held = &held;
    g_previous = qInstallMessageHandler(holdStartMessages);
    auto app = std::make_unique<QApplication>(argc, argv);
    numfmt::keepCNumbersInTheCLibrary();
    qInstallMessageHandler(g_previous);
    g_held = nullptr;
    for (const HeldMessage &message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return app;
}

void endProgram(int code)
{
    std::fflush(nullptr);
#ifdef Q_OS_WIN
    TerminateProcess(GetCurrentProcess(), UINT(code));
#endif
    std::exit(code);
}

} // namespace ui
