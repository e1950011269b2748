#pragma once

#include "survey/profile_model.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <variant>

// Reading one respondent's result file: the file's text, its decrypted lines and the
// answers they hold.
namespace survey {

// Why a load failed, worded as the program shows it. `line` is the 1-based line of the
// decrypted text where there is one, else 0; `reason`, where known, says why in Russian
// ("нет прав на чтение") and goes below or after the message.
struct LoadError {
    QString message;
    int line = 0;
    QString reason = QString();
};

// The cipher counts its input with 16-bit positions, so no result file is longer.
constexpr int kMaxCipherTextLength = 65535;

// The file's text as the program holds it before decryption: the first zero byte ends it
// and every line break (CR, LF or CR LF) becomes CR LF. Texts longer than
// kMaxCipherTextLength are refused without reading the rest of the file. Only a regular file
// is opened; "Cannot open file" says which and `reason` why not.
std::variant<QByteArray, LoadError> readResultFile(const QString &path);

// "Cannot open file X", with why not.
LoadError cannotOpenFile(const QString &path, const QString &reason);

// Decrypted text, addressed by 0-based line; lines are separated by CR LF only.
class ResultText {
public:
    ResultText() = default;
    explicit ResultText(const QByteArray &plain);

    // Line n without its line break; empty past the last line.
    QByteArray line(int n) const;
    // The same, as text.
    QString lineText(int n) const;
    // Lines present; a final CR LF does not start another one.
    int lineCount() const { return int(m_starts.size()); }
    // The whole text.
    const QByteArray &plain() const { return m_plain; }

private:
    QByteArray m_plain;
    QVector<qsizetype> m_starts; // where each line begins
    QVector<qsizetype> m_ends;   // where each line's CR LF (or the text) ends it
};

// Lines of the decrypted text that carry the answers: 6 current, then 6 preferred.
constexpr int kFirstAnswerLine = 23;
// Lines a result holds: the last answer line is the last line read.
constexpr int kResultLineCount = kFirstAnswerLine + kAnswerRows;
// Characters of an answer line that hold its fields; any after them are not read.
constexpr int kAnswerLineWidth = 23;
// Points given to one alternative: a row shares 100 among the four.
constexpr int kMaxPoints = 100;

struct IndividualResult {
    QString code; // line 1
    QString info; // the information line composed from lines 1, 2, 0, 4 and 8
    AnswerTable answers;
};

// The question and state of answer row `row` (0-11) as a consultant names them:
// "вопрос 3, текущее состояние".
QString answerRowName(int row);

// The twelve answer lines as table rows, every field a whole number and every point 0 to
// kMaxPoints; the first field that does not convert or is out of range fails the whole parse,
// naming the field and its line, with the reason in Russian naming the answer ("файл пуст",
// "вопрос 2, желаемое состояние: ответа нет, файл обрывается раньше", "вопрос 3, текущее
// состояние: вместо ответа «...»", "вопрос 3, текущее состояние: баллы вне 0–100").
std::variant<AnswerTable, LoadError> parseAnswerTable(const ResultText &text);

// Takes the code, the information line and the twelve answer lines. The first field that
// is not a whole number fails the whole parse.
std::variant<IndividualResult, LoadError> parseIndividualResult(const ResultText &text);

// Part of a line as a message quotes it, on one line: at most 40 characters (then "…"),
// control characters shown as U+FFFD.
QString quotedExcerpt(const QByteArray &line);

// A score as its field shows it: "%5.2f" with the given decimal separator.
QString scoreFieldText(double score, QChar separator);

// readResultFile, decryption with `key16` and parseIndividualResult in one go; the plain
// text is stored in `plainOut` (when given) as soon as it is known, even if parsing fails.
// A field error of a file that holds more than the cipher's letters gets the reason that
// the file is no encrypted result file at all.
std::variant<IndividualResult, LoadError>
loadIndividualResult(const QString &path, const QByteArray &key16, QByteArray *plainOut = nullptr);

} // namespace survey
