#include "About.h"
#include "PlotOCAI.h"
#include "charts/fonts.h"
#include "form_texts.h"
#include "glyphs.h"
#include "shell/desktop_shell.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The title captions the standard error box; no command line is read.
    QCoreApplication::setApplicationName(formtexts::kApplicationTitle);
    QApplication::setWindowIcon(glyphs::appIcon());
    ui::installFontSubstitutions();
    // Qt's own texts (file dialogs, standard buttons) in the interface's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

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
