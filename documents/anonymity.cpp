#include "documents/anonymity.h"

#include <algorithm>
#include <numeric>

namespace documents {
namespace {

// «1 респондент», «3 респондента», «5 респондентов».
QString respondents(int n)
{
    const int last = n % 10, lastTwo = n % 100;
    const char *form = lastTwo >= 11 && lastTwo <= 14 ? "респондентов"
                       : last == 1                    ? "респондент"
                       : last >= 2 && last <= 4       ? "респондента"
                                                      : "респондентов";
    return QStringLiteral("%1\u00A0%2").arg(n).arg(QString::fromUtf8(form));
}

} // namespace

GroupSize groupSize(const QString &name, const ExportGroup &group)
{
    return {name, group.result.people()};
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
    if (ownRespondent) {
        d.totalShown = rule != TotalRule::NoTotal;
        return d;
    }
    std::vector<int> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&groups](int a, int b) { return groups[a].n < groups[b].n; });
    long long heldTotal = 0;
    const auto holdBack = [&](int index, bool small) {
        d.shown[std::size_t(index)] = false;
        d.heldBack.push_back(
            {index, groups[std::size_t(index)].name, groups[std::size_t(index)].n, small});
        heldTotal += groups[std::size_t(index)].n;
    };
    for (int index : order)
        if (groups[std::size_t(index)].n < d.minGroup)
            holdBack(index, true);
    if (rule == TotalRule::NoTotal)
        return d;
    // Beside the total, those held back are known together: never one alone nor a small lot.
    const auto safe = [&] {
        return d.heldBack.empty() || (d.heldBack.size() >= 2 && heldTotal >= d.minGroup);
    };
    if (rule == TotalRule::HoldBackNext)
        for (int index : order)
            if (!safe() && d.shown[std::size_t(index)])
                holdBack(index, false);
    d.totalShown = safe();
    return d;
}

QString heldBackSentence(const HeldBack &group, int minGroup)
{
    const QString name = QStringLiteral("«%1»").arg(group.name);
    if (group.small)
        return QStringLiteral("Группа %1 не показана: в ней %2, это %3; по оценкам такой малой "
                              "группы можно узнать ответы отдельных людей.")
            .arg(name, respondents(group.n), survey::smallGroupMark(0, std::max(1, minGroup)));
    return QStringLiteral("Группа %1 (%2) не показана, чтобы оценки меньшей группы нельзя было "
                          "вычислить из общего итога и остальных групп.")
        .arg(name, respondents(group.n));
}

QStringList heldBackSentences(const Disclosure &disclosure)
{
    QStringList sentences;
    for (const HeldBack &group : disclosure.heldBack)
        sentences << heldBackSentence(group, disclosure.minGroup);
    return sentences;
}

QString groupSizeText(int n, int minGroup, int people)
{
    const QString mark = smallGroupMark(people < 0 ? n : people, minGroup);
    return QStringLiteral("N = %1").arg(n) +
           (mark.isEmpty() ? QString() : QStringLiteral(", ") + mark);
}

QString smallGroupMark(int n, int minGroup)
{
    return survey::smallGroupMark(n, minGroup);
}

} // namespace documents
