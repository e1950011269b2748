#include "survey/survey_texts.h"
#include "survey_icon.h"
#include "survey_window.h"
#include "widgets/gui_start.h"
#include "widgets/qt_texts.h"
#include "widgets/save_folder.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>

namespace {

const ui::ProgramInfo kProgram{
    "ocai-survey", OCAI_VERSION,
    "Использование: ocai-survey [--help | --version]\n"
    "Анкета OCAI: шесть вопросов о культуре организации, сейчас и в будущем; ответы каждого\n"
    "респондента записываются в файл <код>OCAI.cry в папке результатов.\n"
    "Программе нужен графический сеанс (X11 или Wayland).\n"};

} // namespace

int main(int argc, char **argv)
{
    if (const auto exitCode = ui::answerCommandLine(argc, argv, kProgram))
        return *exitCode;
    const auto app = ui::startApplication(argc, argv, kProgram);
    QCoreApplication::setOrganizationName(QStringLiteral("ocai-plot"));
    QCoreApplication::setApplicationName(QStringLiteral("ocai-survey"));
    QApplication::setApplicationDisplayName(surveytexts::kWindowTitle);
    QApplication::setWindowIcon(surveyicon::icon());
    ui::installRussianQtTexts();

    // The folder chosen last time; at first "Data" beside the program, where "Data" and
    // "Group" of ocai-plot open.
    SurveyWindow window(ui::defaultSaveFolder(
        QCoreApplication::applicationDirPath() + QLatin1Char('/'), QStringLiteral("Data")));
    QSettings settings;
    const QString remembered = settings.value(QStringLiteral("folder")).toString();
    if (!remembered.isEmpty())
        window.useChosenFolder(remembered);
    QObject::connect(&window, &SurveyWindow::folderChanged, &window,
                     [&settings](const QString &chosen) {
                         settings.setValue(QStringLiteral("folder"), chosen);
                     });
    // Without a window manager "maximised" means nothing: take the available area as well.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app->exec();
}
