#include "survey_widgets.h"

#include "field_note.h"

#include <QFocusEvent>
#include <QTimer>

void SelectAllEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A mouse press places the cursor after this event, so its selection comes later; a key
    // typed right after Tab must replace the text at once.
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    else
        selectAll();
}

NotingValidator::NotingValidator(FieldRule rule, FieldNote *note, QObject *parent)
    : QValidator(parent), m_rule(std::move(rule)), m_note(note)
{
}

QValidator::State NotingValidator::validate(QString &input, int &pos) const
{
    const FieldVerdict verdict = m_rule(input, pos);
    if (!m_note)
        return verdict.state;
    if (verdict.held) {
        m_note->hold(verdict.note);
        return verdict.state;
    }
    m_note->release();
    if (!verdict.note.isEmpty())
        m_note->flash(verdict.note);
    return verdict.state;
}

QLabel *makeWarningLabel()
{
    auto *label = new QLabel;
    label->setWordWrap(true);
    setWarningColour(label, true);
    label->hide();
    return label;
}

void setWarningColour(QWidget *widget, bool warning)
{
    // A palette, not a style sheet: a style sheet would also reset the widget's font. The
    // default palette resolves nothing, so the widget inherits its parent's colours again.
    QPalette palette;
    if (warning)
        palette.setColor(QPalette::WindowText, QColor(0xb0, 0, 0));
    widget->setPalette(palette);
}
