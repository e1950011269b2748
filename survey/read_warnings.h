#pragma once

#include "survey/profile_model.h"
#include "survey/result_file.h"

#include <QStringList>

// What the reading of a result file lets through without a word, though it hints at a damaged
// or joined file: stored results may rely on that leniency, so it warns and refuses nothing.
namespace survey {

// In the consultant's words, each naming the answer it concerns (answerRowName), never a line
// of the file: an answer whose record is shorter than kAnswerLineWidth or has characters
// after it ("вопрос 3, текущее состояние: сумма 90 вместо 100"), points that do not sum to
// kMaxPoints, a time longer than a day; then text after the answers (two files joined read
// as the first). `answers` are those parsed from `text`.
QStringList readWarnings(const ResultText &text, const AnswerTable &answers);

} // namespace survey
