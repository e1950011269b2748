#include "charts/fonts.h"
#include "desk_window.h"
#include "shell/desktop_shell.h"
#include "web_collection.h"
#include "widgets/qt_texts.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OCAI"));
    QCoreApplication::setApplicationName(QStringLiteral("ocai-desk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OCAI_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("OCAI: анализ опроса"));
    QGuiApplication::setDesktopFileName(QStringLiteral("ocai-desk"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ocai-desk")));
    ui::installFontSubstitutions();
    ui::installRussianQtTexts();

    desk::collectionFactory() = [] { return std::make_unique<desk::WebCollection>(); };
    const std::unique_ptr<shell::DesktopShell> shell = shell::createPlatformShell();
    desk::DeskWindow window(*shell);
    // "ocai-desk DIR" opens the survey in DIR; without it the window waits for Ctrl+O.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openSurvey(arguments.at(1));
    window.show();
    return app.exec();
}
