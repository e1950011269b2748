#include "survey/read_warnings.h"

namespace survey {

namespace {

// A day has 86 400 s; no one answers a question for longer.
constexpr qint64 kImplausibleSeconds = 100000;

// A whole number of at least 0 with its thousands apart, "120 000" (a no-break space, so that
// a wrapped line never splits it).
QString groupedDigits(qint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits;
}

} // namespace

QStringList readWarnings(const ResultText &text, const AnswerTable &answers)
{
    QStringList warnings;
    for (int row = 0; row < kAnswerRows; ++row) {
        const QString answer = answerRowName(row) + QStringLiteral(": ");
        const QByteArray line = text.line(kFirstAnswerLine + row);
        if (line.size() < kAnswerLineWidth)
            warnings << answer + QStringLiteral("запись ответа короче обычной");
        else if (line.size() > kAnswerLineWidth)
            warnings << answer + QStringLiteral("после ответа лишние знаки %1, они не читаются")
                                     .arg(quotedExcerpt(line.mid(kAnswerLineWidth)));
        const AnswerRow &values = answers[std::size_t(row)];
        double points = 0;
        for (int type = 0; type < kTypeCount; ++type)
            points += values[std::size_t(type)];
        if (points != kMaxPoints)
            warnings
                << answer +
                       QStringLiteral("сумма %1 вместо %2").arg(qint64(points)).arg(kMaxPoints);
        if (values[kTimeColumn] >= kImplausibleSeconds)
            warnings << answer + QStringLiteral("время ответа %1 с — больше суток")
                                     .arg(groupedDigits(qint64(values[kTimeColumn])));
    }
    for (int n = kResultLineCount; n < text.lineCount(); ++n) {
        if (!text.line(n).isEmpty()) {
            warnings << QStringLiteral("после ответов в файле есть ещё текст, он не читается (два "
                                       "склеенных файла читаются как первый)");
            break;
        }
    }
    return warnings;
}

} // namespace survey
