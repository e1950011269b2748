#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <functional>

class FieldNote;

// A line edit whose whole text is selected whenever it gets the focus, by keyboard or by
// mouse, so that typing replaces what it holds.
class SelectAllEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// What a field makes of the text an edit would give it: whether it stands, and, when something
// was refused or dropped, why, in words for the respondent.
struct FieldVerdict {
    QValidator::State state = QValidator::Acceptable;
    QString note;
    bool held = false; // the note stays until the text changes, not for a few seconds
};

// May change the text and the cursor position in it, as QValidator::validate may.
using FieldRule = std::function<FieldVerdict(QString &text, int &pos)>;

// Checks a field's text with its rule and shows the rule's note on `note`: the field never
// refuses or drops a character without saying why.
class NotingValidator : public QValidator {
    Q_OBJECT
public:
    NotingValidator(FieldRule rule, FieldNote *note, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    FieldRule m_rule;
    QPointer<FieldNote> m_note;
};

// A wrapped label in dark red, for what keeps the respondent from going on.
QLabel *makeWarningLabel();

// Dark red text on `widget`, or its usual colour again.
void setWarningColour(QWidget *widget, bool warning);
