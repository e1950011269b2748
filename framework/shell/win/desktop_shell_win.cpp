#include "shell/desktop_shell.h"
#include "win32_shell_api.h"

#include "core/text_codec.h"
#include "shell/portable/screen_capture.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

namespace shell {

namespace {

win32shell::WindowId handleOf(const QWidget *window)
{
    return win32shell::WindowId(window->internalWinId());
}

// What the shell added to one window: its system menu entries and its command handler. A child
// of the window, so it goes when the window goes.
class WindowHook : public QObject {
public:
    explicit WindowHook(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

    QWidget *window() const { return m_window; }

    void appendEntry(quint32 commandId, const std::string &ansiText)
    {
        m_entries.emplace_back(commandId, ansiText);
        win32shell::appendSystemMenuEntry(handleOf(m_window), commandId, ansiText);
    }

    void setHandler(std::function<void(quintptr)> handler) { m_handler = std::move(handler); }

    void deliver(quintptr command)
    {
        // A copy, for the handler may delete the window and with it this hook.
        const std::function<void(quintptr)> handler = m_handler;
        if (handler)
            handler(command);
    }

protected:
    // Some window changes make Qt create a new native window, whose system menu is the
    // standard one again: add our entries anew.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::WinIdChange && handleOf(m_window)) {
            for (const auto &[id, text] : m_entries)
                win32shell::appendSystemMenuEntry(handleOf(m_window), id, text);
        }
        return false;
    }

private:
    QWidget *m_window;
    std::vector<std::pair<quint32, std::string>> m_entries;
    std::function<void(quintptr)> m_handler;
};

class WindowsShell : public DesktopShell {
public:
    bool hasTaskbar() override { return win32shell::hasTaskbar(); }
    void hideTaskbar() override { win32shell::hideTaskbar(); }
    void showTaskbar() override { win32shell::showTaskbar(); }

    QSize screenSize() override
    {
        return QSize(win32shell::screenWidth(), win32shell::screenHeight());
    }

    WorkArea workArea() override
    {
        const win32shell::Rect r = win32shell::workArea();
        return {r.left, r.top, r.right, r.bottom};
    }

    void setWorkArea(const WorkArea &area) override
    {
        win32shell::setWorkArea({area.left, area.top, area.right, area.bottom});
    }

    void appendSystemMenuEntry(QWidget *window, quint32 commandId, const QString &text) override
    {
        if (!window)
            return;
        const QByteArray bytes = textcodec::toWindows1251(text);
        hookFor(window)->appendEntry(commandId, std::string(bytes.constData(), bytes.size()));
    }

    void setSystemCommandHandler(QWidget *window, std::function<void(quintptr)> handler) override
    {
        if (window)
            hookFor(window)->setHandler(std::move(handler));
    }

    // Qt's window procedure keeps WM_SYSCOMMAND from global native event filters (it counts
    // it among input messages), also when the system menu's own command arrives; only the
    // window's nativeEvent is handed every one.
    void windowMessage(QWidget *window, const QByteArray &eventType, void *message) override
    {
        if (eventType != "windows_generic_MSG")
            return;
        WindowHook *hook = findHook(window);
        if (!hook)
            return;
        if (const auto command = win32shell::systemCommandFor(message, handleOf(window)))
            hook->deliver(static_cast<quintptr>(*command));
    }

    QImage captureScreenRect(const QRect &rect, QWidget *window) override
    {
        if (rect.isEmpty())
            return QImage();
        // Only the windows platform draws on the screen that GDI reads; any other (offscreen)
        // keeps its windows to itself.
        if (QGuiApplication::platformName() != QLatin1String("windows"))
            return captureScreenRectPortable(rect, window);
        // The screen is read in device pixels; the picture is kept in design pixels. Qt keeps a
        // screen's top-left corner where the device puts it and scales from there.
        const QScreen *screen = QGuiApplication::screenAt(rect.topLeft());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
        const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
        const QRect device(origin + (rect.topLeft() - origin) * ratio,
                           (QSizeF(rect.size()) * ratio).toSize());

        QImage image(device.size(), QImage::Format_RGB32);
        if (image.isNull())
            return QImage();
        if (!win32shell::copyScreenPixels(device.x(), device.y(), device.width(), device.height(),
                                          reinterpret_cast<quint32 *>(image.bits())))
            image.fill(Qt::black);
        if (image.size() != rect.size())
            image = image.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return image;
    }

private:
    WindowHook *findHook(const QWidget *window)
    {
        m_hooks.removeIf([](const QPointer<WindowHook> &hook) { return hook.isNull(); });
        for (const QPointer<WindowHook> &hook : std::as_const(m_hooks)) {
            if (hook->window() == window)
                return hook;
        }
        return nullptr;
    }

    WindowHook *hookFor(QWidget *window)
    {
        window->winId(); // the system menu belongs to the native window
        if (WindowHook *hook = findHook(window))
            return hook;
        auto *hook = new WindowHook(window);
        m_hooks.append(hook);
        return hook;
    }

    QList<QPointer<WindowHook>> m_hooks;
};

} // namespace

std::unique_ptr<DesktopShell> createPlatformShell()
{
    return std::make_unique<WindowsShell>();
}

} // namespace shell
