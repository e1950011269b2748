#pragma once

// The Windows calls behind the desktop shell. The interface speaks plain C++ types, so that the
// Qt side includes no Windows header and every Windows call sits here, where a cross compiler
// alone can check it.

#include <cstdint>
#include <optional>
#include <string>

namespace win32shell {

// A window's HWND as a number, as QWidget::winId() gives it.
using WindowId = std::uintptr_t;

// A RECT: right and bottom lie one past the last pixel.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// True when a top-level window of class "Shell_TrayWnd" exists.
bool hasTaskbar();
// ShowWindow of the taskbar with SW_HIDE or SW_SHOWNORMAL; nothing without a taskbar.
void hideTaskbar();
void showTaskbar();

// GetSystemMetrics(SM_CXSCREEN) and GetSystemMetrics(SM_CYSCREEN).
int screenWidth();
int screenHeight();

// SystemParametersInfoA with SPI_GETWORKAREA; an empty rectangle when the call fails.
Rect workArea();
// SystemParametersInfoA with SPI_SETWORKAREA, parameter 0 and SPIF_SENDWININICHANGE: every
// window hears of the change, the user's profile keeps the old value.
void setWorkArea(const Rect &area);

// Appends a separator and then a string entry to the end of the window's system menu. The text is
// in the ANSI code page (Windows-1251 for this program). Failures leave the menu as it was.
void appendSystemMenuEntry(WindowId window, unsigned commandId, const std::string &ansiText);

// Copies the screen's pixels at (left, top), width x height, into `pixels`: a top-down buffer of
// width * height opaque pixels 0xFFRRGGBB. One block copy from the whole screen's device context
// into a bitmap; the screen context is given back also when the copy fails. False on any
// failure; the buffer's content is then undefined.
bool copyScreenPixels(int left, int top, int width, int height, std::uint32_t *pixels);

// The WParam of a WM_SYSCOMMAND message (a native MSG) addressed to the window; nothing for any
// other message.
std::optional<std::uintptr_t> systemCommandFor(const void *message, WindowId window);

} // namespace win32shell
