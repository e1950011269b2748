#pragma once

#include <QStringList>
#include <QWidget>

class FieldNote;
class QLabel;
class QLineEdit;
class QPushButton;
class SelectAllEdit;

// The first screen: the instruction, the respondent's code and optional line, the folder the
// result goes to, and "Начать".
class StartPage : public QWidget {
    Q_OBJECT
public:
    explicit StartPage(QWidget *parent = nullptr);

    // Blank fields for the next respondent, the focus on the code.
    void reset();
    // The folder shown, and the one whose files tell whether the code is already used.
    void setFolder(const QString &folder);
    // A warning under the folder; empty hides it.
    void setFolderProblem(const QString &text);
    QString folderProblem() const;

    SelectAllEdit *code;
    SelectAllEdit *freeText;
    QLineEdit *folder;
    QPushButton *chooseFolder;
    QPushButton *start;
    // Under the code: why a character was refused, or that the code is already used.
    FieldNote *codeNote;
    FieldNote *freeTextNote;

private:
    // Says under the code when the folder already holds a result of it, so that a respondent
    // who mistyped sees it before the questions rather than in the file's name after them.
    void updateUsedCode();

    QString m_folder;
    QStringList m_dropped; // named by the free text's note on show
    QLabel *m_folderProblem;
};
