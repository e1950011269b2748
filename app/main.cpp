#include "About.h"
#include "PlotOCAI.h"
#include "charts/fonts.h"
#include "form_texts.h"
#include "glyphs.h"
#include "shell/desktop_shell.h"
#include "widgets/qt_texts.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The title captions the standard error box; no command line is read.
    QCoreApplication::setApplicationName(formtexts::kApplicationTitle);
    QApplication::setWindowIcon(glyphs::appIcon());
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
    return app.exec();
}
