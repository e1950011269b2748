#include "win32_shell_api.h"

namespace win32shell {

namespace {

// Past the end of any menu: InsertMenuA then appends.
constexpr UINT kMenuEnd = 0xFFFF;

} // namespace

HWND findTaskbar()
{
    return FindWindowA("Shell_TrayWnd", nullptr);
}

void hideWindow(HWND window)
{
    ShowWindow(window, SW_HIDE);
}

void showWindowNormal(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
}

int screenWidth()
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeight()
{
    return GetSystemMetrics(SM_CYSCREEN);
}

RECT workArea()
{
    RECT area{0, 0, 0, 0};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return RECT{0, 0, 0, 0};
    return area;
}

void setWorkArea(const RECT &area)
{
    RECT copy = area; // the call takes a non-const pointer
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &copy, SPIF_SENDWININICHANGE);
}

void appendSystemMenuEntry(HWND window, UINT commandId, const std::string &ansiText)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    InsertMenuA(menu, kMenuEnd, MF_SEPARATOR, commandId, "");
    InsertMenuA(menu, kMenuEnd, MF_BYPOSITION | MF_STRING, commandId, ansiText.c_str());
}

std::optional<WPARAM> systemCommandFor(const MSG *message, HWND window)
{
    if (!message || !window || message->hwnd != window || message->message != WM_SYSCOMMAND)
        return std::nullopt;
    return message->wParam;
}

} // namespace win32shell
