#include "submission.h"

#include "survey/result_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace web {
namespace {

// A whole number in [low, high] exactly as JSON gave it: 12.0 is whole, 12.5 and "12" are not.
std::optional<qint64> wholeNumber(const QJsonValue &value, qint64 low, qint64 high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number) || number < double(low) ||
        number > double(high))
        return std::nullopt;
    return qint64(number);
}

bool isUuid(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}$"));
    return pattern.match(text).hasMatch();
}

QByteArray jsonObject(const char *key, const QString &value)
{
    return QJsonDocument(QJsonObject{{QLatin1String(key), value}}).toJson(QJsonDocument::Compact);
}

// The ids answered in a folder, one "id<TAB>file name" line each, so that a page resending
// after the server was restarted still gets its first file and not a second one. Hidden and
// not named like a result, so that no load takes it for one.
const QString kJournalName = QStringLiteral(".ocai-received");
// Far more than any survey's respondents; a larger journal is not ours and is left unread.
constexpr qint64 kMaxJournalBytes = 4 * 1024 * 1024;

QHash<QString, QString> readJournal(const QString &folder)
{
    QHash<QString, QString> written;
    QFile journal(QDir(folder).filePath(kJournalName));
    if (journal.size() > kMaxJournalBytes || !journal.open(QIODevice::ReadOnly))
        return written;
    for (const QByteArray &line : journal.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 2)
            continue;
        const QString id = QString::fromLatin1(fields[0]);
        const QString file = QString::fromUtf8(fields[1]);
        if (isUuid(id) && survey::isResultFileName(file) && !file.contains(u'/') &&
            !file.contains(u'\\'))
            written.insert(id.toLower(), file);
    }
    return written;
}

// A journal that cannot be written costs only the protection across a restart: the file itself
// is already whole on the disk.
void noteInJournal(const QString &folder, const QString &id, const QString &file)
{
    QFile journal(QDir(folder).filePath(kJournalName));
    if (journal.open(QIODevice::Append))
        journal.write(id.toLatin1() + '\t' + file.toUtf8() + '\n');
}

SubmissionReply refusal(const QString &reason)
{
    return {400, jsonObject("error", reason), {}, {}};
}

// The twelve rows of points, whole numbers; their range and sums are the result file's own rule.
std::optional<QString> readPoints(const QJsonValue &value, survey::QuestionnaireAnswers &answers)
{
    const QString problem =
        QStringLiteral("Ответы должны быть 12 строками по 4 целых числа от 0 до 100.");
    const QJsonArray rows = value.toArray();
    if (!value.isArray() || rows.size() != survey::kAnswerRows)
        return problem;
    for (int row = 0; row < survey::kAnswerRows; ++row) {
        const QJsonArray points = rows[row].toArray();
        if (!rows[row].isArray() || points.size() != survey::kTypeCount)
            return problem;
        for (int type = 0; type < survey::kTypeCount; ++type) {
            const auto number = wholeNumber(points[type], 0, survey::kPointsPerQuestion);
            if (!number)
                return problem;
            answers.points[row][type] = int(*number);
        }
    }
    return std::nullopt;
}

std::optional<QString> readTimes(const QJsonObject &object, const QDateTime &received,
                                 survey::QuestionnaireAnswers &answers)
{
    const QString problem =
        QStringLiteral("Время на экранах должно быть 12 целыми числами секунд от 0 до %1, время "
                       "чтения инструкции — числом секунд от 0 до %1.")
            .arg(kMaxSeconds);
    const QJsonValue instruction = object.value(QLatin1String("instructionSeconds"));
    const double instructionSeconds = instruction.toDouble(-1);
    if (!instruction.isDouble() || !std::isfinite(instructionSeconds) || instructionSeconds < 0 ||
        instructionSeconds > double(kMaxSeconds))
        return problem;
    answers.instructionMs = std::llround(instructionSeconds * 1000);
    const QJsonArray seconds = object.value(QLatin1String("seconds")).toArray();
    if (seconds.size() != survey::kAnswerRows)
        return problem;
    qint64 totalMs = answers.instructionMs;
    for (int row = 0; row < survey::kAnswerRows; ++row) {
        const auto number = wholeNumber(seconds[row], 0, kMaxSeconds);
        if (!number)
            return problem;
        answers.screenMs[row] = *number * 1000;
        totalMs += answers.screenMs[row];
    }
    // The server's clock, never the browser's: the file's date and times are when it arrived.
    answers.finished = received;
    answers.started = received.addMSecs(-std::min(totalMs, kMaxSeconds * 1000));
    return std::nullopt;
}

} // namespace

std::variant<Submission, QString> parseSubmission(const QByteArray &body, const QDateTime &received)
{
    if (body.size() > kMaxBodyBytes)
        return QStringLiteral("Запрос длиннее %1 байт.").arg(kMaxBodyBytes);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("Ответы пришли не в виде объекта JSON.");
    const QJsonObject object = document.object();

    Submission submission;
    const QJsonValue id = object.value(QLatin1String("id"));
    if (!id.isString() || !isUuid(id.toString()))
        return QStringLiteral("Нет номера анкеты (UUID).");
    submission.id = id.toString().toLower();

    survey::QuestionnaireAnswers &answers = submission.answers;
    const QJsonValue code = object.value(QLatin1String("code"));
    const QJsonValue free = object.value(QLatin1String("free"));
    if (!code.isString() || !free.isString())
        return QStringLiteral("Нет кода респондента или строки о нём.");
    answers.code = code.toString();
    answers.freeText = free.toString();
    if (const auto problem = readPoints(object.value(QLatin1String("answers")), answers))
        return *problem;
    if (const auto problem = readTimes(object, received, answers))
        return *problem;
    // The code, the free text and the sums: the same rule as every questionnaire's file.
    const QString problem = survey::answersProblem(answers);
    if (!problem.isEmpty())
        return problem;
    return submission;
}

SubmissionHandler::SubmissionHandler(const QString &folder, const QByteArray &key16, Clock clock)
    : m_folder(folder), m_key(key16),
      m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime)),
      m_written(readJournal(folder))
{
}

SubmissionReply SubmissionHandler::handle(const QByteArray &body)
{
    const auto parsed = parseSubmission(body, m_clock());
    if (const auto *reason = std::get_if<QString>(&parsed))
        return refusal(*reason);
    const Submission &submission = std::get<Submission>(parsed);
    // A page that lost the first answer sends again: the file written then is the answer.
    if (const auto known = m_written.constFind(submission.id); known != m_written.cend())
        return {200, jsonObject("file", *known), {}, {}};
    const auto written = survey::writeQuestionnaireResult(m_folder, submission.answers, m_key);
    if (const auto *error = std::get_if<survey::ResultWriteError>(&written))
        return {500,
                jsonObject("error", QStringLiteral("Ответы не записаны на компьютере "
                                                   "организатора. Страница повторит отправку.")),
                {},
                error->message};
    const QString name = QFileInfo(std::get<QString>(written)).fileName();
    m_written.insert(submission.id, name);
    noteInJournal(m_folder, submission.id, name);
    return {201, jsonObject("file", name), name, {}};
}

} // namespace web
