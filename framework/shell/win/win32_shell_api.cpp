#include "win32_shell_api.h"

namespace win32shell {

namespace {

// Past the end of any menu: InsertMenuA then appends.
constexpr UINT kMenuEnd = 0xFFFF;

// GetDIBits of a bitmap that no device context holds selected.
bool readTopDownPixels(HDC context, HBITMAP bitmap, int width, int height, void *pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return GetDIBits(context, bitmap, 0, UINT(height), pixels, &info, DIB_RGB_COLORS) == height;
}

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

bool copyScreenPixels(int left, int top, int width, int height, void *pixels)
{
    if (width <= 0 || height <= 0 || !pixels)
        return false;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    bool copied = false;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY) != FALSE;
        SelectObject(memory, previous);
    }
    ReleaseDC(nullptr, screen);
    const bool read = copied && readTopDownPixels(memory, bitmap, width, height, pixels);
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    return read;
}

std::optional<WPARAM> systemCommandFor(const MSG *message, HWND window)
{
    if (!message || !window || message->hwnd != window || message->message != WM_SYSCOMMAND)
        return std::nullopt;
    return message->wParam;
}

} // namespace win32shell
