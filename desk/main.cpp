#include "charts/fonts.h"
#include "desk/desk_window.h"
#include "desk/web_collection.h"
#include "shell/desktop_shell.h"
#include "widgets/gui_start.h"
#include "widgets/qt_texts.h"

#include <QApplication>
#include <QIcon>

namespace {

const ui::ProgramInfo kProgram{
    "ocai-desk", OCAI_VERSION,
    "Использование: ocai-desk [ПАПКА | --help | --version]\n"
    "Окно консультанта для опроса OCAI: группы и респонденты папки опроса, профили, отчёты\n"
    "PDF и Excel, сбор ответов по сети. Программе нужен графический сеанс (X11 или\n"
    "Wayland); без окна те же документы даёт ocai-cli.\n"};

} // namespace

int main(int argc, char **argv)
{
    if (const auto exitCode = ui::answerCommandLine(argc, argv, kProgram))
        return *exitCode;
    int code = 0;
    {
        const auto app = ui::startApplication(argc, argv, kProgram);
        QCoreApplication::setOrganizationName(QStringLiteral("OCAI"));
        QCoreApplication::setApplicationName(QStringLiteral("ocai-desk"));
        QCoreApplication::setApplicationVersion(QStringLiteral(OCAI_VERSION));
        QGuiApplication::setDesktopFileName(QStringLiteral("ocai-desk"));
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ocai-desk")));
        ui::addProgramFonts();
        ui::installFontSubstitutions();
        ui::installRussianQtTexts();

        desk::collectionFactory() = [] { return std::make_unique<desk::WebCollection>(); };
        const std::unique_ptr<shell::DesktopShell> shell = shell::createPlatformShell();
        desk::DeskWindow window(*shell);
        const QStringList arguments = QCoreApplication::arguments();
        window.openAtStart(arguments.size() > 1 ? arguments.at(1) : QString());
        window.show();
        code = app->exec();
    }
    // The window, its collection and the application are gone: nothing of the program's own
    // is left to end.
    ui::endProgram(code);
}
