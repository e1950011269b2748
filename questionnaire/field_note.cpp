#include "field_note.h"

#include "survey_widgets.h"

#include <QTimer>
#include <algorithm>

FieldNote::FieldNote(const QString &accessibleName, QWidget *parent)
    : QLabel(parent), m_timer(new QTimer(this))
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAccessibleName(accessibleName);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kShowMs);
    // A held note is about what the field holds: only a change of it takes the note away.
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_held)
            dismiss();
    });
}

void FieldNote::flash(const QString &note)
{
    m_held = false;
    m_note = note;
    m_timer->start();
    refresh();
}

void FieldNote::hold(const QString &note)
{
    m_timer->stop();
    m_held = true;
    m_note = note;
    refresh();
}

void FieldNote::release()
{
    if (m_held)
        dismiss();
}

void FieldNote::dismiss()
{
    m_held = false;
    m_timer->stop();
    m_note.clear();
    refresh();
}

void FieldNote::setLasting(const QString &remark)
{
    m_lasting = remark;
    refresh();
}

int FieldNote::heightForWidth(int width) const
{
    const int line = fontMetrics().height();
    return text().isEmpty() ? line : std::max(line, QLabel::heightForWidth(width));
}

QSize FieldNote::sizeHint() const
{
    return {QLabel::sizeHint().width(), fontMetrics().height()};
}

QSize FieldNote::minimumSizeHint() const
{
    return {QLabel::minimumSizeHint().width(), fontMetrics().height()};
}

void FieldNote::refresh()
{
    const bool noting = !m_note.isEmpty();
    setText(noting ? m_note : m_lasting);
    setWarningColour(this, noting);
    // A screen reader announces the change of the description, the name staying the field's.
    setAccessibleDescription(text());
}
