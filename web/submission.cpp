#include "web/submission.h"

#include "survey/respondent_codes.h"
#include "survey/result_names.h"
#include "survey/unit_pc1.h"
#include "web/folder_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
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
    // Anchored: "$" alone lets a final line break through, which would split the note's line.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral(
        "[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}")));
    return pattern.match(text).hasMatch();
}

QByteArray jsonObject(const char *key, const QString &value)
{
    return QJsonDocument(QJsonObject{{QLatin1String(key), value}}).toJson(QJsonDocument::Compact);
}

// Far more than any survey's respondents; a larger note is not ours and is left unread.
constexpr qint64 kMaxJournalBytes = 4 * 1024 * 1024;
// A result file is far shorter; a longer one is not one of ours.
constexpr qint64 kMaxResultBytes = 64 * 1024;

QByteArray contentHash(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

bool isPlainFileName(const QString &file)
{
    return survey::isResultFileName(file) && !file.contains(u'/') && !file.contains(u'\\') &&
           !file.startsWith(u'.');
}

// The questionnaires a folder received, as its note says, line by line: "id<TAB>file name" for a
// written one; "id<TAB><TAB>hash" noted on the disk before a file takes its name, so that after a
// crash at any moment the file is found again by its content; "id<TAB><TAB>" once a start found
// no such file (the crash came before the name).
struct Journal {
    QHash<QString, QString> written;  // id -> file name
    QHash<QString, QByteArray> named; // id -> hash of a file that may have its name
    QStringList namedOrder;           // their ids, oldest first
    bool needsLineBreak = false;      // a crash cut the last line
};

Journal readJournal(const QString &path)
{
    Journal journal;
    const auto read = readFolderFile(path, kMaxJournalBytes);
    const auto *bytes = std::get_if<std::optional<QByteArray>>(&read);
    if (!bytes || !*bytes)
        return journal;
    journal.needsLineBreak = !(*bytes)->isEmpty() && !(*bytes)->endsWith('\n');
    for (const QByteArray &line : (*bytes)->split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const QString id = QString::fromLatin1(fields[0]).toLower();
        if (!isUuid(id))
            continue;
        if (fields.size() == 2 && isPlainFileName(QString::fromUtf8(fields[1]))) {
            journal.written.insert(id, QString::fromUtf8(fields[1]));
            journal.named.remove(id);
        } else if (fields.size() == 3 && fields[1].isEmpty() && fields[2].size() == 64) {
            journal.named.insert(id, fields[2]);
            journal.namedOrder << id;
        } else if (fields.size() == 3 && fields[1].isEmpty() && fields[2].isEmpty()) {
            journal.named.remove(id);
        }
    }
    return journal;
}

// The result files of `folder` by the hash of their content, read only when a crash left an id
// whose file is not known.
QMultiHash<QByteArray, QString> filesByHash(const QString &folder)
{
    QMultiHash<QByteArray, QString> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*OCAI.cry")}, QDir::Files)) {
        const auto read = readFolderFile(dir.filePath(name), kMaxResultBytes);
        if (const auto *bytes = std::get_if<std::optional<QByteArray>>(&read); bytes && *bytes)
            files.insert(contentHash(**bytes), name);
    }
    return files;
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
                       "чтения инструкции — числом секунд от 0 до %2.")
            .arg(kMaxScreenSeconds)
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
        const auto number = wholeNumber(seconds[row], 0, kMaxScreenSeconds);
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
    // The JSON reader would skip a byte order mark: every byte of the body counts, none is
    // dropped.
    if (body.contains("\xEF\xBB\xBF"))
        return QStringLiteral("В запросе знак U+FEFF (метка порядка байтов): он не часть ответов.");
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

const QString kReceivedNoteName = QStringLiteral(".ocai-received");

