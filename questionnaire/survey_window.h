#pragma once

#include "survey/questionnaire_result.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class FinishPage;
class QStackedWidget;
class QuestionPage;
class StartPage;

// The questionnaire: the start screen, twelve question screens and the end screen, one
// respondent after another. Every screen's time is measured with the given clock and summed
// over its visits; the result file is written when the twelfth screen is passed.
class SurveyWindow : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Results go to `folder`; without a clock the system's is used.
    explicit SurveyWindow(const QString &folder, Clock clock = {}, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // A folder the organiser chose, now or on an earlier run: used only while it exists, for
    // a missing one is most likely mistyped or on a drive taken away, and never made. False,
    // with the reason on the start screen, when it is missing.
    bool useChosenFolder(const QString &folder);
    // 0 the start screen, 1 to 12 the question screens, 13 the end screen.
    int currentScreen() const;

    StartPage *startPage;
    QuestionPage *questionPage;
    FinishPage *finishPage;

signals:
    void folderChanged(const QString &folder);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void begin();
    void goBack();
    void goNext();
    void writeResult();
    void nextRespondent();
    void chooseFolder();
    // Why no questionnaire can start with the results folder; empty when one can.
    QString folderProblem() const;
    void showQuestion(int index);
    // Time since the screen on show was shown or last counted; restarts the count.
    qint64 takeScreenMs();

    QStackedWidget *m_stack;
    Clock m_clock;
    QString m_folder;
    bool m_folderChosen = false; // else the program's own, whose last part may be made
    survey::QuestionnaireAnswers m_answers;
    int m_question = -1; // the question screen on show, 0-11
    QDateTime m_countedFrom;
};
