#include "survey_widgets.h"

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

PredicateValidator::PredicateValidator(std::function<bool(const QString &)> acceptable,
                                       QObject *parent)
    : QValidator(parent), m_acceptable(std::move(acceptable))
{
}

QValidator::State PredicateValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Intermediate;
    return m_acceptable(input) ? Acceptable : Invalid;
}

QLabel *makeWarningLabel()
{
    auto *label = new QLabel;
    label->setWordWrap(true);
    // A palette, not a style sheet: a style sheet would also reset the label's font.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0, 0));
    label->setPalette(palette);
    label->hide();
    return label;
}
