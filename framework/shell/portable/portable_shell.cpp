#include "portable_shell.h"
#include "screen_capture.h"
#include "system_menu.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace shell {

QSize PortableShell::screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

WorkArea PortableShell::workArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? WorkArea::fromRect(screen->availableGeometry()) : WorkArea();
}

void PortableShell::appendSystemMenuEntry(QWidget *window, quint32 commandId, const QString &text)
{
    if (window)
        SystemMenu::of(window)->appendEntry(commandId, text);
}

void PortableShell::setSystemCommandHandler(QWidget *window, std::function<void(quintptr)> handler)
{
    if (window)
        SystemMenu::of(window)->setHandler(std::move(handler));
}

QImage PortableShell::captureScreenRect(const QRect &rect, QWidget *window)
{
    return captureScreenRectPortable(rect, window);
}

QMenu *PortableShell::systemMenu(QWidget *window)
{
    return window ? SystemMenu::of(window)->menu() : nullptr;
}

std::unique_ptr<DesktopShell> createPlatformShell()
{
    return std::make_unique<PortableShell>();
}

} // namespace shell
