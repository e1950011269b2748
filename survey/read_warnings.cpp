#include "survey/read_warnings.h"

namespace survey {

namespace {

// A day has 86 400 s; no one answers a question for longer.
constexpr double kImplausibleSeconds = 100000;

} // namespace

std::vector<ReadWarning> readWarnings(const ResultText &text, const AnswerTable &answers)
{
    std::vector<ReadWarning> warnings;
    for (int row = 0; row < kAnswerRows; ++row) {
        const int lineNo = kFirstAnswerLine + row + 1;
        const QByteArray line = text.line(lineNo - 1);
        if (line.size() < kAnswerLineWidth)
            warnings.push_back(
                {lineNo, QStringLiteral("строка ответов короче %1 знаков").arg(kAnswerLineWidth)});
        else if (line.size() > kAnswerLineWidth)
            warnings.push_back({lineNo, QStringLiteral("знаки после %1-го не читаются: %2")
                                            .arg(kAnswerLineWidth)
                                            .arg(quotedExcerpt(line.mid(kAnswerLineWidth)))});
        const AnswerRow &values = answers[std::size_t(row)];
        double points = 0;
        for (int type = 0; type < kTypeCount; ++type)
            points += values[std::size_t(type)];
        if (points != kMaxPoints)
            warnings.push_back(
                {lineNo,
                 QStringLiteral("сумма баллов %1, а не %2").arg(qint64(points)).arg(kMaxPoints)});
        if (values[kTimeColumn] >= kImplausibleSeconds)
            warnings.push_back({lineNo, QStringLiteral("время ответа %1 с: 100 000 с и больше")
                                            .arg(qint64(values[kTimeColumn]))});
    }
    for (int n = kResultLineCount; n < text.lineCount(); ++n) {
        if (!text.line(n).isEmpty()) {
            warnings.push_back({n + 1, QStringLiteral("после строки %1 есть текст, он не читается "
                                                      "(два склеенных файла читаются как первый)")
                                           .arg(kResultLineCount)});
            break;
        }
    }
    return warnings;
}

} // namespace survey
