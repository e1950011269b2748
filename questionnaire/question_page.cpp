#include "question_page.h"

#include "field_note.h"
#include "field_rules.h"
#include "survey/questionnaire_result.h"
#include "survey/resource.h"
#include "survey/survey_texts.h"
#include "survey_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

} // namespace

QuestionPage::QuestionPage(QWidget *parent)
    : QWidget(parent), chooseFolder(new QPushButton(surveytexts::kChooseFolder)),
      back(new QPushButton(surveytexts::kBack)), next(new QPushButton(surveytexts::kNext)),
      m_progress(new QLabel), m_title(new QLabel), m_hint(new QLabel),
      m_referenceHeader(new QLabel(surveytexts::kReferenceHeader)), m_remaining(new QLabel),
      m_writeProblem(makeWarningLabel())
{
    m_progress->setFont(scaledFont(font(), 1.0, true));
    m_title->setFont(scaledFont(font(), 1.5, true));
    m_title->setWordWrap(true);
    m_hint->setFont(scaledFont(font(), 1.15, false));
    m_remaining->setFont(scaledFont(font(), 1.15, true));

    auto *grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(14);
    grid->addWidget(m_referenceHeader, 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(surveytexts::kPointsHeader), 0, 2, Qt::AlignCenter);
    const QFont fieldFont = scaledFont(font(), 1.15, false);
    const int fieldWidth = QFontMetrics(fieldFont).horizontalAdvance(QStringLiteral("0000")) + 24;
    for (int k = 0; k < survey::kTypeCount; ++k) {
        m_alternatives[k] = new QLabel;
        m_alternatives[k]->setWordWrap(true);
        m_references[k] = new QLabel;
        m_references[k]->setAlignment(Qt::AlignCenter);
        fields[k] = new SelectAllEdit;
        fieldNotes[k] = new FieldNote(surveytexts::kPointsNoteName.arg(QChar('A' + k)));
        fields[k]->setValidator(new NotingValidator(fieldrules::points, fieldNotes[k], fields[k]));
        fields[k]->setAlignment(Qt::AlignRight);
        fields[k]->setFixedWidth(fieldWidth);
        fields[k]->setFont(fieldFont);
        grid->addWidget(m_alternatives[k], k + 1, 0);
        grid->addWidget(m_references[k], k + 1, 1, Qt::AlignCenter);
        grid->addWidget(fields[k], k + 1, 2, Qt::AlignCenter);
        grid->addWidget(fieldNotes[k], k + 1, 3, Qt::AlignVCenter);
        connect(fields[k], &QLineEdit::textChanged, this, &QuestionPage::updateRemaining);
    }

    // The notes' column keeps the width of the longest note, so that a note coming or going
    // does not rewrap the alternatives.
    const QFontMetrics metrics(font());
    grid->setColumnMinimumWidth(
        3, std::max(metrics.horizontalAdvance(
                        surveytexts::kPointsTooMany.arg(survey::kPointsPerQuestion)),
                    metrics.horizontalAdvance(surveytexts::kPointsDigitsOnly)));

    auto *problemRow = new QHBoxLayout;
    problemRow->addWidget(m_writeProblem, 1);
    problemRow->addWidget(chooseFolder);
    setWriteProblem({});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_remaining, 1);
    buttons->addWidget(back);
    buttons->addWidget(next);
    next->setMinimumWidth(next->sizeHint().width() * 3 / 2);
    back->setMinimumWidth(next->minimumWidth());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_title);
    layout->addWidget(m_hint);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(problemRow);
    layout->addLayout(buttons);

    for (int k = 0; k + 1 < survey::kTypeCount; ++k)
        setTabOrder(fields[k], fields[k + 1]);
    setTabOrder(fields.back(), back);
    setTabOrder(back, next);
    setTabOrder(next, chooseFolder);
}

void QuestionPage::showQuestion(int index, const QuestionPoints &points,
                                const QuestionPoints *reference)
{
    const int question = index % survey::kQuestionCount;
    const bool current = index < survey::kQuestionCount;
    m_progress->setText(surveytexts::kProgress.arg(index + 1).arg(survey::kAnswerRows) +
                        QStringLiteral(" · ") +
                        (current ? surveytexts::kCurrentState : surveytexts::kPreferredState));
    m_title->setText(survey::QuestionTitles[question]);
    m_hint->setText(current ? surveytexts::kCurrentHint : surveytexts::kPreferredHint);
    m_referenceHeader->setVisible(reference != nullptr);
    for (int k = 0; k < survey::kTypeCount; ++k) {
        m_alternatives[k]->setText(survey::AlternativeTexts[question * survey::kTypeCount + k]);
        m_references[k]->setVisible(reference != nullptr);
        m_references[k]->setText(reference ? QString::number((*reference)[k]) : QString());
        fields[k]->setText(QString::number(points[k]));
        fieldNotes[k]->dismiss();
    }
    back->setEnabled(index > 0);
    fields.front()->setFocus(Qt::TabFocusReason);
    fields.front()->selectAll();
}

QuestionPoints QuestionPage::points() const
{
    QuestionPoints points{};
    for (int k = 0; k < survey::kTypeCount; ++k)
        points[k] = fieldrules::countedPoints(fields[k]->text());
    return points;
}

void QuestionPage::setWriteProblem(const QString &text)
{
    m_writeProblem->setText(text.isEmpty() ? QString() : surveytexts::kNotWritten.arg(text));
    m_writeProblem->setVisible(!text.isEmpty());
    chooseFolder->setVisible(!text.isEmpty());
}

void QuestionPage::updateRemaining()
{
    const QuestionPoints given = points();
    const int left = survey::kPointsPerQuestion - (given[0] + given[1] + given[2] + given[3]);
    m_remaining->setText(left >= 0 ? surveytexts::kRemaining.arg(left)
                                   : surveytexts::kExcess.arg(-left));
    const bool refused = std::any_of(fields.begin(), fields.end(), [](const QLineEdit *field) {
        return fieldrules::refusedPoints(field->text());
    });
    next->setEnabled(left == 0 && !refused);
}
