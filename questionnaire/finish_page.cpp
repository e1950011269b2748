#include "finish_page.h"

#include "survey/survey_texts.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FinishPage::FinishPage(QWidget *parent)
    : QWidget(parent), nextRespondent(new QPushButton(surveytexts::kNextRespondent)),
      m_file(new QLabel)
{
    auto *thanks = new QLabel(surveytexts::kThanks);
    QFont thanksFont = thanks->font();
    thanksFont.setPointSizeF(thanksFont.pointSizeF() * 2.4);
    thanksFont.setBold(true);
    thanks->setFont(thanksFont);
    thanks->setAlignment(Qt::AlignCenter);
    m_file->setAlignment(Qt::AlignCenter);
    m_file->setWordWrap(true);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(thanks);
    layout->addSpacing(16);
    layout->addWidget(m_file);
    layout->addSpacing(24);
    layout->addWidget(nextRespondent, 0, Qt::AlignCenter);
    nextRespondent->setMinimumWidth(nextRespondent->sizeHint().width() * 3 / 2);
    layout->addStretch(3);
}

void FinishPage::showWritten(const QString &path)
{
    m_file->setText(surveytexts::kWritten.arg(QDir::toNativeSeparators(path)));
    nextRespondent->setFocus(Qt::OtherFocusReason);
}
