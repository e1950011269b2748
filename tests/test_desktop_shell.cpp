#include "fake_desktop_shell.h"
#include "shell/desktop_shell.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "shell/portable/portable_shell.h"
#endif

#include <memory>
#include <vector>

TEST(WorkArea, RightAndBottomLieOnePastTheLastPixel)
{
    const shell::WorkArea full = shell::WorkArea::fromRect(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(full, (shell::WorkArea{0, 0, 1920, 1080}));
    EXPECT_EQ(full.toRect(), QRect(0, 0, 1920, 1080));
    const shell::WorkArea offset{10, 20, 110, 70};
    EXPECT_EQ(offset.toRect(), QRect(10, 20, 100, 50));
    EXPECT_EQ(shell::WorkArea::fromRect(offset.toRect()), offset);
}

TEST(RecordingDesktopShell, RecordsCallsAndPlaysSystemCommands)
{
    RecordingDesktopShell fake(true, QSize(1280, 1024));
    QWidget window;
    std::vector<quintptr> received;
    if (fake.hasTaskbar()) {
        fake.hideTaskbar();
        const QSize size = fake.screenSize();
        fake.setWorkArea({0, 0, size.width(), size.height()});
    }
    fake.appendSystemMenuEntry(&window, 1025, QStringLiteral("О программе"));
    fake.setSystemCommandHandler(&window, [&](quintptr command) { received.push_back(command); });
    EXPECT_TRUE(fake.sendSystemCommand(1025));
    EXPECT_EQ(fake.calls,
              QStringList({"hasTaskbar", "hideTaskbar", "screenSize", "setWorkArea 0,0,1280,1024",
                           "appendSystemMenuEntry 1025 О программе", "setSystemCommandHandler"}));
    EXPECT_EQ(received, std::vector<quintptr>{1025});
    EXPECT_EQ(fake.menuWindow, &window);
    EXPECT_FALSE(RecordingDesktopShell(false).hasTaskbar());
}

#ifndef Q_OS_WIN

namespace {

constexpr quint32 kAbout = 1025;

// A main window set up as the program does it: the about entry appended, a handler that logs
// every command, and a menu bar whose entries are all hidden at first.
class ShellWindow : public QMainWindow {
public:
    explicit ShellWindow(shell::PortableShell &shell, QStringList &log) : m_log(log)
    {
        menuBar()->addAction(QStringLiteral("Data"))->setVisible(false);
        setCentralWidget(new QWidget);
        resize(400, 300);
        shell.appendSystemMenuEntry(this, kAbout, QStringLiteral("О программе"));
        shell.setSystemCommandHandler(this, [this](quintptr command) {
            m_log << QStringLiteral("command %1").arg(command, 0, 16);
        });
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        m_log << QStringLiteral("closeEvent");
        QMainWindow::closeEvent(event);
    }

private:
    QStringList &m_log;
};

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

class PortableShellTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    bool showAndActivate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    shell::PortableShell shell;
    QStringList log;
    ShellWindow window{shell, log};
};

} // namespace

TEST_F(PortableShellTest, DesktopIsLeftAlone)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(shell.hasTaskbar());
    shell.hideTaskbar();
    shell.showTaskbar();
    EXPECT_EQ(shell.screenSize(), screen->size());
    const shell::WorkArea before = shell.workArea();
    EXPECT_EQ(before.toRect(), screen->availableGeometry());
    shell.setWorkArea({0, 0, 1, 1});
    EXPECT_EQ(shell.workArea(), before);
}

TEST_F(PortableShellTest, MenuListsStandardEntriesThenAppendedOnes)
{
    shell.appendSystemMenuEntry(&window, 2000, QStringLiteral("Ещё"));
    QMenu *menu = shell.systemMenu(&window);
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    std::vector<qulonglong> commands;
    for (QAction *action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        commands.push_back(action->isSeparator() ? 0 : action->data().toULongLong());
    }
    EXPECT_EQ(texts, QStringList({"Восстановить", "Свернуть", "Развернуть", "Закрыть", "-",
                                  "О программе", "-", "Ещё"}));
    EXPECT_EQ(commands,
              (std::vector<qulonglong>{0xF120, 0xF020, 0xF030, 0xF060, 0, 1025, 0, 2000}));
    EXPECT_EQ(shell.systemMenu(&window), menu); // one menu per window
    EXPECT_EQ(shell.systemMenu(nullptr), nullptr);
}

