// LEAD: delete this file at merge. Stand-ins for the change agenda, the honest-claims rule and
// the anonymity floor, whose real definitions live on their owners' branches; only what the
// organisation report and the comparison call, kept to the headers' stated behaviour.
#include "documents/anonymity.h"
#include "documents/change_agenda.h"
#include "documents/report_claims.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

double printed(double value)
{
    return std::round(value * 100) / 100;
}

} // namespace

namespace documents {

std::array<TypeAgenda, 4> changeAgenda(const survey::GroupStatistics &statistics,
                                       const std::vector<survey::ProfileScores> &respondents)
{
    std::array<TypeAgenda, 4> agenda;
    for (int type = 0; type < 4; ++type) {
        const survey::TypeStatistics &s = statistics.types[std::size_t(type)];
        TypeAgenda &t = agenda[std::size_t(type)];
        t.type = type;
        t.change = s.discrepancy.value();
        t.direction = !s.flagged     ? Direction::Keep
                      : t.change > 0 ? Direction::More
                                     : Direction::Less;
        for (const survey::ProfileScores &scores : respondents) {
            const double own =
                printed(scores[survey::scoreIndex(1, type)] - scores[survey::scoreIndex(0, type)]);
            t.wantMore += own >= kNotableChange;
            t.wantLess += own <= -kNotableChange;
        }
    }
    return agenda;
}

QString directionLabel(Direction direction)
{
    switch (direction) {
    case Direction::More:
        return QStringLiteral("Больше");
    case Direction::Less:
        return QStringLiteral("Меньше");
    case Direction::Keep:
        break;
    }
    return QStringLiteral("Сохранить");
}

bool Disclosure::anyShown() const
{
    return std::find(shown.begin(), shown.end(), true) != shown.end();
}

Disclosure disclose(const std::vector<GroupSize> &groups, int minGroup, TotalRule rule,
                    bool ownRespondent)
{
    Disclosure d;
    d.minGroup = std::max(1, minGroup);
    d.shown.assign(groups.size(), true);
    d.totalShown = rule != TotalRule::NoTotal;
    if (ownRespondent)
        return d;
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (groups[i].n < d.minGroup) {
            d.shown[i] = false;
            d.heldBack.push_back({int(i), groups[i].name, groups[i].n, true});
        }
    return d;
}

QStringList heldBackSentences(const Disclosure &disclosure)
{
    QStringList sentences;
    for (const HeldBack &group : disclosure.heldBack)
        sentences << QStringLiteral("Группа «%1» не показана: в ней меньше %2 респондентов.")
                         .arg(group.name)
                         .arg(disclosure.minGroup);
    return sentences;
}

} // namespace documents

namespace report {

Claim claimFor(const survey::Mean &difference, bool significant)
{
    const bool large = std::abs(printed(difference.value())) >= documents::kNotableChange;
    return large ? (significant ? Claim::Notable : Claim::LargeButUncertain)
                 : (significant ? Claim::SmallButSignificant : Claim::NotSignificant);
}

QString wholePoints(const survey::Mean &value, bool sign)
{
    const long points = std::lround(value.value());
    if (points == 0)
        return QStringLiteral("0");
    const QString size = QString::number(std::labs(points));
    if (points < 0)
        return QStringLiteral("\u2212") + size;
    return sign ? QStringLiteral("+") + size : size;
}

QString pointsWord(const QString &points)
{
    const int count = points.right(2).toInt();
    const int last = count % 10;
    return count >= 11 && count <= 14 ? QStringLiteral("баллов")
           : last == 1                ? QStringLiteral("балл")
           : last >= 2 && last <= 4   ? QStringLiteral("балла")
                                      : QStringLiteral("баллов");
}

} // namespace report
