#pragma once

#include <QWidget>

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
    void setFolder(const QString &folder);
    // A warning under the folder; empty hides it.
    void setFolderProblem(const QString &text);

    SelectAllEdit *code;
    SelectAllEdit *freeText;
    QLineEdit *folder;
    QPushButton *chooseFolder;
    QPushButton *start;

private:
    QLabel *m_folderProblem;
};
