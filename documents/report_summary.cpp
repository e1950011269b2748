#include "documents/report_summary.h"

#include "documents/report_claims.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"

#include <algorithm>

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

namespace report {

namespace {

// "клановой культуры": a type in the genitive, for "хотят больше клановой культуры".
QString typeGenitive(int type)
{
    static const char *const kAdjectives[] = {"клановой", "адхократической", "рыночной",
                                              "иерархической"};
    return QString::fromUtf8(kAdjectives[type]) + QStringLiteral(" культуры");
}

// "19 из 25 хотят", "21 из 25 хочет".
QString howMany(int count, int n, const QString &one, const QString &many)
{
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return QStringLiteral("%1 из %2 %3").arg(count).arg(n).arg(singular ? one : many);
}

QString points(const survey::Mean &value, bool sign = false)
{
    const QString figure = wholePoints(value, sign);
    return figure + QChar(0x00A0) + pointsWord(figure);
}

const survey::Mean &scoreOf(const survey::GroupStatistics &s, int type, int state)
{
    const survey::TypeStatistics &t = s.types[std::size_t(type)];
    return state == 0 ? t.current.mean : t.preferred.mean;
}

QString leadSentence(const survey::GroupStatistics &s, int state)
{
    const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
    if (!d.lead)
        return QStringLiteral("Ни один тип культуры не преобладает: у всех четырёх по %1.")
            .arg(points(scoreOf(s, 0, state)));
    const std::vector<int> leading = leadingTypes(s, state);
    if (leading.size() == 1)
        return QStringLiteral("Преобладает %1: %2 из 100, на %3 больше следующего типа.")
            .arg(typesWords(leading), points(scoreOf(s, leading.front(), state)), points(*d.lead));
    QStringList scores;
    for (int type : leading)
        scores << wholePoints(scoreOf(s, type, state));
    const QString last = scores.takeLast();
    const QString figures = scores.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last +
                            QChar(0x00A0) + pointsWord(last);
    if (leading.size() == d.types.size())
        return QStringLiteral("Поровну преобладают %1: по %2.")
            .arg(typesWords(leading), points(scoreOf(s, leading.front(), state)));
    return QStringLiteral("Первенство делят %1: %2. Разница между ними меньше разброса "
                          "ответов, поэтому нельзя сказать, какой тип сильнее.")
        .arg(typesWords(leading), figures);
}

// The types by the size of their change, largest first (A-D among equals): the two largest,
// and a third when it too reaches the threshold; none that rounds to 0 points.
std::vector<int> chosenChanges(const survey::GroupStatistics &s)
{
    std::vector<int> types{0, 1, 2, 3};
    std::stable_sort(types.begin(), types.end(), [&](int a, int b) {
        return s.types[std::size_t(a)].discrepancy.magnitude().value() >
               s.types[std::size_t(b)].discrepancy.magnitude().value();
    });
    std::vector<int> chosen;
    for (std::size_t i = 0; i < types.size() && chosen.size() < 3; ++i) {
        const survey::TypeStatistics &t = s.types[std::size_t(types[i])];
        if (wholePoints(t.discrepancy) == QStringLiteral("0") || (i == 2 && !t.flagged))
            break;
        chosen.push_back(types[i]);
    }
    return chosen;
}

QString changeSentence(const survey::GroupStatistics &s, const documents::TypeAgenda &agenda)
{
    const survey::TypeStatistics &t = s.types[std::size_t(agenda.type)];
    const Claim claim = claimFor(t.discrepancy, changeSignificant(t));
    QString text = QStringLiteral("%1: %2 (с %3 до %4) — %5")
                       .arg(capitalised(typesWords({agenda.type})), points(t.discrepancy, true),
                            wholePoints(t.current.mean), wholePoints(t.preferred.mean),
                            claimWords(claim, s.n == 1));
    const bool more = t.discrepancy.value() > 0;
    const int wanting = more ? agenda.wantMore : agenda.wantLess;
    const int opposite = more ? agenda.wantLess : agenda.wantMore;
    if (s.n > 1 && wanting + opposite == 0)
        text += QStringLiteral("; ни один респондент сам не меняет её на 10 баллов и больше");
    else if (s.n > 1) {
        text += QStringLiteral("; %1 %2 %3")
                    .arg(howMany(wanting, s.n, QStringLiteral("хочет"), QStringLiteral("хотят")),
                         more ? QStringLiteral("больше") : QStringLiteral("меньше"),
                         typeGenitive(agenda.type));
        if (opposite > 0)
            text += QStringLiteral(", %1 — %2")
                        .arg(opposite)
                        .arg(more ? QStringLiteral("меньше") : QStringLiteral("больше"));
    }
    return text + QLatin1Char('.');
}

// How many respondents put the group's leading type of `state` first themselves.
int sharing(const survey::GroupStatistics &s, const std::vector<survey::ProfileScores> &respondents,
            int state)
{
    const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
    int count = 0;
    for (const survey::ProfileScores &scores : respondents) {
        const std::vector<int> own = survey::dominantTypes(survey::stateScores(scores, state));
        count += std::find(own.begin(), own.end(), d.types.front()) != own.end();
    }
    return count;
}

QString agreement(const survey::GroupStatistics &s,
                  const std::vector<survey::ProfileScores> &respondents)
{
    const int now = sharing(s, respondents, 0), wished = sharing(s, respondents, 1);
    const int fewer = std::min(now, wished);
    const QString verdict = 4 * fewer >= 3 * s.n ? QStringLiteral("Респонденты в основном "
                                                                  "единодушны.")
                            : 2 * fewer < s.n
                                ? QStringLiteral("Мнения респондентов "
                                                 "расходятся.")
                                : QStringLiteral("Респонденты согласны лишь отчасти.");
    return QStringLiteral("%1 Сейчас %2 на первом месте у %3 из %4 респондентов, в желаемом "
                          "состоянии %5 — у %6 из %4. %7")
        .arg(verdict, typeWords(s.currentDominance.types.front()))
        .arg(now)
        .arg(s.n)
        .arg(typeWords(s.preferredDominance.types.front()))
        .arg(wished)
        .arg(congruenceSentence(s));
}

} // namespace

QString surveyDates(const QStringList &answerDates)
{
    QDate first, last;
    int undated = 0;
    for (const QString &text : answerDates) {
        const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!date.isValid()) {
            ++undated;
            continue;
        }
        if (!first.isValid() || date < first)
            first = date;
        if (!last.isValid() || date > last)
            last = date;
    }
    if (!first.isValid())
        return QStringLiteral("Даты ответов в файлах не указаны.");
    // "с 10 по 14 марта 2026 г.": what the two dates share is written once.
    QString from = QString::number(first.day());
    if (first.month() != last.month() || first.year() != last.year())
        from = russianDate(first).section(QLatin1Char(' '), 0, 0); // the day with its month
    if (first.year() != last.year())
        from = russianDate(first);
    QString text =
        answerDates.size() == 1 ? QStringLiteral("Анкета заполнена %1").arg(russianDate(first))
        : first == last ? QStringLiteral("Ответы даны %1").arg(russianDate(first))
                        : QStringLiteral("Ответы даны с %1 по %2").arg(from, russianDate(last));
    if (undated > 0)
        text += QStringLiteral("; без даты ответа: %1 из %2.").arg(undated).arg(answerDates.size());
    else if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

void addFindings(Document &d, const survey::GroupStatistics &s,
                 const std::vector<survey::ProfileScores> &respondents)
{
    d.heading(QStringLiteral("Главное"));
    d.term(QStringLiteral("Сейчас."), leadSentence(s, 0));
    d.term(QStringLiteral("Желаемое состояние."), leadSentence(s, 1));
    const auto agenda = documents::changeAgenda(s, respondents);
    const std::vector<int> largest = chosenChanges(s);
    if (largest.empty())
        d.term(QStringLiteral("Изменения."),
               QStringLiteral("Желаемая культура почти совпадает с нынешней: ни один тип не "
                              "меняется и на 1 балл."));
    for (std::size_t i = 0; i < largest.size(); ++i)
        d.term(i == 0 ? QStringLiteral("Главные изменения.") : QString(),
               changeSentence(s, agenda[std::size_t(largest[i])]));
    if (s.n > 1)
        d.term(QStringLiteral("Согласие."), agreement(s, respondents));
    if (s.n == 1) {
        d.note(QStringLiteral("Изменение названо заметным, если оно не меньше 10 баллов."));
        return;
    }
    d.note(QStringLiteral("Изменение названо заметным, если оно не меньше 10 баллов и больше "
                          "случайного разброса ответов (95 % интервалы нынешнего и желаемого "
                          "балла не пересекаются). «Хотят больше» — у респондента желаемый "
                          "балл типа выше нынешнего не меньше чем на 10."));
}

} // namespace report
