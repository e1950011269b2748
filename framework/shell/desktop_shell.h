#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QWidget;

// The desktop around the main window: the taskbar, the work area, the window's system menu and
// screen capture.
// The window talks to this interface only, so that it runs on any desktop and tests can record
// what it asks for.
namespace shell {

// System commands as Windows numbers them (the WParam of WM_SYSCOMMAND).
constexpr quintptr kScMinimize = 0xF020;
constexpr quintptr kScMaximize = 0xF030;
constexpr quintptr kScClose = 0xF060;
constexpr quintptr kScRestore = 0xF120;

// A desktop rectangle in the Windows sense: right and bottom lie one past the last pixel, so the
// whole of a 1920 x 1080 screen is {0, 0, 1920, 1080}.
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static WorkArea fromRect(const QRect &rect)
    {
        return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
    }
    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }

    friend bool operator==(const WorkArea &a, const WorkArea &b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const WorkArea &a, const WorkArea &b) { return !(a == b); }
};

class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // True when the desktop has a taskbar (a top-level window of class "Shell_TrayWnd").
    virtual bool hasTaskbar() = 0;
    virtual void hideTaskbar() = 0;
    virtual void showTaskbar() = 0;

    // The primary screen in pixels.
    virtual QSize screenSize() = 0;
    // The part of the desktop that maximized windows cover.
    virtual WorkArea workArea() = 0;
    // Announced to every window, not written to the user's profile.
    virtual void setWorkArea(const WorkArea &area) = 0;

    // Appends a separator and then an entry with the command id and text at the end of the
    // window's system menu.
    virtual void appendSystemMenuEntry(QWidget *window, quint32 commandId, const QString &text) = 0;
    // Hands every system command of the window (the whole WParam of WM_SYSCOMMAND) to the
    // handler; the default handling (move, minimize, close...) then goes on as usual. A second
    // call replaces the handler.
    virtual void setSystemCommandHandler(QWidget *window,
                                         std::function<void(quintptr)> handler) = 0;
    // A native message of the window, as its QWidget::nativeEvent receives it (eventType,
    // message): there the desktop's system commands arrive, whichever way they were sent.
    // Desktops whose system menu is the program's own have nothing to do with it.
    virtual void windowMessage(QWidget * /*window*/, const QByteArray & /*eventType*/,
                               void * /*message*/)
    {
    }

    // A copy of what the screen shows in `rect` (screen coordinates, one pixel per design pixel
    // whatever the screen's scaling): an RGB32 image of exactly rect's size, null for an empty
    // rectangle. `window` is the program's window lying under the rectangle; desktops that cannot
    // read the screen render it instead.
    virtual QImage captureScreenRect(const QRect &rect, QWidget *window) = 0;

    // Opens a file or a folder in the program the desktop has for it (a PDF viewer, a
    // spreadsheet, the file manager); false when none could be started.
    virtual bool openPath(const QString &path);
};

// The shell of the platform the program was built for.
std::unique_ptr<DesktopShell> createPlatformShell();

} // namespace shell
