#pragma once

// The Windows calls behind the desktop shell, kept free of Qt so that they can be checked with a
// cross compiler alone.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <optional>
#include <string>

namespace win32shell {

// The taskbar window (class "Shell_TrayWnd"), or null on a desktop without one.
HWND findTaskbar();

// ShowWindow with SW_HIDE or SW_SHOWNORMAL; the result is not needed.
void hideWindow(HWND window);
void showWindowNormal(HWND window);

// GetSystemMetrics(SM_CXSCREEN) and GetSystemMetrics(SM_CYSCREEN).
int screenWidth();
int screenHeight();

// SystemParametersInfoA with SPI_GETWORKAREA; an empty rectangle when the call fails.
RECT workArea();
// SystemParametersInfoA with SPI_SETWORKAREA, parameter 0 and SPIF_SENDWININICHANGE: every
// window hears of the change, the user's profile keeps the old value.
void setWorkArea(const RECT &area);

// Appends a separator and then a string entry to the end of the window's system menu. The text is
// in the ANSI code page (Windows-1251 for this program). Failures leave the menu as it was.
void appendSystemMenuEntry(HWND window, UINT commandId, const std::string &ansiText);

// Copies the screen's pixels at (left, top), width x height, into `pixels`: a top-down buffer of
// 32-bit pixels (blue, green, red, unused byte), width * height of them. One block copy from the
// whole screen's device context into a bitmap; the screen context is given back also when the
// copy fails. False on any failure; the buffer's content is then undefined.
bool copyScreenPixels(int left, int top, int width, int height, void *pixels);

// The WParam of a WM_SYSCOMMAND message addressed to the window; nothing for any other message.
std::optional<WPARAM> systemCommandFor(const MSG *message, HWND window);

} // namespace win32shell
