#pragma once

#include "survey/profile_model.h"

#include <QWidget>
#include <array>

class FieldNote;
class QLabel;
class QPushButton;
class SelectAllEdit;

using QuestionPoints = std::array<int, survey::kTypeCount>;

// One question screen, shown for each of the twelve in turn: the question, its four
// alternatives with a points field each, the points left to give, "Назад" and "Далее".
class QuestionPage : public QWidget {
    Q_OBJECT
public:
    explicit QuestionPage(QWidget *parent = nullptr);

    // Shows screen `index` (0-11: current questions 1-6, then preferred 1-6) with `points`
    // in the fields; `reference` (the current answers) is shown beside them when given.
    void showQuestion(int index, const QuestionPoints &points, const QuestionPoints *reference);
    // The fields' points; an empty field counts as 0.
    QuestionPoints points() const;
    // Why the last write failed, with a way to choose another folder; empty hides it.
    void setWriteProblem(const QString &text);

    std::array<SelectAllEdit *, survey::kTypeCount> fields;
    // Beside each field: why it refused what was typed.
    std::array<FieldNote *, survey::kTypeCount> fieldNotes;
    QPushButton *chooseFolder;
    QPushButton *back;
    QPushButton *next;

private:
    void updateRemaining();

    QLabel *m_progress;
    QLabel *m_title;
    QLabel *m_hint;
    QLabel *m_referenceHeader;
    std::array<QLabel *, survey::kTypeCount> m_alternatives;
    std::array<QLabel *, survey::kTypeCount> m_references;
    QLabel *m_remaining;
    QLabel *m_writeProblem;
};
