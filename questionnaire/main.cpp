#include "survey_icon.h"
#include "survey_texts.h"
#include "survey_window.h"
#include "widgets/qt_texts.h"
#include "widgets/save_folder.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ocai-plot"));
    QCoreApplication::setApplicationName(QStringLiteral("ocai-survey"));
    QApplication::setApplicationDisplayName(surveytexts::kWindowTitle);
    QApplication::setWindowIcon(surveyicon::icon());
    ui::installRussianQtTexts();

    // The folder chosen last time; at first "Data" beside the program, where "Data" and
    // "Group" of ocai-plot open.
    QSettings settings;
    const QString remembered = settings.value(QStringLiteral("folder")).toString();
    const QString folder =
        !remembered.isEmpty()
            ? remembered
            : ui::defaultSaveFolder(QCoreApplication::applicationDirPath() + QLatin1Char('/'),
                                    QStringLiteral("Data"));

    SurveyWindow window(folder);
    QObject::connect(&window, &SurveyWindow::folderChanged, &window,
                     [&settings](const QString &chosen) {
                         settings.setValue(QStringLiteral("folder"), chosen);
                     });
    // Without a window manager "maximised" means nothing: take the available area as well.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
