#include "documents/report_claims.h"

#include "survey/exact_mean.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

bool overlap(const survey::Interval &a, const survey::Interval &b)
{
    return a.low <= b.high && b.low <= a.high;
}

const std::optional<survey::Interval> &intervalOf(const survey::GroupStatistics &s, int type,
                                                  int state)
{
    const survey::TypeStatistics &t = s.types[std::size_t(type)];
    return state == 0 ? t.current.ci95 : t.preferred.ci95;
}

} // namespace

Claim claimFor(double difference, bool significant)
{
    const bool large = std::fabs(std::round(difference * 100) / 100) >= 10;
    if (large)
        return significant ? Claim::Notable : Claim::LargeButUncertain;
    return significant ? Claim::SmallButSignificant : Claim::NotSignificant;
}

Claim claimFor(const survey::Mean &difference, bool significant)
{
    if (survey::reachesDiscrepancyThreshold(difference))
        return significant ? Claim::Notable : Claim::LargeButUncertain;
    return significant ? Claim::SmallButSignificant : Claim::NotSignificant;
}

bool changeSignificant(const survey::TypeStatistics &type)
{
    return type.current.ci95 && type.preferred.ci95 &&
           !overlap(*type.current.ci95, *type.preferred.ci95);
}

std::vector<int> leadingTypes(const survey::GroupStatistics &s, int state)
{
    const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
    std::vector<int> types = d.types;
    const auto &first = intervalOf(s, d.types.front(), state);
    if (!first)
        return types;
    std::vector<int> others;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const auto &interval = intervalOf(s, type, state);
        if (std::find(types.begin(), types.end(), type) == types.end() && interval &&
            overlap(*first, *interval))
            others.push_back(type);
    }
    std::stable_sort(others.begin(), others.end(), [&](int a, int b) {
        const survey::TypeStatistics &ta = s.types[std::size_t(a)], &tb = s.types[std::size_t(b)];
        return (state == 0 ? ta.current : ta.preferred).mean.value() >
               (state == 0 ? tb.current : tb.preferred).mean.value();
    });
    types.insert(types.end(), others.begin(), others.end());
    return types;
}

bool sharesLead(const survey::GroupStatistics &s, int state)
{
    return leadingTypes(s, state).size() > 1;
}

QString wholePoints(const survey::Mean &value, bool sign)
{
    return survey::formatMean(value, 0, QLatin1Char(','), sign)
        .replace(QLatin1Char('-'), QChar(0x2212));
}

QString pointsWord(const QString &points)
{
    const QString digits = points.right(2);
    const int n = digits.right(1).toInt();
    if (digits.size() == 2 && digits.at(0) == QLatin1Char('1') && digits.at(1).isDigit())
        return QStringLiteral("баллов");
    if (n == 1)
        return QStringLiteral("балл");
    if (n >= 2 && n <= 4)
        return QStringLiteral("балла");
    return QStringLiteral("баллов");
}

QString claimWords(Claim claim, bool single)
{
    switch (claim) {
    case Claim::Notable:
        return QStringLiteral("заметное изменение");
    case Claim::LargeButUncertain:
        return single ? QStringLiteral("заметное изменение")
                      : QStringLiteral("не меньше 10 баллов, но при таком разбросе ответов "
                                       "оно может быть случайным");
    case Claim::SmallButSignificant:
        return QStringLiteral("изменение устойчивое, но небольшое");
    case Claim::NotSignificant:
        break;
    }
    return QStringLiteral("небольшое изменение");
}

} // namespace report
