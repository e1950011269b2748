#include "result_file.h"

#include "core/number_format.h"
#include "core/text_codec.h"
#include "unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace survey {
namespace {

LoadError cannotOpen(const QString &path)
{
    return {QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)), 0};
}

// Appends `chunk` to `text` with line breaks turned into CR LF; `afterCr` carries a CR
// across chunk boundaries. Returns false at a zero byte, which ends the text.
bool appendNormalised(QByteArray &text, const QByteArray &chunk, bool &afterCr)
{
    for (const char ch : chunk) {
        if (ch == '\0')
            return false;
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
    return true;
}

// Answer line fields: 0-based start and width of A, B, C, D points and the seconds.
struct FieldSpan {
    int start;
    int width;
};
constexpr FieldSpan kAnswerFields[kAnswerColumns] = {{0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 7}};

} // namespace

std::variant<QByteArray, LoadError> readResultFile(const QString &path)
{
    // Only regular files: a folder cannot be read, and opening a named pipe would wait for a
    // writer that may never come. Reading stops at the length limit, so size is no danger.
    if (!QFileInfo(path).isFile())
        return cannotOpen(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen(path);

    QByteArray text;
    bool afterCr = false;
    // Every byte read adds at least one character, except the LF of a CR LF after its CR
    // added two, so reading just enough to pass the limit never reads far beyond it.
    while (text.size() <= kMaxCipherTextLength) {
        const QByteArray chunk = file.read(kMaxCipherTextLength + 1 - text.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return cannotOpen(path);
            break;
        }
        if (!appendNormalised(text, chunk, afterCr))
            break;
    }
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
                                 lineNo + 1};
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
    return parseIndividualResult(ResultText(plain));
}

} // namespace survey
