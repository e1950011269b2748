#include "documents/text_report.h"

#include "core/number_format.h"
#include "core/safe_write.h"
#include "core/text_codec.h"
#include "survey/resource.h"

#include <QDir>
#include <QStringList>

namespace documents {

using namespace survey;
namespace {

constexpr QChar kPoint = QLatin1Char('.');

// One line per text, whatever the text holds.
QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString scoreLine(int type, double score)
{
    return TypeNames[std::size_t(type)].rightJustified(26, QLatin1Char(' ')) +
           QStringLiteral(" - ") + numfmt::formatFixed(score, 5, 1, kPoint) + QLatin1Char('%');
}

QString answerLine(const AnswerRow &row)
{
    QString line;
    for (int k = 0; k < kTypeCount; ++k)
        line += numfmt::formatFixed(row[std::size_t(k)], 6, 2, kPoint);
    return line + numfmt::formatFixed(row[kTimeColumn], 9, 2, kPoint);
}

QString failedWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл «%1»: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QByteArray reportText(const ReportInput &input)
{
    QStringList lines;
    lines.reserve(kReportLines);
    lines << singleLine(input.date) << singleLine(input.code) << singleLine(input.info)
          << QStringLiteral("Время начала теста") << QStringLiteral("00:00:00")
          << QStringLiteral("Время окончания теста") << QStringLiteral("00:00:00")
          << QStringLiteral("Время выполнения теста") << QStringLiteral("00:00:00")
          << QStringLiteral("00.00") << QStringLiteral("Время чтения инструкции: 00.0 сек");
    lines << QStringLiteral("Текущие оценки организации");
    for (int k = 0; k < kTypeCount; ++k)
        lines << scoreLine(k, input.scores[scoreIndex(0, k)]);
    lines << QStringLiteral("Предполагаемые оценки организации");
    for (int k = 0; k < kTypeCount; ++k)
        lines << scoreLine(k, input.scores[scoreIndex(1, k)]);
    lines << QStringLiteral("Ответы на альтернативы")
          << QStringLiteral("     A     B     C     D    Время (сек)");
    for (const AnswerRow &row : input.answers)
        lines << answerLine(row);

    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return textcodec::toWindows1251(text);
}

bool writeReport(const QString &path, const QByteArray &bytes, QString *errorMessage)
{
    // A folder, pipe or device of that name is no report to replace.
    const auto reason = safewrite::refusalFor(path) == safewrite::Refusal::None
                            ? safewrite::replaceFile(path, bytes)
                            : std::optional<QString>(QStringLiteral("это не обычный файл."));
    if (reason && errorMessage)
        *errorMessage = failedWrite(path, *reason);
    return !reason;
}

} // namespace documents
