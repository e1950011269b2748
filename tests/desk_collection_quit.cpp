// The desk started as its program starts it, a collection run on 127.0.0.1, then «Выход»: what
// keeps a program alive shows only at its exit, so DeskProgram.EndsAfterACollection runs this
// as a process of its own. Usage: desk_collection_quit SURVEY_FOLDER [--no-collection].
#include "charts/fonts.h"
#include "desk/collection_dialog.h"
#include "desk/desk_window.h"
#include "desk/web_collection.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "test_isolation.h"
#include "widgets/gui_start.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

// The menu entry of the window by its text.
QAction *entry(const QWidget &window, const QString &text)
{
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    isolateUserFiles();
    int code = 0;
    {
        QApplication app(argc, argv);
        ui::installFontSubstitutions();
        QTextStream err(stderr);
        if (argc < 2 || argc > 3) {
            err << "usage: desk_collection_quit SURVEY_FOLDER [--no-collection]\n";
            return 2;
        }
        const bool collecting = argc == 2;
        const QString folder = QString::fromLocal8Bit(argv[1]);
        FakeDialogs dialogs;
        dialogs.answerYes = true; // "stop the collection and quit?"
        desk::collectionFactory() = [] {
            return std::make_unique<desk::WebCollection>(QHostAddress::LocalHost);
        };
        RecordingDesktopShell shell;
        desk::DeskWindow window(shell);
        window.openSurvey(folder);
        window.show();
        QAction *collect = entry(window, QStringLiteral("Собрать ответы по &сети…"));
        QAction *quit = entry(window, QStringLiteral("В&ыход"));
        if (!collect || !quit) {
            err << "the window has no collection or quit entry\n";
            return 3;
        }
        if (collecting)
            collect->trigger();
        auto *dialog = window.findChild<desk::CollectionDialog *>();
        if (collecting && !dialog) {
            err << "no collection dialog\n";
            return 3;
        }
        if (collecting)
            dialog->start();
        // Running once its link's QR code is written.
        if (collecting &&
            !QTest::qWaitFor([&] { return QFile::exists(folder + QStringLiteral("/QR.png")); },
                             20000)) {
            err << "the collection did not start\n";
            return 4;
        }
        // «Выход» from the running program's event loop, as a user chooses it; the loop ends with
        // the window.
        QTimer::singleShot(0, quit, &QAction::trigger);
        QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(5); });
        code = app.exec();
    }
    ui::endProgram(code); // as the desk's program ends
}
