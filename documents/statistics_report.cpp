#include "documents/statistics_report.h"

#include "core/number_format.h"
#include "documents/anonymity.h"
#include "survey/resource.h"

#include <QJsonValue>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace documents {

using namespace survey;

namespace {

const char *const kStateKeys[2] = {"current", "preferred"};

QString namedTypes(const std::vector<int> &types)
{
    QStringList names;
    for (int type : types)
        names << typeLetterName(type);
    return names.join(QStringLiteral(" = "));
}

QString column(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

template <typename Figure> QString number(const Figure &value, int width, bool sign = false)
{
    return fixed(value, 2, sign).rightJustified(width, QLatin1Char(' '));
}

QString dominanceText(const Dominance &dominance)
{
    if (!dominance.lead)
        return QStringLiteral("все четыре типа равны, доминирующего нет");
    return namedTypes(dominance.types) + QStringLiteral(", отрыв ") + fixed(*dominance.lead, 2);
}

const ScoreStatistics &stateStatistics(const TypeStatistics &type, int state)
{
    return state == 0 ? type.current : type.preferred;
}

QJsonValue optionalNumber(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonValue optionalNumber(const std::optional<Mean> &value)
{
    return value ? QJsonValue(value->value()) : QJsonValue(QJsonValue::Null);
}

} // namespace

QString typeLetter(int type)
{
    return QString(QLatin1Char(char('A' + type)));
}

QString typeShortName(int type)
{
    return type >= 0 && type < kTypeCount ? TypeShortNames[std::size_t(type)] : QString();
}

QString typeColumnLabel(int type)
{
    return typeLetter(type) + QStringLiteral("  ") + typeShortName(type);
}

QString typeLetterName(int type)
{
    return typeLetter(type) + QLatin1Char(' ') + typeShortName(type);
}

QString stateCaption(int state)
{
    return state == 0 ? QStringLiteral("Текущее") : QStringLiteral("Желаемое");
}

QString typeLetters(const std::vector<int> &types, const QString &separator)
{
    QStringList letters;
    for (int type : types)
        letters << typeLetter(type);
    return letters.join(separator);
}

QJsonArray typeLetterArray(const std::vector<int> &types)
{
    QJsonArray letters;
    for (int type : types)
        letters.append(typeLetter(type));
    return letters;
}

QString fullPrecision(double value)
{
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString fixed(double value, int decimals, bool sign, QChar separator)
{
    QString text = numfmt::formatFixed(value, 0, decimals, separator);
    const bool zero = std::all_of(text.begin(), text.end(), [separator](QChar c) {
        return c == QLatin1Char('0') || c == separator || c == QLatin1Char('-');
    });
    // A difference that rounds to zero is shown unsigned, whichever side it fell on.
    if (zero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return sign && !zero && !text.startsWith(QLatin1Char('-')) ? QLatin1Char('+') + text : text;
}

QString fixed(const Mean &value, int decimals, bool sign, QChar separator)
{
    return formatMean(value, decimals, separator, sign);
}

QString fullPrecision(const Mean &value)
{
    return fullPrecision(value.value());
}

QString statisticsText(const GroupStatistics &s, const QString &source)
{
    QStringList lines;
    lines << QStringLiteral("Статистика профиля OCAI") << QStringLiteral("Источник: ") + source
          << QStringLiteral("Респондентов (N): %1   Среднее: %2   Бутстреп: %3 выборок, зерно %4")
                 .arg(s.n)
                 .arg(meanKindCaption(s.kind))
                 .arg(s.resamples)
                 .arg(s.seed);
    // The consultant sees a small group; a client's document would hold it back.
    // The floor counts people: a code that answered twice is one.
    if (const QString mark = smallGroupMark(s.people); !mark.isEmpty())
        lines
            << QStringLiteral("Группа: %1 — в PDF-отчёт и книгу для клиента не попадёт.").arg(mark);
    lines << QString();

    lines << column(QStringLiteral("Тип"), 18) + column(QStringLiteral("Состояние"), 10) +
                 QStringLiteral("  Среднее  Ст. откл.     Мин.    Макс.   "
                                "95% интервал среднего");
    for (int type = 0; type < kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const ScoreStatistics &score = stateStatistics(s.types[std::size_t(type)], state);
            lines << column(state == 0 ? typeColumnLabel(type) : QString(), 18) +
                         column(stateCaption(state), 10) + number(score.mean, 9) +
                         (score.sd ? number(*score.sd, 11)
                                   : QStringLiteral("—").rightJustified(11)) +
                         number(score.min, 9) + number(score.max, 9) + QStringLiteral("   ") +
                         (score.ci95 ? number(score.ci95->low, 6) + QStringLiteral(" – ") +
                                           number(score.ci95->high, 6).trimmed()
                                     : QStringLiteral("—").rightJustified(6));
        }
    }

    if (s.kind == MeanKind::Geometric)
        lines << QStringLiteral("Среднее и интервал — композиционные; ст. откл., мин. и макс. — "
                                "по баллам респондентов.");

    lines << QString()
          << QStringLiteral("Расхождение: желаемое − текущее (* — не меньше %1 баллов по модулю)")
                 .arg(kDiscrepancyThreshold);
    for (int type = 0; type < kTypeCount; ++type) {
        const TypeStatistics &typeStats = s.types[std::size_t(type)];
        lines << column(typeColumnLabel(type), 18) + number(typeStats.discrepancy, 7, true) +
                     (typeStats.flagged ? QStringLiteral(" *") : QString());
    }

    lines << QString()
          << QStringLiteral("Доминирующий тип (наибольшее среднее) и отрыв от второго");
    for (int state = 0; state < 2; ++state) {
        const Dominance &dominance = state == 0 ? s.currentDominance : s.preferredDominance;
        lines << QStringLiteral("  ") + column(stateCaption(state) + QLatin1Char(':'), 11) +
                     dominanceText(dominance);
    }

    lines << QString()
          << QStringLiteral("Согласованность вопросов: текущее состояние по таблице средних")
          << column(QStringLiteral("Вопрос"), 42) + column(QStringLiteral("Доминирующий тип"), 19) +
                 QStringLiteral("Ср. абс. отклонение от профиля");
    for (int question = 0; question < kQuestionCount; ++question) {
        const QuestionCongruence &q = s.questions[std::size_t(question)];
        lines << column(QuestionTitles[std::size_t(question)], 42) +
                     column(typeLetters(q.dominant, QStringLiteral(", ")), 19) +
                     number(q.deviation, 30);
    }
    lines << QStringLiteral("Все шесть вопросов называют один доминирующий тип: ") +
                 (s.questionsAgree ? QStringLiteral("да") : QStringLiteral("нет"));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray statisticsCsv(const GroupStatistics &s)
{
    QStringList lines{QStringLiteral("key,value")};
    const auto add = [&lines](const QString &key, const QString &value) {
        lines << key + QLatin1Char(',') + value;
    };
    const auto flag = [](bool value) {
        return value ? QStringLiteral("true") : QStringLiteral("false");
    };
    add(QStringLiteral("n"), QString::number(s.n));
    add(QStringLiteral("mean"), meanKindName(s.kind));
    add(QStringLiteral("seed"), QString::number(s.seed));
    add(QStringLiteral("resamples"), QString::number(s.resamples));
    for (int type = 0; type < kTypeCount; ++type) {
        const TypeStatistics &typeStats = s.types[std::size_t(type)];
        const QString prefix = QStringLiteral("types.") + typeLetter(type) + QLatin1Char('.');
        for (int state = 0; state < 2; ++state) {
            const ScoreStatistics &score = stateStatistics(typeStats, state);
            const QString key = prefix + QLatin1String(kStateKeys[state]) + QLatin1Char('.');
            add(key + QStringLiteral("mean"), fullPrecision(score.mean));
            add(key + QStringLiteral("sd"), score.sd ? fullPrecision(*score.sd) : QString());
            add(key + QStringLiteral("min"), fullPrecision(score.min));
            add(key + QStringLiteral("max"), fullPrecision(score.max));
            add(key + QStringLiteral("ci95_low"),
                score.ci95 ? fullPrecision(score.ci95->low) : QString());
            add(key + QStringLiteral("ci95_high"),
                score.ci95 ? fullPrecision(score.ci95->high) : QString());
        }
        add(prefix + QStringLiteral("discrepancy"), fullPrecision(typeStats.discrepancy));
        add(prefix + QStringLiteral("flagged"), flag(typeStats.flagged));
    }
    for (int state = 0; state < 2; ++state) {
        const Dominance &dominance = state == 0 ? s.currentDominance : s.preferredDominance;
        const QString state_ = QLatin1String(kStateKeys[state]);
        add(QStringLiteral("dominant.") + state_,
            typeLetters(dominance.types, QStringLiteral(" ")));
        add(QStringLiteral("dominant_lead.") + state_,
            dominance.lead ? fullPrecision(*dominance.lead) : QString());
    }
    for (int question = 0; question < kQuestionCount; ++question) {
        const QuestionCongruence &q = s.questions[std::size_t(question)];
        const QString key = QStringLiteral("congruence.questions.%1.").arg(question + 1);
        add(key + QStringLiteral("dominant"), typeLetters(q.dominant, QStringLiteral(" ")));
        add(key + QStringLiteral("deviation"), fullPrecision(q.deviation));
    }
    add(QStringLiteral("congruence.agree"), flag(s.questionsAgree));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QJsonObject statisticsJson(const GroupStatistics &s)
{
    QJsonObject types;
    for (int type = 0; type < kTypeCount; ++type) {
        const TypeStatistics &typeStats = s.types[std::size_t(type)];
        QJsonObject entry;
        for (int state = 0; state < 2; ++state) {
            const ScoreStatistics &score = stateStatistics(typeStats, state);
            entry.insert(
                QLatin1String(kStateKeys[state]),
                QJsonObject{{QStringLiteral("mean"), score.mean.value()},
                            {QStringLiteral("sd"), optionalNumber(score.sd)},
                            {QStringLiteral("min"), score.min},
                            {QStringLiteral("max"), score.max},
                            {QStringLiteral("ci95"),
                             score.ci95 ? QJsonValue(QJsonArray{score.ci95->low, score.ci95->high})
                                        : QJsonValue(QJsonValue::Null)}});
        }
        entry.insert(QStringLiteral("discrepancy"), typeStats.discrepancy.value());
        entry.insert(QStringLiteral("flagged"), typeStats.flagged);
        types.insert(typeLetter(type), entry);
    }
    QJsonArray questions;
    for (const QuestionCongruence &q : s.questions)
        questions.append(QJsonObject{{QStringLiteral("dominant"), typeLetterArray(q.dominant)},
                                     {QStringLiteral("deviation"), q.deviation}});
    return QJsonObject{
        {QStringLiteral("n"), s.n},
        {QStringLiteral("mean"), meanKindName(s.kind)},
        {QStringLiteral("seed"), qint64(s.seed)},
        {QStringLiteral("resamples"), s.resamples},
        {QStringLiteral("types"), types},
        {QStringLiteral("dominant"),
         QJsonObject{{QStringLiteral("current"), typeLetterArray(s.currentDominance.types)},
                     {QStringLiteral("preferred"), typeLetterArray(s.preferredDominance.types)}}},
        {QStringLiteral("dominant_lead"),
         QJsonObject{{QStringLiteral("current"), optionalNumber(s.currentDominance.lead)},
                     {QStringLiteral("preferred"), optionalNumber(s.preferredDominance.lead)}}},
        {QStringLiteral("congruence"), QJsonObject{{QStringLiteral("questions"), questions},
                                                   {QStringLiteral("agree"), s.questionsAgree}}},
    };
}

} // namespace documents
