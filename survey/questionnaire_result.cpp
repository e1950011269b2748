#include "survey/questionnaire_result.h"

#include "core/text_codec.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"

#include <QStringList>
#include <algorithm>

namespace survey {
namespace {

// The answer line gives the seconds seven columns; a longer number would shift the line.
constexpr qint64 kMaxScreenSeconds = 9999999;

QString clockText(qint64 seconds)
{
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                             seconds % 60);
}

QString answerLine(const std::array<int, kTypeCount> &points, qint64 ms)
{
    const qint64 seconds = std::min((std::max<qint64>(ms, 0) + 500) / 1000, kMaxScreenSeconds);
    return QString::asprintf("%4d%4d%4d%4d%7lld", points[0], points[1], points[2], points[3],
                             seconds);
}

} // namespace

bool isRespondentCode(const QString &code)
{
    if (code.isEmpty() || code.size() > kMaxCodeLength || !textcodec::isWindows1251(code))
        return false;
    return std::all_of(code.begin(), code.end(), [](QChar ch) {
        return ch.isLetterOrNumber() || ch == QLatin1Char('-') || ch == QLatin1Char('_');
    });
}

bool isFreeText(const QString &text)
{
    return text.size() <= kMaxFreeTextLength && textcodec::isWindows1251(text) &&
           std::none_of(text.begin(), text.end(),
                        [](QChar ch) { return ch.category() == QChar::Other_Control; });
}

QString answersProblem(const QuestionnaireAnswers &answers)
{
    if (!isRespondentCode(answers.code))
        return QStringLiteral("Код «%1» не годится: нужны от 1 до %2 букв, цифр, знаков «-» и «_».")
            .arg(answers.code)
            .arg(kMaxCodeLength);
    if (!isFreeText(answers.freeText))
        return QStringLiteral("Строка «%1» длиннее %2 знаков или содержит недопустимые знаки.")
            .arg(answers.freeText)
            .arg(kMaxFreeTextLength);
    if (!answers.started.isValid() || !answers.finished.isValid())
        return QStringLiteral("Не известно время начала или окончания анкеты.");
    for (int row = 0; row < kAnswerRows; ++row) {
        const auto &points = answers.points[row];
        const bool inRange = std::all_of(points.begin(), points.end(),
                                         [](int p) { return p >= 0 && p <= kPointsPerQuestion; });
        if (!inRange || points[0] + points[1] + points[2] + points[3] != kPointsPerQuestion)
            return QStringLiteral("В ответе на вопрос %1 (%2) сумма баллов не равна %3.")
                .arg(row % kQuestionCount + 1)
                .arg(row < kQuestionCount ? QStringLiteral("текущее состояние")
                                          : QStringLiteral("желаемое состояние"))
                .arg(kPointsPerQuestion);
    }
    return {};
}

QByteArray resultPlainText(const QuestionnaireAnswers &answers)
{
    const qint64 instructionTenths = (std::max<qint64>(answers.instructionMs, 0) + 50) / 100;
    const qint64 duration = std::max<qint64>(answers.started.secsTo(answers.finished), 0);
    QStringList lines{
        answers.started.toString(QStringLiteral("dd.MM.yyyy")),
        answers.code,
        answers.freeText,
        QStringLiteral("Время начала теста"),
        answers.started.toString(QStringLiteral("HH:mm:ss")),
        QStringLiteral("Время окончания теста"),
        answers.finished.toString(QStringLiteral("HH:mm:ss")),
        QStringLiteral("Время выполнения теста"),
        clockText(duration),
        QStringLiteral("00.00"),
        QStringLiteral("Время чтения инструкции: %1.%2 сек")
            .arg(instructionTenths / 10)
            .arg(instructionTenths % 10),
    };
    while (lines.size() < kFirstAnswerLine)
        lines << QString();
    for (int row = 0; row < kAnswerRows; ++row)
        lines << answerLine(answers.points[row], answers.screenMs[row]);
    return textcodec::toWindows1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

std::variant<QString, ResultWriteError>
writeQuestionnaireResult(const QString &folder, const QuestionnaireAnswers &answers,
                         const QByteArray &key16)
{
    const QString problem = answersProblem(answers);
    if (!problem.isEmpty())
        return ResultWriteError{problem};
    return writeResultFile(folder, answers.code, Pc1Encrypt(key16, resultPlainText(answers)));
}

} // namespace survey
