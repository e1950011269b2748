#pragma once

#include "widgets/dialogs.h"

#include <QStringList>

// Answers file dialogs from a script and records error boxes instead of showing them.
class FakeDialogs : public ui::Dialogs {
public:
    FakeDialogs() { ui::Dialogs::setInstance(this); }
    ~FakeDialogs() override { ui::Dialogs::setInstance(nullptr); }

    QString openFile(QWidget *, const ui::FileRequest &request) override
    {
        requests << request;
        return nextPath;
    }
    QString saveFile(QWidget *, const ui::FileRequest &request) override
    {
        requests << request;
        return nextPath;
    }
    bool confirmOverwrite(QWidget *, const QString &path) override
    {
        overwriteQuestions << path;
        return allowOverwrite;
    }
    QString chooseFolder(QWidget *, const QString &, const QString &folder) override
    {
        folderStarts << folder;
        return nextFolder;
    }
    bool askYesNo(QWidget *, const QString &, const QString &question) override
    {
        questions << question;
        return answerYes;
    }
    void showError(QWidget *, const QString &caption, const QString &message) override
    {
        errorCaptions << caption;
        errors << message;
    }

    QString nextPath; // empty: the user cancels
    bool allowOverwrite = true;
    std::function<void()> whileAsking; // runs while the question is open
    QString nextFolder;                // empty: the user cancels
    QStringList folderStarts;
    bool answerYes = false;
    QStringList questions;
    QStringList overwriteQuestions;
    QList<ui::FileRequest> requests;
    QStringList errorCaptions;
    QStringList errors;
};
