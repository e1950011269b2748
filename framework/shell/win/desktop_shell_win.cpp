#include "shell/desktop_shell.h"
#include "win32_shell_api.h"

#include "core/text_codec.h"
#include "shell/portable/screen_capture.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
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

// Passes WM_SYSCOMMAND of the hooked windows to their handlers and never stops a message, so
// that Qt and DefWindowProc go on with the default handling.
class SystemCommandFilter : public QAbstractNativeEventFilter {
public:
    void add(WindowHook *hook) { m_hooks.append(hook); }

    WindowHook *find(const QWidget *window) const
    {
        for (const QPointer<WindowHook> &hook : m_hooks) {
            if (hook && hook->window() == window)
                return hook;
        }
        return nullptr;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        // A posted message is filtered twice: by the event loop when it leaves the queue (with
        // no result slot) and again in the window procedure. Only the window procedure counts.
        if (eventType != "windows_generic_MSG" || !result)
            return false;
        m_hooks.removeIf([](const QPointer<WindowHook> &hook) { return hook.isNull(); });
        const auto hooks = m_hooks; // a handler may add or remove hooks
        for (const QPointer<WindowHook> &hook : hooks) {
            if (!hook)
                continue;
            if (const auto command =
                    win32shell::systemCommandFor(message, handleOf(hook->window())))
                hook->deliver(static_cast<quintptr>(*command));
        }
        return false;
    }

private:
    QList<QPointer<WindowHook>> m_hooks;
};

class WindowsShell : public DesktopShell {
public:
    ~WindowsShell() override
    {
        if (m_filterInstalled && QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(&m_filter);
    }

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
    WindowHook *hookFor(QWidget *window)
    {
        window->winId(); // the system menu belongs to the native window
        if (WindowHook *hook = m_filter.find(window))
            return hook;
        auto *hook = new WindowHook(window);
        m_filter.add(hook);
        if (!m_filterInstalled && QCoreApplication::instance()) {
            QCoreApplication::instance()->installNativeEventFilter(&m_filter);
            m_filterInstalled = true;
        }
        return hook;
    }

    SystemCommandFilter m_filter;
    bool m_filterInstalled = false;
};

} // namespace

std::unique_ptr<DesktopShell> createPlatformShell()
{
    return std::make_unique<WindowsShell>();
}

} // namespace shell
