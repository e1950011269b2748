#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <utility>

class QMenu;
class QMenuBar;
class QWidget;

namespace shell {

// A window's system menu where the desktop offers none of its own: a popup with "Свернуть",
// "Развернуть" and "Закрыть" and the entries the program appends, opened by Alt+Space and by a
// right click on the menu bar of a QMainWindow. Every choice reaches the command handler with
// the number Windows gives it, then gets the default handling. Lives as a child of the window.
class SystemMenu : public QObject {
    Q_OBJECT
public:
    // The window's system menu, made on first use.
    static SystemMenu *of(QWidget *window);

    QMenu *menu() const { return m_menu; }
    void appendEntry(quint32 commandId, const QString &text);
    void setHandler(std::function<void(quintptr)> handler) { m_handler = std::move(handler); }
    void popup(const QPoint &globalPos);

    // What choosing an entry does: the handler first, then the default handling of the
    // standard commands (an appended command has none).
    void execute(quintptr command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SystemMenu(QWidget *window);
    void addCommand(quintptr command, const QString &text);
    QMenuBar *menuBar() const;
    void keepMenuBarClickable();
    bool isOnMenuBar(const QPoint &windowPos) const;

    QWidget *m_window;
    QMenu *m_menu;
    std::function<void(quintptr)> m_handler;
};

} // namespace shell
