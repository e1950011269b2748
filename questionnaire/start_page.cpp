#include "start_page.h"

#include "field_note.h"
#include "field_rules.h"
#include "survey/questionnaire_result.h"
#include "survey/survey_texts.h"
#include "survey_widgets.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StartPage::StartPage(QWidget *parent)
    : QWidget(parent), code(new SelectAllEdit), freeText(new SelectAllEdit), folder(new QLineEdit),
      chooseFolder(new QPushButton(surveytexts::kChooseFolder)),
      start(new QPushButton(surveytexts::kStart)),
      codeNote(new FieldNote(surveytexts::kCodeNoteName)),
      freeTextNote(new FieldNote(surveytexts::kFreeTextNoteName)),
      m_folderProblem(makeWarningLabel())
{
    auto *title = new QLabel(surveytexts::kWindowTitle);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto *instruction = new QLabel(surveytexts::kInstruction);
    instruction->setWordWrap(true);
    instruction->setTextFormat(Qt::RichText);

    // No maximum length on the fields: their rules refuse or cut a longer text with a note,
    // where QLineEdit would cut it silently.
    code->setValidator(new NotingValidator(fieldrules::code, codeNote, code));
    const FieldRule freeTextRule = [this](QString &text, int &pos) {
        if (!freeTextNote->noting())
            m_dropped.clear();
        return fieldrules::freeText(text, pos, m_dropped);
    };
    freeText->setValidator(new NotingValidator(freeTextRule, freeTextNote, freeText));
    folder->setReadOnly(true);
    folder->setFocusPolicy(Qt::NoFocus);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(folder, 1);
    folderRow->addWidget(chooseFolder);
    auto *form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(surveytexts::kCodeLabel, code);
    form->addRow(QString(), codeNote);
    form->addRow(surveytexts::kFreeTextLabel, freeText);
    form->addRow(QString(), freeTextNote);
    form->addRow(surveytexts::kFolderLabel, folderRow);
    form->addRow(QString(), m_folderProblem);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start);
    start->setEnabled(false);
    start->setMinimumWidth(start->sizeHint().width() * 3 / 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(instruction);
    layout->addSpacing(12);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(code, &QLineEdit::textChanged, this, [this](const QString &text) {
        start->setEnabled(survey::isRespondentCode(text));
        updateUsedCode();
    });
    setTabOrder(code, freeText);
    setTabOrder(freeText, chooseFolder);
    setTabOrder(chooseFolder, start);
}

void StartPage::reset()
{
    code->clear();
    freeText->clear();
    codeNote->dismiss();
    freeTextNote->dismiss();
    code->setFocus(Qt::OtherFocusReason);
}

void StartPage::setFolder(const QString &path)
{
    m_folder = path;
    folder->setText(QDir::toNativeSeparators(path));
    folder->setCursorPosition(0);
    updateUsedCode();
}

void StartPage::setFolderProblem(const QString &text)
{
    m_folderProblem->setText(text);
    m_folderProblem->setVisible(!text.isEmpty());
}

QString StartPage::folderProblem() const
{
    return m_folderProblem->text();
}

void StartPage::updateUsedCode()
{
    const QString typed = code->text();
    QString remark;
    if (survey::isRespondentCode(typed) && !m_folder.isEmpty()) {
        const int copy = survey::freeResultCopy(m_folder, typed);
        if (copy == 0)
            remark = surveytexts::kCodeExhausted.arg(typed);
        else if (copy > 1)
            remark = surveytexts::kCodeUsed.arg(typed, survey::resultFileName(typed, copy));
    }
    codeNote->setLasting(remark);
}
