#include "documents/report_summary.h"

#include "documents/report_texts.h"
#include "documents/statistics_report.h"

#include <QStringList>

namespace report {

namespace {

const survey::Mean &meanOf(const survey::GroupStatistics &s, int type, int state)
{
    const survey::TypeStatistics &t = s.types[std::size_t(type)];
    return state == 0 ? t.current.mean : t.preferred.mean;
}

QString dominanceSentence(const survey::GroupStatistics &s, int state)
{
    const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
    const QString when =
        state == 0 ? QStringLiteral("Сейчас") : QStringLiteral("В желаемом состоянии");
    const QString score = number(meanOf(s, d.types.front(), state));
    if (!d.lead)
        return when + QStringLiteral(" ни один тип культуры не преобладает: все четыре оценки "
                                     "равны (по %1 балла).")
                          .arg(score);
    const bool tie = d.types.size() > 1;
    const QString lead = number(*d.lead);
    const QString distance = lead == QStringLiteral("0,00")
                                 ? QStringLiteral("почти вровень со следующим типом")
                                 : QStringLiteral("на %1 балла больше следующего типа").arg(lead);
    return QStringLiteral("%1 %2 %3 — %4%5 балла, %6.")
        .arg(when, tie ? QStringLiteral("поровну преобладают") : QStringLiteral("преобладает"),
             typesWords(d.types), tie ? QStringLiteral("по ") : QString(), score, distance);
}

// The types whose change prints the largest size: a tie in the tables is a tie in words.
std::vector<int> largestChanges(const survey::GroupStatistics &s)
{
    std::vector<int> types;
    QString largest;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const QString size = number(s.types[std::size_t(type)].discrepancy.magnitude());
        if (types.empty() || size.length() > largest.length() ||
            (size.length() == largest.length() && size > largest)) {
            types = {type};
            largest = size;
        } else if (size == largest)
            types.push_back(type);
    }
    return types;
}

QString change(const survey::GroupStatistics &s, int type)
{
    return QStringLiteral("%1 с %2 до %3")
        .arg(documents::typeLetter(type), number(meanOf(s, type, 0)), number(meanOf(s, type, 1)));
}

QString changeSentences(const survey::GroupStatistics &s)
{
    const std::vector<int> largest = largestChanges(s);
    const survey::Mean &value = s.types[std::size_t(largest.front())].discrepancy;
    if (number(value.magnitude()) == QStringLiteral("0,00"))
        return QStringLiteral("Желаемое состояние не отличается от текущего ни по одному типу.");
    QString text;
    if (largest.size() == 1)
        text =
            QStringLiteral("Наибольшее желаемое изменение — %1: %2 балла (с %3 до %4).")
                .arg(typesWords(largest), signedNumber(value),
                     number(meanOf(s, largest.front(), 0)), number(meanOf(s, largest.front(), 1)));
    else {
        QStringList changes;
        for (int type : largest)
            changes << change(s, type);
        text = QStringLiteral("Наибольшие желаемые изменения — %1, по %2 балла (%3).")
                   .arg(typesWords(largest), number(value.magnitude()),
                        changes.join(QStringLiteral(", ")));
    }
    QStringList flagged;
    for (int type = 0; type < survey::kTypeCount; ++type)
        if (s.types[std::size_t(type)].flagged)
            flagged << documents::typeLetter(type) + QStringLiteral(" (") +
                           signedNumber(s.types[std::size_t(type)].discrepancy) + QLatin1Char(')');
    if (flagged.isEmpty())
        return text + QStringLiteral(" Ни одно желаемое изменение не достигает %1 баллов.")
                          .arg(survey::kDiscrepancyThreshold);
    return text + QStringLiteral(" Изменения не меньше %1 баллов: %2.")
                      .arg(survey::kDiscrepancyThreshold)
                      .arg(flagged.join(QStringLiteral(", ")));
}

} // namespace

QString profileSummary(const survey::GroupStatistics &s)
{
    return dominanceSentence(s, 0) + QLatin1Char(' ') + dominanceSentence(s, 1) + QLatin1Char(' ') +
           changeSentences(s);
}

QString congruenceSentence(const survey::GroupStatistics &s)
{
    if (s.questionsAgree)
        return QStringLiteral("Все шесть вопросов называют один доминирующий тип: %1.")
            .arg(typesWords(s.questions[0].dominant));
    return QStringLiteral("Вопросы не называют единого доминирующего типа: у разных вопросов "
                          "преобладают разные типы или несколько типов равны.");
}

} // namespace report
