#pragma once

#include "shell/desktop_shell.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

// A desktop shell that only records what the window asks of it, one readable line per call:
// "hasTaskbar", "hideTaskbar", "showTaskbar", "screenSize", "workArea",
// "setWorkArea 0,0,1920,1080" (left, top, right, bottom), "appendSystemMenuEntry 1025 О программе",
// "setSystemCommandHandler", "captureScreenRect 336,8 686x698" (left,top width x height),
// "openPath /tmp/report.pdf".
class RecordingDesktopShell : public shell::DesktopShell {
public:
    explicit RecordingDesktopShell(bool taskbar = true, QSize screen = QSize(1920, 1080))
        : m_taskbar(taskbar),
          m_screen(screen), m_workArea{0, 0, screen.width(), screen.height() - 40}
    {
    }

    void setScreenSize(QSize size) { m_screen = size; }
    void setCurrentWorkArea(const shell::WorkArea &area) { m_workArea = area; }
    shell::WorkArea currentWorkArea() const { return m_workArea; }

    bool hasTaskbar() override
    {
        calls << QStringLiteral("hasTaskbar");
        return m_taskbar;
    }
    void hideTaskbar() override { calls << QStringLiteral("hideTaskbar"); }
    void showTaskbar() override { calls << QStringLiteral("showTaskbar"); }
    QSize screenSize() override
    {
        calls << QStringLiteral("screenSize");
        return m_screen;
    }
    shell::WorkArea workArea() override
    {
        calls << QStringLiteral("workArea");
        return m_workArea;
    }
    void setWorkArea(const shell::WorkArea &area) override
    {
        calls << QStringLiteral("setWorkArea %1,%2,%3,%4")
                     .arg(area.left)
                     .arg(area.top)
                     .arg(area.right)
                     .arg(area.bottom);
        m_workArea = area;
    }
    void appendSystemMenuEntry(QWidget *window, quint32 commandId, const QString &text) override
    {
        calls << QStringLiteral("appendSystemMenuEntry %1 %2").arg(commandId).arg(text);
        menuWindow = window;
    }
    void setSystemCommandHandler(QWidget *window, std::function<void(quintptr)> handler) override
    {
        calls << QStringLiteral("setSystemCommandHandler");
        handlerWindow = window;
        m_handler = std::move(handler);
    }

    // A plain picture of captureColour in the rectangle's size.
    QImage captureScreenRect(const QRect &rect, QWidget *window) override
    {
        calls << QStringLiteral("captureScreenRect %1,%2 %3x%4")
                     .arg(rect.x())
                     .arg(rect.y())
                     .arg(rect.width())
                     .arg(rect.height());
        capturedRect = rect;
        captureWindow = window;
        if (rect.isEmpty())
            return QImage();
        QImage image(rect.size(), QImage::Format_RGB32);
        image.fill(captureColour);
        return image;
    }

    bool openPath(const QString &path) override
    {
        calls << QStringLiteral("openPath ") + path;
        return true;
    }

    // Plays the window's WM_SYSCOMMAND handling; the default handling of a real desktop (move,
    // minimize, close) is not imitated. False when no handler is set.
    bool sendSystemCommand(quintptr command)
    {
        if (!m_handler)
            return false;
        m_handler(command);
        return true;
    }
    bool hasHandler() const { return bool(m_handler); }

    QStringList calls;
    QWidget *menuWindow = nullptr;
    QWidget *handlerWindow = nullptr;
    QRect capturedRect;
    QWidget *captureWindow = nullptr;
    QColor captureColour = Qt::white;

private:
    bool m_taskbar;
    QSize m_screen;
    shell::WorkArea m_workArea;
    std::function<void(quintptr)> m_handler;
};