TEST_F(PortableShellTest, AltSpaceOpensTheMenu)
{
    ASSERT_TRUE(showAndActivate());
    QMenu *menu = shell.systemMenu(&window);
    EXPECT_FALSE(menu->isVisible());
    QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    EXPECT_TRUE(log.isEmpty()); // opening chooses nothing
}

TEST_F(PortableShellTest, RightClickOnMenuBarOpensTheMenu)
{
    ASSERT_TRUE(showAndActivate());
    QMenu *menu = shell.systemMenu(&window);
    QMenuBar *bar = window.menuBar();
    ASSERT_GT(bar->height(), 0) << "an empty menu bar must still be there to click on";
    QWindow *handle = window.windowHandle();

    // Elsewhere in the window a right click does nothing of ours.
    const QPoint inside = window.centralWidget()->geometry().center();
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_FALSE(menu->isVisible());

    const QPoint onBar = bar->geometry().center();
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, onBar);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(PortableShellTest, AboutEntryReachesOnlyTheHandler)
{
    ASSERT_TRUE(showAndActivate());
    actionNamed(shell.systemMenu(&window), QStringLiteral("О программе"))->trigger();
    EXPECT_EQ(log, QStringList({"command 401"}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(PortableShellTest, StandardEntriesCallTheHandlerThenDoTheirWork)
{
    ASSERT_TRUE(showAndActivate());
    QMenu *menu = shell.systemMenu(&window);

    actionNamed(menu, QStringLiteral("Свернуть"))->trigger();
    EXPECT_EQ(log, QStringList({"command f020"}));
    EXPECT_TRUE(window.isMinimized());

    log.clear();
    actionNamed(menu, QStringLiteral("Развернуть"))->trigger();
    EXPECT_EQ(log, QStringList({"command f030"}));
    EXPECT_TRUE(window.isMaximized());

    // "Восстановить" is offered only to a maximised or minimised window, and restores it.
    QAction *restore = actionNamed(menu, QStringLiteral("Восстановить"));
    emit menu->aboutToShow();
    EXPECT_TRUE(restore->isEnabled());
    log.clear();
    restore->trigger();
    EXPECT_EQ(log, QStringList({"command f120"}));
    EXPECT_FALSE(window.isMaximized());
    emit menu->aboutToShow();
    EXPECT_FALSE(restore->isEnabled());

    log.clear();
    actionNamed(menu, QStringLiteral("Закрыть"))->trigger();
    EXPECT_EQ(log, QStringList({"command f060", "closeEvent"}));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PortableShellTest, ChoosingFromTheOpenPopupWorks)
{
    ASSERT_TRUE(showAndActivate());
    QMenu *menu = shell.systemMenu(&window);
    QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
    ASSERT_TRUE(menu->isVisible());
    QAction *about = actionNamed(menu, QStringLiteral("О программе"));
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(about).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(log, QStringList({"command 401"}));
}

TEST(PortableShell, MenuBarGivenAfterTheMenuStaysClickable)
{
    shell::PortableShell shell;
    QMainWindow window;
    shell.appendSystemMenuEntry(&window, kAbout, QStringLiteral("О программе"));
    auto *bar = new QMenuBar;
    bar->addAction(QStringLiteral("Data"))->setVisible(false);
    window.setMenuBar(bar);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_GT(bar->height(), 0);
}

TEST(PortableShell, HandlerIsReplacedAndMayDeleteTheWindow)
{
    shell::PortableShell shell;
    auto *window = new QMainWindow;
    std::vector<quintptr> first;
    std::vector<quintptr> second;
    shell.setSystemCommandHandler(window, [&](quintptr c) { first.push_back(c); });
    shell.setSystemCommandHandler(window, [&](quintptr c) {
        second.push_back(c);
        delete window; // e.g. a handler that tears the window down itself
    });
    QPointer<QMainWindow> guard = window;
    actionNamed(shell.systemMenu(window), QStringLiteral("Закрыть"))->trigger();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second, std::vector<quintptr>{0xF060});
    EXPECT_TRUE(guard.isNull());
}

#endif // Q_OS_WIN
