// The main window on the real Windows shell, under the windows platform: the system menu's
// entry chosen as a user chooses it. Windows only.
#include "main_window_fixture.h"
#include "shell/desktop_shell.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

constexpr UINT kAbout = 1025;

struct Choice {
    const char *how;
    // The menu's command arrives in the window procedure directly (as the system menu
    // calls it) or through the message queue.
    bool sent;
};

class RealShellAbout : public ::testing::TestWithParam<Choice> {};

// The window's system menu entry, by its command.
QString systemMenuText(HWND window, UINT command)
{
    wchar_t text[64] = {};
    GetMenuStringW(GetSystemMenu(window, FALSE), command, text, 64, MF_BYCOMMAND);
    return QString::fromWCharArray(text);
}

} // namespace

TEST_P(RealShellAbout, EntryOpensTheBoxAndItsOkShowsDataAndGroup)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("windows"));
    const std::unique_ptr<shell::DesktopShell> desktop = shell::createPlatformShell();
    TForm1 form(*desktop);
    TAboutBox about(&form);
    form.setAboutBox(&about);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, 10000));
    const auto window = reinterpret_cast<HWND>(form.winId());
    EXPECT_EQ(systemMenuText(window, kAbout), QStringLiteral("О программе"));
    EXPECT_TRUE(visibleMenuEntries(form).isEmpty());

    if (GetParam().sent)
        SendMessageW(window, WM_SYSCOMMAND, kAbout, 0);
    else
        ASSERT_TRUE(PostMessageW(window, WM_SYSCOMMAND, kAbout, 0));
    EXPECT_TRUE(QTest::qWaitFor([&about] { return about.isVisible(); }, 10000));

    about.OKButton->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(visibleMenuEntries(form),
              QStringList({QStringLiteral("Data"), QStringLiteral("Group")}));
    form.close();
}

INSTANTIATE_TEST_SUITE_P(ChosenAsAUserChoosesIt, RealShellAbout,
                         ::testing::Values(Choice{"sent", true}, Choice{"posted", false}),
                         [](const auto &info) { return std::string(info.param.how); });
