#pragma once

#include "shell/desktop_shell.h"

class QMenu;

namespace shell {

// The shell on desktops other than Windows: no taskbar of ours to hide, a work area that the
// window manager keeps, and a system menu of the program's own (see SystemMenu).
class PortableShell : public DesktopShell {
public:
    bool hasTaskbar() override { return false; }
    void hideTaskbar() override {}
    void showTaskbar() override {}
    QSize screenSize() override;
    WorkArea workArea() override;
    void setWorkArea(const WorkArea &) override {}
    void appendSystemMenuEntry(QWidget *window, quint32 commandId, const QString &text) override;
    void setSystemCommandHandler(QWidget *window, std::function<void(quintptr)> handler) override;
    QImage captureScreenRect(const QRect &rect, QWidget *window) override;

    // The window's system menu popup, made on first use; its actions carry the command numbers
    // as data. Null for a null window.
    QMenu *systemMenu(QWidget *window);
};

} // namespace shell
