#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <functional>

// A line edit whose whole text is selected whenever it gets the focus, by keyboard or by
// mouse, so that typing replaces what it holds.
class SelectAllEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// Accepts the texts that `acceptable` accepts; the empty text, while typing, is incomplete.
class PredicateValidator : public QValidator {
    Q_OBJECT
public:
    PredicateValidator(std::function<bool(const QString &)> acceptable, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    std::function<bool(const QString &)> m_acceptable;
};

// A wrapped label in dark red, for what keeps the respondent from going on.
QLabel *makeWarningLabel();
