#include "core/windows_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdlib>
#include <shellapi.h>

namespace wintext {
namespace {

UINT g_consoleCodePage = 0;

void restoreConsole()
{
    SetConsoleOutputCP(g_consoleCodePage);
}

} // namespace

std::vector<std::wstring> wideArguments()
{
    int count = 0;
    LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    std::vector<std::wstring> result(arguments, arguments + count);
    LocalFree(arguments);
    return result;
}

void useUtf8Console()
{
    // The code page belongs to the console, which outlives the program: the user's is given
    // back at exit.
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage == 0 || g_consoleCodePage == CP_UTF8)
        return;
    if (SetConsoleOutputCP(CP_UTF8))
        std::atexit(restoreConsole);
}

bool isCloseRequest(const void *message)
{
    const auto *msg = static_cast<const MSG *>(message);
    return msg->message == WM_CLOSE && msg->hwnd == nullptr;
}

} // namespace wintext
