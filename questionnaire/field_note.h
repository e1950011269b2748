#pragma once

#include <QLabel>

class QTimer;

// A line beside a field that says, for a few seconds, why the field refused or dropped what was
// typed; between such notes it shows a lasting remark, if any. It keeps one line's height while
// empty, so that the screen does not move when a note comes and goes.
class FieldNote : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShowMs = 4000;

    // `accessibleName` tells a screen reader which field the notes are about.
    explicit FieldNote(const QString &accessibleName, QWidget *parent = nullptr);

    // Shows `note` in the warning colour, in place of the lasting remark, for kShowMs.
    void flash(const QString &note);
    // Shows `note` in the warning colour until release() or dismiss(): it is about what the
    // field holds, not about a keystroke.
    void hold(const QString &note);
    // Takes a held note away; a flashing one stays its time.
    void release();
    // True while a note shows.
    bool noting() const { return !m_note.isEmpty(); }
    // Takes the note away at once: it was about a screen or a respondent that is gone.
    void dismiss();
    // What shows while no note does; empty shows nothing.
    void setLasting(const QString &remark);

    // As tall as the text wrapped to the width given, and never less than one line, whether
    // empty or not: QLabel's own hints reckon with a narrower guess of the width.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void refresh();

    QTimer *m_timer;
    QString m_note;
    QString m_lasting;
    bool m_held = false;
};
