// The survey page's submission, any bytes as the body: the answer is 201 with exactly one whole
// result file holding the parsed answers, or 400 with a reason and no file at all. The same
// bytes as the query of the page's code question are answered yes, no or 400, writing nothing.
#include "../result_files.h"
#include "fuzz_check.h"
#include "survey/result_file.h"
#include "web/submission.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QDateTime received(QDate(2026, 12, 7), QTime(15, 0));
    web::SubmissionHandler handler(dir.path(), testfiles::programKey(), [&] { return received; });
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    // The same bytes as the page's question whether a code has answered: yes or no, or a
    // refusal with its reason; never a file (the checks below find none but the submission's).
    const web::SubmissionReply asked = handler.codeQuery(body);
    const QJsonObject question = QJsonDocument::fromJson(asked.json).object();
    FUZZ_CHECK(asked.written.isEmpty());
    FUZZ_CHECK(asked.status == 200
                   ? question.value(QLatin1String("answered")).isBool()
                   : asked.status == 400 &&
                         !question.value(QLatin1String("error")).toString().isEmpty());
    const web::SubmissionReply reply = handler.handle(body);

    const QJsonObject answer = QJsonDocument::fromJson(reply.json).object();
    QDir folder(dir.path());
    // Every entry but the hidden note of the ids answered, which a written file adds to.
    QStringList files = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.removeAll(web::kReceivedNoteName);
    if (reply.status == 400) {
        FUZZ_CHECK(files.isEmpty() && reply.written.isEmpty());
        FUZZ_CHECK(!answer.value(QLatin1String("error")).toString().isEmpty());
        return 0;
    }
    FUZZ_CHECK(reply.status == 201);
    FUZZ_CHECK(files == QStringList{reply.written});
    FUZZ_CHECK(answer.value(QLatin1String("file")).toString() == reply.written);
    const QString path = folder.filePath(reply.written);
    const auto cipher = survey::readResultFile(path);
    FUZZ_CHECK(std::holds_alternative<QByteArray>(cipher));
    const auto table = survey::parseAnswerTable(survey::ResultText(
        survey::Pc1Decrypt(testfiles::programKey(), std::get<QByteArray>(cipher))));
    FUZZ_CHECK(std::holds_alternative<survey::AnswerTable>(table));
    const auto parsed = web::parseSubmission(body, received);
    const auto &points = std::get<web::Submission>(parsed).answers.points;
    for (int row = 0; row < survey::kAnswerRows; ++row) {
        for (int type = 0; type < survey::kTypeCount; ++type)
            FUZZ_CHECK(std::get<survey::AnswerTable>(table)[row][type] == points[row][type]);
        // A time ocai-cli check would take for damage is never written.
        FUZZ_CHECK(std::get<survey::AnswerTable>(table)[row][survey::kTypeCount] <=
                   web::kMaxScreenSeconds);
    }
    FUZZ_CHECK(QFile::remove(path) && QFile::remove(folder.filePath(web::kReceivedNoteName)));
    return 0;
}