SubmissionHandler::SubmissionHandler(const QString &folder, const QByteArray &key16, Clock clock)
    : m_folder(folder), m_key(key16),
      m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime)), m_codes(folder, key16)
{
    Journal journal = readJournal(notePath());
    m_written = std::move(journal.written);
    m_needsLineBreak = journal.needsLineBreak;
    if (journal.named.isEmpty())
        return;
    // Two respondents may send the same answers in the same second: a file another id was
    // answered with is never this one's.
    QSet<QString> claimed(m_written.cbegin(), m_written.cend());
    const QMultiHash<QByteArray, QString> files = filesByHash(folder);
    for (const QString &id : std::as_const(journal.namedOrder)) {
        if (!journal.named.contains(id) || m_written.contains(id))
            continue;
        QString found;
        for (const QString &file : files.values(journal.named.take(id)))
            if (!claimed.contains(file) && (found.isEmpty() || file < found))
                found = file;
        // None: the crash came before the name, and a resend writes the file.
        note(id.toLatin1() + "\t" + (found.isEmpty() ? QByteArray("\t") : found.toUtf8()));
        if (!found.isEmpty()) {
            m_written.insert(id, found);
            claimed.insert(found);
        }
    }
}

void SubmissionHandler::setCrashPoints(std::function<void()> beforeNaming,
                                       std::function<void()> beforeNoting)
{
    m_beforeNaming = std::move(beforeNaming);
    m_beforeNoting = std::move(beforeNoting);
}

QString SubmissionHandler::notePath() const
{
    return QDir(m_folder).filePath(kReceivedNoteName);
}

// A note that cannot be written costs only the protection across a restart: the answers are
// still written. Only the note before a name must be on the disk at once: every other line can
// be told again from it and the folder's files.
void SubmissionHandler::note(const QByteArray &line, bool durable)
{
    const QByteArray bytes = (m_needsLineBreak ? "\n" : "") + line + '\n';
    if (!appendToFolderFile(notePath(), bytes, durable))
        m_needsLineBreak = false;
}

namespace {

// The longest query a code can make: "c=" and each character as up to four bytes of UTF-8,
// each byte as "%XX".
constexpr qsizetype kMaxCodeQueryBytes = 2 + survey::kMaxCodeLength * 4 * 3;

// The code the query asks about, or nothing when it is no code's query.
std::optional<QString> queriedCode(const QByteArray &query)
{
    if (query.size() > kMaxCodeQueryBytes || !query.startsWith("c="))
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromPercentEncoding(query.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString code = utf8(bytes);
    if (utf8.hasError() || !survey::isRespondentCode(code))
        return std::nullopt;
    return code;
}

} // namespace

SubmissionReply SubmissionHandler::codeQuery(const QByteArray &query)
{
    const auto code = queriedCode(query);
    if (!code)
        return refusal(QStringLiteral("Запрос должен быть «c=» и код респондента: буквы, цифры, "
                                      "«-» и «_», до %1 знаков.")
                           .arg(survey::kMaxCodeLength));
    const bool answered = survey::codeAnswered(m_codes.codes(), *code);
    return {200,
            QJsonDocument(QJsonObject{{QStringLiteral("answered"), answered}})
                .toJson(QJsonDocument::Compact),
            {},
            {}};
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
    const QByteArray id = submission.id.toLatin1();
    const QByteArray content =
        survey::Pc1Encrypt(m_key, survey::resultPlainText(submission.answers));
    const auto written = survey::writeResultFile(m_folder, submission.answers.code, content, [&] {
        note(id + "\t\t" + contentHash(content), true);
        if (m_beforeNaming)
            m_beforeNaming();
    });
    if (const auto *error = std::get_if<survey::ResultWriteError>(&written))
        return {500,
                jsonObject("error", QStringLiteral("Ответы не записаны на компьютере "
                                                   "организатора. Страница повторит отправку.")),
                {},
                error->message};
    const QString name = QFileInfo(std::get<QString>(written)).fileName();
    m_written.insert(submission.id, name);
    if (m_beforeNoting)
        m_beforeNoting();
    note(id + '\t' + name.toUtf8());
    return {201, jsonObject("file", name), name, {}};
}

} // namespace web
