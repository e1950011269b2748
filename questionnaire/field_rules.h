#pragma once

#include "survey_widgets.h"

#include <QStringList>

// What the questionnaire's fields accept, and what they say about the rest.
namespace fieldrules {

// The respondent's code: refuses a character the file name cannot carry, or one too many.
FieldVerdict code(QString &text, int &pos);

// The optional line: keeps what the result file can hold and names the characters it drops,
// with those of the edits just before in `dropped` (typed ones come one edit each); a tab or
// line break becomes a space, as the file has one line for it.
FieldVerdict freeText(QString &text, int &pos, QStringList &dropped);

// A points field: a whole number from 0 to 100, its leading zeros dropped. A fraction («7,5») or
// a negative number («-5») stays as typed with a note held until it is changed.
FieldVerdict points(QString &text, int &pos);
// Whether a points field holds what it does not take (a fraction or a negative number).
bool refusedPoints(const QString &text);
// What a points field counts for: its whole number, or the whole number before what it does not
// take («7» of «7,5», 0 of «-5»), so that the sum does not jump.
int countedPoints(const QString &text);

} // namespace fieldrules
