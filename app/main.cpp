#include "About.h"
#include "PlotOCAI.h"
#include "charts/fonts.h"
#include "form_texts.h"
#include "glyphs.h"
#include "shell/desktop_shell.h"
#include "widgets/gui_start.h"
#include "widgets/qt_texts.h"

#include <QApplication>
#include <QScreen>

namespace {

const ui::ProgramInfo kProgram{
    "ocai-plot", OCAI_VERSION,
    "Использование: ocai-plot [--help | --version]\n"
    "Профиль организационной культуры OCAI по файлам результатов анкеты (*OCAI.cry): одного\n"
    "респондента или группы. Программе нужен графический сеанс (X11 или Wayland); без окна\n"
    "те же профили и отчёты даёт ocai-cli.\n"};

} // namespace

int main(int argc, char **argv)
{
    if (const auto exitCode = ui::answerCommandLine(argc, argv, kProgram))
        return *exitCode;
    const auto app = ui::startApplication(argc, argv, kProgram);
    // The title captions the standard error box; besides --help and --version no command line
    // is read.
    QCoreApplication::setApplicationName(formtexts::kApplicationTitle);
    QApplication::setWindowIcon(glyphs::appIcon());
    ui::addProgramFonts();
    ui::installFontSubstitutions();
    ui::installRussianQtTexts();

    const std::unique_ptr<shell::DesktopShell> desktop = shell::createPlatformShell();
    TForm1 form(*desktop);
    TAboutBox aboutBox(&form);
    form.setAboutBox(&aboutBox);
    // Without a window manager "maximised" means nothing: take the available area as well.
    if (const QScreen *screen = form.screen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    return app->exec();
}
