#include "survey/result_file.h"

#include "core/bounded_read.h"
#include "core/number_format.h"
#include "core/text_codec.h"
#include "survey/file_access.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>

namespace survey {
namespace {

// The cipher writes only the letters "a" to "p"; line breaks may follow them.
bool onlyCipherLetters(const QByteArray &text)
{
    for (const char ch : text)
        if ((ch < 'a' || ch > 'p') && ch != '\r' && ch != '\n')
            return false;
    return true;
}

// The text as the program holds it: line breaks turned into CR LF, ended by a zero byte.
QByteArray normalisedText(const QByteArray &bytes)
{
    QByteArray text;
    text.reserve(bytes.size());
    bool afterCr = false;
    for (const char ch : bytes) {
        if (ch == '\0')
            break;
        if (ch == '\n' && afterCr) {
            afterCr = false; // the LF of a CR LF already written
            continue;
        }
        afterCr = ch == '\r';
        if (ch == '\r' || ch == '\n')
            text.append("\r\n", 2);
        else
            text.append(ch);
    }
    return text;
}

// Answer line fields: 0-based start and width of A, B, C, D points and the seconds.
struct FieldSpan {
    int start;
    int width;
};
constexpr FieldSpan kAnswerFields[kAnswerColumns] = {{0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 7}};

// Why answer line `lineNo` (0-based) did not convert: the text has no such line, or it holds
// something else.
QString unreadLineReason(const ResultText &text, int lineNo)
{
    if (text.lineCount() == 0)
        return QStringLiteral("файл пуст");
    const int row = lineNo - kFirstAnswerLine;
    if (lineNo >= text.lineCount())
        return answerRowName(row) + QStringLiteral(": ответа нет, файл обрывается раньше");
    return answerRowName(row) +
           QStringLiteral(": вместо ответа %1").arg(quotedExcerpt(text.line(lineNo)));
}

} // namespace

QString answerRowName(int row)
{
    return QStringLiteral("вопрос %1, %2 состояние")
        .arg(row % kQuestionCount + 1)
        .arg(row < kQuestionCount ? QStringLiteral("текущее") : QStringLiteral("желаемое"));
}

QString quotedExcerpt(const QByteArray &line)
{
    constexpr int kShown = 40;
    QString shown = textcodec::fromWindows1251(line.left(kShown));
    for (QChar &ch : shown)
        if (ch.category() == QChar::Other_Control)
            ch = QChar::ReplacementCharacter;
    if (line.size() > kShown)
        shown += QStringLiteral("…");
    return QStringLiteral("«%1»").arg(shown);
}

LoadError cannotOpenFile(const QString &path, const QString &reason)
{
    return {QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)), 0, reason};
}

std::variant<QByteArray, LoadError> readResultFile(const QString &path)
{
    auto opened = openRegularFile(path);
    if (const auto *reason = std::get_if<QString>(&opened))
        return cannotOpenFile(path, *reason);
    QFile &file = *std::get<std::unique_ptr<QFile>>(opened);
    // Every byte adds at least one character to the text, except the LF of a CR LF whose CR
    // added two, so one byte past the limit read is enough to tell a text too long.
    const auto bytes = boundedread::readUpTo(file, kMaxCipherTextLength);
    if (!bytes)
        return cannotOpenFile(path, file.errorString());
    const QByteArray text = normalisedText(*bytes);
    if (text.size() > kMaxCipherTextLength) {
        return LoadError{QStringLiteral("Файл «%1» не является файлом результатов: он длиннее "
                                        "65 535 знаков.")
                             .arg(QDir::toNativeSeparators(path)),
                         0};
    }
    return text;
}

ResultText::ResultText(const QByteArray &plain) : m_plain(plain)
{
    qsizetype start = 0;
    while (start < m_plain.size()) {
        qsizetype end = m_plain.indexOf("\r\n", start);
        const qsizetype next = end < 0 ? m_plain.size() : end + 2;
        if (end < 0)
            end = m_plain.size();
        m_starts.append(start);
        m_ends.append(end);
        start = next;
    }
}

QByteArray ResultText::line(int n) const
{
    if (n < 0 || n >= m_starts.size())
        return {};
    return m_plain.mid(m_starts[n], m_ends[n] - m_starts[n]);
}

QString ResultText::lineText(int n) const
{
    return textcodec::fromWindows1251(line(n));
}

std::variant<AnswerTable, LoadError> parseAnswerTable(const ResultText &text)
{
    AnswerTable answers{};
    for (int row = 0; row < kAnswerRows; ++row) {
        const int lineNo = kFirstAnswerLine + row;
        const QByteArray line = text.line(lineNo);
        for (int column = 0; column < kAnswerColumns; ++column) {
            const FieldSpan span = kAnswerFields[column];
            const QString field = textcodec::fromWindows1251(line.mid(span.start, span.width));
            const std::optional<qint32> value = numfmt::parseInt32(field);
            if (!value) {
                return LoadError{QStringLiteral("'%1' is not a valid integer value").arg(field),
                                 lineNo + 1, unreadLineReason(text, lineNo)};
            }
            if (column != kTimeColumn && (*value < 0 || *value > kMaxPoints)) {
                return LoadError{QStringLiteral("Недопустимые баллы «%1»").arg(field.trimmed()),
                                 lineNo + 1,
                                 answerRowName(row) + QStringLiteral(": баллы вне 0–100")};
            }
            answers[std::size_t(row)][std::size_t(column)] = double(*value);
        }
    }
    return answers;
}

std::variant<IndividualResult, LoadError> parseIndividualResult(const ResultText &text)
{
    IndividualResult result;
    result.code = text.lineText(1);
    result.info = result.code + QStringLiteral("  ") + text.lineText(2) +
                  QStringLiteral("  Дата: ") + text.lineText(0) + QStringLiteral("  Начало: ") +
                  text.lineText(4) + QStringLiteral("  Выполнение: ") + text.lineText(8);
    auto answers = parseAnswerTable(text);
    if (const auto *error = std::get_if<LoadError>(&answers))
        return *error;
    result.answers = std::get<AnswerTable>(answers);
    return result;
}

QString scoreFieldText(double score, QChar separator)
{
    return numfmt::formatFixed(score, 5, 2, separator);
}

std::variant<IndividualResult, LoadError>
loadIndividualResult(const QString &path, const QByteArray &key16, QByteArray *plainOut)
{
    auto cipher = readResultFile(path);
    if (const auto *error = std::get_if<LoadError>(&cipher))
        return *error;
    const QByteArray plain = Pc1Decrypt(key16, std::get<QByteArray>(cipher));
    if (plainOut)
        *plainOut = plain;
    auto parsed = parseIndividualResult(ResultText(plain));
    if (auto *error = std::get_if<LoadError>(&parsed);
        error && !onlyCipherLetters(std::get<QByteArray>(cipher)))
        error->reason = QStringLiteral("файл не является зашифрованным файлом результатов: в "
                                       "нём есть знаки, которых шифр не пишет");
    return parsed;
}

} // namespace survey
