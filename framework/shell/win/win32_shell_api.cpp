#include "win32_shell_api.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace win32shell {

namespace {

// Past the end of any menu: InsertMenuA then appends.
constexpr UINT kMenuEnd = 0xFFFF;

HWND handleOf(WindowId window)
{
    return reinterpret_cast<HWND>(window);
}

HWND findTaskbar()
{
    return FindWindowA("Shell_TrayWnd", nullptr);
}

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

bool hasTaskbar()
{
    return findTaskbar() != nullptr;
}

void hideTaskbar()
{
    if (HWND taskbar = findTaskbar())
        ShowWindow(taskbar, SW_HIDE);
}

void showTaskbar()
{
    if (HWND taskbar = findTaskbar())
        ShowWindow(taskbar, SW_SHOWNORMAL);
}

int screenWidth()
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeight()
{
    return GetSystemMetrics(SM_CYSCREEN);
}

Rect workArea()
{
    RECT area{0, 0, 0, 0};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return Rect();
    return Rect{int(area.left), int(area.top), int(area.right), int(area.bottom)};
}

void setWorkArea(const Rect &area)
{
    RECT copy{area.left, area.top, area.right, area.bottom};
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &copy, SPIF_SENDWININICHANGE);
}

void appendSystemMenuEntry(WindowId window, unsigned commandId, const std::string &ansiText)
{
    HMENU menu = GetSystemMenu(handleOf(window), FALSE);
    if (!menu)
        return;
    InsertMenuA(menu, kMenuEnd, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, kMenuEnd, MF_BYPOSITION | MF_STRING, commandId, ansiText.c_str());
}

bool copyScreenPixels(int left, int top, int width, int height, std::uint32_t *pixels)
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
    if (read) {
        // The fourth byte of a copied pixel is undefined.
        const std::size_t count = std::size_t(width) * std::size_t(height);
        for (std::size_t i = 0; i < count; ++i)
            pixels[i] |= 0xFF000000u;
    }
    return read;
}

std::optional<std::uintptr_t> systemCommandFor(const void *message, WindowId window)
{
    const auto *msg = static_cast<const MSG *>(message);
    if (!msg || !window || msg->hwnd != handleOf(window) || msg->message != WM_SYSCOMMAND)
        return std::nullopt;
    return std::uintptr_t(msg->wParam);
}

} // namespace win32shell
