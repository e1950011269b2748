#pragma once

#include "widgets/dialogs.h"

#include <QStringList>
#include <functional>

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
        if (whileAsking)
            whileAsking();
        return allowOverwrite;
    }
    void showError(QWidget *, const QString &caption, const QString &message) override
    {
        errorCaptions << caption;
        errors << message;
    }

    QString nextPath; // empty: the user cancels
    bool allowOverwrite = true;
    std::function<void()> whileAsking; // runs while the question is open
    QStringList overwriteQuestions;
    QList<ui::FileRequest> requests;
    QStringList errorCaptions;
    QStringList errors;
};
