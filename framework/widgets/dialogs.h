#pragma once

#include <QString>

class QWidget;

// File dialogs and the standard error box behind one seam, so that tests replace them
// and no test ever waits on a real modal dialog.
namespace ui {

struct FileRequest {
    QString title;
    QString folder;
    QString fileName;
    QString filter; // "Description (*.ext)|*.ext" pairs, as the program writes them
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen file's path, or an empty text when the user cancelled.
    virtual QString openFile(QWidget *parent, const FileRequest &request) = 0;
    // Asks before overwriting an existing file; empty when cancelled.
    virtual QString saveFile(QWidget *parent, const FileRequest &request) = 0;
    // Asks whether an existing file may be replaced; true to go on.
    virtual bool confirmOverwrite(QWidget *parent, const QString &path) = 0;
    // A folder chosen starting from `folder`; empty when cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &folder) = 0;
    // A question answered with Yes (true) or No; No is the default answer.
    virtual bool askYesNo(QWidget *parent, const QString &caption, const QString &question) = 0;
    // The standard error box: the caption, the message and an OK button.
    virtual void showError(QWidget *parent, const QString &caption, const QString &message) = 0;

    // The dialogs in use: the real ones unless a test installed its own.
    static Dialogs &instance();
    // Installs `dialogs` (not owned); nullptr restores the real dialogs.
    static void setInstance(Dialogs *dialogs);
};

// "CRY Files (*.cry)|*.cry" -> "CRY Files (*.cry)", one Qt name filter per pair.
QString toQtNameFilters(const QString &filter);

} // namespace ui
