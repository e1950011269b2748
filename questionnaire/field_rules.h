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

// A points field: a whole number from 0 to 100, its leading zeros dropped.
FieldVerdict points(QString &text, int &pos);

} // namespace fieldrules
