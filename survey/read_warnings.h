#pragma once

#include "survey/profile_model.h"
#include "survey/result_file.h"

#include <QString>
#include <vector>

// What the reading of a result file lets through without a word, though it hints at a damaged
// or joined file: stored results may rely on that leniency, so it warns and refuses nothing.
namespace survey {

struct ReadWarning {
    int line = 0; // 1-based line of the decrypted text
    QString text; // in Russian, without the line's number
};

// For each answer line: shorter than kAnswerLineWidth or with characters after it, points that
// do not sum to kMaxPoints, a time of 100 000 s or more; then the first line after the answers
// that is not empty (two files joined read as the first). `answers` are those parsed from `text`.
std::vector<ReadWarning> readWarnings(const ResultText &text, const AnswerTable &answers);

} // namespace survey
