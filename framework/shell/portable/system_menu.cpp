#include "system_menu.h"

#include "shell/desktop_shell.h"
#include "widgets/menu_bar_style.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QVariant>

namespace shell {

SystemMenu *SystemMenu::of(QWidget *window)
{
    if (auto *existing = window->findChild<SystemMenu *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new SystemMenu(window);
}

SystemMenu::SystemMenu(QWidget *window)
    : QObject(window), m_window(window), m_menu(new QMenu(window))
{
    addCommand(kScRestore, QStringLiteral("Восстановить"));
    addCommand(kScMinimize, QStringLiteral("Свернуть"));
    addCommand(kScMaximize, QStringLiteral("Развернуть"));
    addCommand(kScClose, QStringLiteral("Закрыть"));

    // As on Windows, "Восстановить" is offered only to a maximised or minimised window.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        for (QAction *action : m_menu->actions())
            if (action->data().toULongLong() == kScRestore)
                action->setEnabled(m_window->windowState() &
                                   (Qt::WindowMaximized | Qt::WindowMinimized));
    });

    auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this] { popup(m_window->mapToGlobal(QPoint(0, 0))); });

    // A right click on the menu bar arrives here as a context menu event the bar ignored.
    window->installEventFilter(this);
    keepMenuBarClickable();
}

void SystemMenu::appendEntry(quint32 commandId, const QString &text)
{
    m_menu->addSeparator();
    addCommand(commandId, text);
}

void SystemMenu::addCommand(quintptr command, const QString &text)
{
    QAction *action = m_menu->addAction(text);
    action->setData(QVariant::fromValue<qulonglong>(command));
    connect(action, &QAction::triggered, this, [this, command] { execute(command); });
}

void SystemMenu::popup(const QPoint &globalPos)
{
    m_menu->popup(globalPos);
}

void SystemMenu::execute(quintptr command)
{
    // The handler may close or even delete the window; work on copies and check afterwards.
    QPointer<QWidget> window = m_window;
    const std::function<void(quintptr)> handler = m_handler;
    if (handler)
        handler(command);
    if (!window)
        return;
    if (command == kScRestore)
        window->showNormal();
    else if (command == kScMinimize)
        window->showMinimized();
    else if (command == kScMaximize)
        window->showMaximized();
    else if (command == kScClose)
        window->close();
}

bool SystemMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show)
        keepMenuBarClickable(); // the window may have got its menu bar after we came
    if (watched == m_window && event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        if (menuEvent->reason() == QContextMenuEvent::Mouse && isOnMenuBar(menuEvent->pos())) {
            popup(menuEvent->globalPos());
            return true;
        }
    }
    return false;
}

QMenuBar *SystemMenu::menuBar() const
{
    const auto *mainWindow = qobject_cast<QMainWindow *>(m_window);
    return mainWindow ? qobject_cast<QMenuBar *>(mainWindow->menuWidget()) : nullptr;
}

void SystemMenu::keepMenuBarClickable()
{
    // A bar whose entries are all hidden shrinks to nothing, yet then the system menu is the
    // only way on; keep it as high as with its entries, as a Windows menu bar stays.
    QMenuBar *bar = menuBar();
    if (bar && bar->minimumHeight() != bar->maximumHeight()) // not fixed yet
        ui::keepMenuBarHeight(bar);
}

bool SystemMenu::isOnMenuBar(const QPoint &windowPos) const
{
    const QMenuBar *bar = menuBar();
    return bar && bar->isVisible() && bar->geometry().contains(windowPos);
}

} // namespace shell
