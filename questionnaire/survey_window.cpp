#include "survey_window.h"

#include "finish_page.h"
#include "question_page.h"
#include "start_page.h"
#include "survey/survey_texts.h"
#include "survey/unit_pc1.h"
#include "survey_widgets.h"
#include "widgets/dialogs.h"
#include "widgets/save_folder.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

SurveyWindow::SurveyWindow(const QString &folder, Clock clock, QWidget *parent)
    : QWidget(parent), m_stack(new QStackedWidget),
      m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime)), m_folder(folder)
{
    setWindowTitle(surveytexts::kWindowTitle);
    // Respondents read long texts at arm's length: larger than the desktop's dialog font. The
    // screens, made after this, scale their headings from it.
    QFont readable = font();
    readable.setPointSizeF(readable.pointSizeF() * 1.3);
    setFont(readable);
    startPage = new StartPage(this);
    questionPage = new QuestionPage(this);
    finishPage = new FinishPage(this);
    m_stack->addWidget(startPage);
    m_stack->addWidget(questionPage);
    m_stack->addWidget(finishPage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(m_stack);

    connect(startPage->start, &QPushButton::clicked, this, &SurveyWindow::begin);
    connect(startPage->chooseFolder, &QPushButton::clicked, this, &SurveyWindow::chooseFolder);
    connect(questionPage->back, &QPushButton::clicked, this, &SurveyWindow::goBack);
    connect(questionPage->next, &QPushButton::clicked, this, &SurveyWindow::goNext);
    connect(questionPage->chooseFolder, &QPushButton::clicked, this, &SurveyWindow::chooseFolder);
    connect(finishPage->nextRespondent, &QPushButton::clicked, this, &SurveyWindow::nextRespondent);

    startPage->setFolder(m_folder);
    nextRespondent();
}

int SurveyWindow::currentScreen() const
{
    if (m_stack->currentWidget() == startPage)
        return 0;
    return m_stack->currentWidget() == questionPage ? m_question + 1 : survey::kAnswerRows + 1;
}

void SurveyWindow::keyPressEvent(QKeyEvent *event)
{
    // Fields and buttons pass Enter on. On a focused button it presses that button, as in a
    // dialog; in a field it presses the screen's forward button when enabled.
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto *focused = qobject_cast<QAbstractButton *>(focusWidget());
    QAbstractButton *button = focused                                 ? focused
                              : currentScreen() == 0                  ? startPage->start
                              : currentScreen() > survey::kAnswerRows ? finishPage->nextRespondent
                                                                      : questionPage->next;
    if (button->isEnabled())
        button->click();
}

void SurveyWindow::closeEvent(QCloseEvent *event)
{
    const bool answering = m_stack->currentWidget() == questionPage;
    if (answering && !ui::Dialogs::instance().askYesNo(this, surveytexts::kWindowTitle,
                                                       surveytexts::kConfirmDiscard))
        event->ignore();
    else
        event->accept();
}

qint64 SurveyWindow::takeScreenMs()
{
    const QDateTime now = m_clock();
    // A clock set back in between counts as no time rather than as negative time.
    const qint64 ms = std::max<qint64>(m_countedFrom.msecsTo(now), 0);
    m_countedFrom = now;
    return ms;
}

void SurveyWindow::begin()
{
    // The fields' validators let nothing else through; a file that cannot be written at the
    // end must not cost the respondent twelve screens.
    if (!survey::isRespondentCode(startPage->code->text()) ||
        !survey::isFreeText(startPage->freeText->text()))
        return;
    const QString problem = folderProblem();
    startPage->setFolderProblem(problem);
    if (!problem.isEmpty())
        return;
    m_answers.code = startPage->code->text();
    m_answers.freeText = startPage->freeText->text();
    m_answers.instructionMs += takeScreenMs();
    m_answers.started = m_countedFrom;
    m_stack->setCurrentWidget(questionPage);
    showQuestion(0);
}

void SurveyWindow::goBack()
{
    m_answers.points[m_question] = questionPage->points();
    m_answers.screenMs[m_question] += takeScreenMs();
    showQuestion(m_question - 1);
}

void SurveyWindow::goNext()
{
    m_answers.points[m_question] = questionPage->points();
    m_answers.screenMs[m_question] += takeScreenMs();
    if (m_question + 1 < survey::kAnswerRows)
        showQuestion(m_question + 1);
    else
        writeResult();
}

void SurveyWindow::writeResult()
{
    m_answers.finished = m_countedFrom;
    const auto written =
        survey::writeQuestionnaireResult(m_folder, m_answers, survey::programKey());
    if (const auto *error = std::get_if<survey::ResultWriteError>(&written)) {
        // The answers stay on screen: the respondent may retry, here or in another folder.
        questionPage->setWriteProblem(error->message);
        ui::Dialogs::instance().showError(this, surveytexts::kWindowTitle,
                                          surveytexts::kNotWritten.arg(error->message));
        return;
    }
    questionPage->setWriteProblem({});
    m_stack->setCurrentWidget(finishPage);
    finishPage->showWritten(std::get<QString>(written));
}

void SurveyWindow::nextRespondent()
{
    m_answers = {};
    m_question = -1;
    m_stack->setCurrentWidget(startPage);
    startPage->reset();
    m_countedFrom = m_clock();
}

void SurveyWindow::chooseFolder()
{
    const QString chosen =
        ui::Dialogs::instance().chooseFolder(this, surveytexts::kChooseFolderTitle, m_folder);
    if (!chosen.isEmpty() && useChosenFolder(chosen))
        emit folderChanged(chosen);
}

bool SurveyWindow::useChosenFolder(const QString &folder)
{
    m_folder = folder;
    m_folderChosen = true;
    startPage->setFolder(folder);
    const bool exists = QFileInfo(folder).isDir();
    startPage->setFolderProblem(
        exists ? QString() : surveytexts::kFolderMissing.arg(QDir::toNativeSeparators(folder)));
    return exists;
}

QString SurveyWindow::folderProblem() const
{
    const QString shown = QDir::toNativeSeparators(m_folder);
    const QFileInfo info(m_folder);
    // Of the program's own folder only the last part is made, when the answers are written.
    if (!info.exists() && (m_folderChosen || !QFileInfo(info.absolutePath()).isDir()))
        return surveytexts::kFolderMissing.arg(shown);
    return ui::couldWriteIn(m_folder) ? QString() : surveytexts::kFolderNotWritable.arg(shown);
}

void SurveyWindow::showQuestion(int index)
{
    m_question = index;
    const bool preferred = index >= survey::kQuestionCount;
    questionPage->showQuestion(index, m_answers.points[index],
                               preferred ? &m_answers.points[index - survey::kQuestionCount]
                                         : nullptr);
}
