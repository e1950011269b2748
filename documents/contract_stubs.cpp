// LEAD: delete this file at merge. Stand-ins for the change agenda, the honest-claims rule and
// the anonymity floor, whose real definitions live on their owners' branches; only what the
// organisation report and the comparison call, kept to the headers' stated behaviour.
#include "documents/anonymity.h"
#include "documents/change_agenda.h"
#include "documents/report_claims.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

double printed(double value)
{
    return std::round(value * 100) / 100;
}

} // namespace

namespace documents {

std::array<TypeAgenda, 4> changeAgenda(const std::array<double, 4> &discrepancies,
                                       const std::vector<survey::ProfileScores> &respondents)
{
    std::array<TypeAgenda, 4> agenda;
    for (int type = 0; type < 4; ++type) {
        TypeAgenda &t = agenda[std::size_t(type)];
        t.type = type;
        t.change = discrepancies[std::size_t(type)];
        const double size = printed(t.change);
        t.direction = size >= kNotableChange    ? Direction::More
                      : size <= -kNotableChange ? Direction::Less
                                                : Direction::Keep;
        for (const survey::ProfileScores &scores : respondents) {
            const double own =
                printed(scores[survey::scoreIndex(1, type)] - scores[survey::scoreIndex(0, type)]);
            t.wantMore += own >= kNotableChange;
            t.wantLess += own <= -kNotableChange;
        }
    }
    return agenda;
}

std::array<TypeAgenda, 4> changeAgenda(const survey::GroupResult &group)
{
    std::array<double, 4> discrepancies{};
    for (int type = 0; type < 4; ++type)
        discrepancies[std::size_t(type)] =
            group.scores[survey::scoreIndex(1, type)] - group.scores[survey::scoreIndex(0, type)];
    return changeAgenda(discrepancies, group.respondents);
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
    std::vector<int> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return groups[x].n < groups[y].n; });
    int heldCount = 0, heldSum = 0;
    for (int i : order) {
        const bool small = groups[i].n < d.minGroup;
        const bool more = rule == TotalRule::HoldBackNext && heldCount > 0 &&
                          (heldCount < 2 || heldSum < d.minGroup);
        if (!small && !more)
            break;
        d.shown[i] = false;
        d.heldBack.push_back({i, groups[i].name, groups[i].n, small});
        ++heldCount;
        heldSum += groups[i].n;
    }
    if (rule == TotalRule::DropTotal && !d.heldBack.empty())
        d.totalShown = false;
    return d;
}

QString heldBackSentence(const HeldBack &group, int minGroup)
{
    if (group.small)
        return QStringLiteral("Группа «%1» не показана: в ней меньше %2 респондентов, и её "
                              "ответы можно было бы узнать.")
            .arg(group.name)
            .arg(minGroup);
    return QStringLiteral("Группа «%1» не показана, чтобы меньшую группу нельзя было вычислить "
                          "из общего итога.")
        .arg(group.name);
}

QStringList heldBackSentences(const Disclosure &disclosure)
{
    QStringList sentences;
    for (const HeldBack &group : disclosure.heldBack)
        sentences << heldBackSentence(group, disclosure.minGroup);
    return sentences;
}

} // namespace documents

namespace report {

Claim claimFor(double difference, bool significant)
{
    const bool large = std::abs(printed(difference)) >= documents::kNotableChange;
    return large ? (significant ? Claim::Notable : Claim::LargeButUncertain)
                 : (significant ? Claim::SmallButSignificant : Claim::NotSignificant);
}

QString wholePoints(double difference)
{
    const long points = std::lround(difference);
    if (points == 0)
        return QStringLiteral("0");
    return (points > 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) +
           QString::number(std::labs(points));
}

QString claimWords(Claim claim)
{
    switch (claim) {
    case Claim::Notable:
        return QStringLiteral(" — заметная разница");
    case Claim::SmallButSignificant:
        return QStringLiteral(" — значимая, но небольшая разница");
    case Claim::LargeButUncertain:
        return QStringLiteral(" — большая, но может быть случайной");
    case Claim::NotSignificant:
        break;
    }
    return QStringLiteral(" — в пределах случайного");
}

} // namespace report
