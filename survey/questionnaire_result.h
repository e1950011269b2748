#pragma once

#include "survey/profile_model.h"
#include "survey/result_writer.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <variant>

// The result file of one finished questionnaire, composed and written as the group load reads
// it: 35 lines of Windows-1251 text with CR LF, encrypted with the program's key.
namespace survey {

constexpr int kPointsPerQuestion = 100;
constexpr int kMaxCodeLength = 20;
constexpr int kMaxFreeTextLength = 200;

// One respondent's answers and the times the questionnaire measured.
struct QuestionnaireAnswers {
    QString code;     // names the file: letters, digits, "-" and "_"
    QString freeText; // name, position or department; may be empty
    QDateTime started;
    QDateTime finished;
    qint64 instructionMs = 0; // time on the start screen
    // Rows as in AnswerTable: current questions 1-6, then preferred 1-6; points for A-D.
    std::array<std::array<int, kTypeCount>, kAnswerRows> points{};
    std::array<qint64, kAnswerRows> screenMs{}; // time on each question's screen, all visits
};

// 1 to kMaxCodeLength letters, digits, "-" or "_", every one with a Windows-1251 byte.
bool isRespondentCode(const QString &code);

// At most kMaxFreeTextLength characters, each with a Windows-1251 byte and none a control
// character: a line break would move every line after it.
bool isFreeText(const QString &text);

// Why these answers cannot make a result file (in Russian), or an empty text.
QString answersProblem(const QuestionnaireAnswers &answers);

// The plain text of the result file: Windows-1251, 35 lines, each ending in CR LF.
QByteArray resultPlainText(const QuestionnaireAnswers &answers);

// The answers encrypted and written by writeResultFile; answers that would not read back are
// refused with the reason.
std::variant<QString, ResultWriteError>
writeQuestionnaireResult(const QString &folder, const QuestionnaireAnswers &answers,
                         const QByteArray &key16);

} // namespace survey
