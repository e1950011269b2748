#pragma once

#include "survey/questionnaire_result.h"
#include "web/folder_codes.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <functional>
#include <variant>

// One finished questionnaire sent by the survey page: the JSON body of "POST .../submit"
// checked as strictly as the questionnaire program checks its fields, and written as its result
// file. Nothing here touches a socket, so that the rules are tested and fuzzed directly.
namespace web {

constexpr qint64 kMaxBodyBytes = 64 * 1024;
// The longest time one screen, the instruction or the whole questionnaire may have taken: a
// respondent who leaves the page open over a weekend is still counted, a larger number is not
// a time the page measured.
constexpr qint64 kMaxSeconds = 7 * 24 * 3600;
// One screen's time: ocai-cli check takes a longer one for a damaged file, so none is written.
constexpr qint64 kMaxScreenSeconds = 99999;

struct Submission {
    QString id; // the page's UUID, lower case: a resent questionnaire has the same one
    survey::QuestionnaireAnswers answers;
};

// The body as a submission received at `received` (the end time; the start is the end less
// the reported times), or why it is refused, in Russian.
std::variant<Submission, QString> parseSubmission(const QByteArray &body,
                                                  const QDateTime &received);

struct SubmissionReply {
    int status = 400; // 201 written, 200 written before, 400 refused, 500 not written
    QByteArray json;  // {"file": name} or {"error": reason}
    QString written;  // the new file's name when this request wrote one
    QString failure;  // for the server's log: why a valid questionnaire was not written
};

// The hidden file of a link's folder noting the questionnaires received.
extern const QString kReceivedNoteName;

// The submissions of one link: each valid one becomes a result file in `folder`, each id at
// most once, also across restarts of the server and crashes at any moment (the ids are noted in a
// hidden file there, on the disk before a file takes its name).
class SubmissionHandler {
public:
    using Clock = std::function<QDateTime()>;
    SubmissionHandler(const QString &folder, const QByteArray &key16, Clock clock = {});

    SubmissionReply handle(const QByteArray &body);

    // The page's question whether a code has answered in the folder, before the questions: the
    // query "c=<code, percent-encoded>" gets 200 {"answered": true|false} by the one rule of
    // shared codes (survey::codeAnswered), anything else 400 with why.
    SubmissionReply codeQuery(const QByteArray &query);

    // For tests: where a crash is simulated, once a new file's content is on the disk and again
    // once it has its name.
    void setCrashPoints(std::function<void()> beforeNaming, std::function<void()> beforeNoting);

private:
    QString notePath() const;
    void note(const QByteArray &line, bool durable = false);

    QString m_folder;
    QByteArray m_key;
    Clock m_clock;
    QHash<QString, QString> m_written; // id -> file name
    FolderCodes m_codes;
    bool m_needsLineBreak = false;
    std::function<void()> m_beforeNaming, m_beforeNoting;
};

} // namespace web
