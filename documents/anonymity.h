#pragma once

#include "documents/export_data.h"
#include "survey/group_result.h"

#include <QString>
#include <QStringList>
#include <vector>

// The anonymity floor of what goes to a client (the PDF reports, the workbook, the desk's
// documents): no group smaller than the floor is shown, and none can be worked out from what
// is shown. The analysis views (the window, `stats`, `compare`, `summary`, the desk's tabs)
// keep showing small groups, marked with smallGroupMark().
namespace documents {

constexpr int kDefaultMinGroup = survey::kSmallGroup;
// The largest floor accepted from a user: beyond it no survey would show a group.
constexpr int kMaxMinGroup = 1000;

// A group a document would show, by its size.
struct GroupSize {
    QString name; // as the document names it
    int n = 0;    // respondents counted: people, not files
};

// A document's group by its name and its people (survey::GroupResult::people): a second
// questionnaire of one code cannot lift a group over the floor.
GroupSize groupSize(const QString &name, const ExportGroup &group);

// Whether a document with a total beside its groups may keep it: a total beside every group
// but one gives that one away by subtraction.
enum class TotalRule {
    NoTotal,      // the document shows no total (or each group on its own)
    HoldBackNext, // keep the total: the next smallest groups are held back too
    DropTotal,    // keep the groups: the total is not shown
};

struct HeldBack {
    int index = 0; // into the sizes given
    QString name;
    int n = 0;
    bool small = false; // below the floor itself; else held back so that a small one stays hidden
};

struct Disclosure {
    std::vector<bool> shown; // per group, in the order given
    std::vector<HeldBack> heldBack;
    bool totalShown = false; // always false with TotalRule::NoTotal
    int minGroup = kDefaultMinGroup;

    bool allShown() const { return heldBack.empty(); }
    bool anyShown() const;
};

// Which groups a client document may show. `ownRespondent`: the document is one respondent's
// own report of his one file, shown to him whatever the floor. Held-back groups come smallest
// first. With HoldBackNext, groups are held back, next smallest first, until those held back
// are at least two and together at least the floor; with DropTotal the total goes instead
// whenever anything is held back. `minGroup` below 1 counts as 1.
Disclosure disclose(const std::vector<GroupSize> &groups, int minGroup, TotalRule rule,
                    bool ownRespondent = false);

// «Группа «X» не показана: в ней 3 респондента, меньше 5 — …» for a small one, or the
// sentence for one held back so that a small one cannot be worked out from the total.
QString heldBackSentence(const HeldBack &group, int minGroup);

// The same for every held-back group of `disclosure`, one paragraph each; empty when none.
QStringList heldBackSentences(const Disclosure &disclosure);

// «меньше 5 респондентов», the mark of a small group in the analysis views; empty when `n` is
// at least the floor.
QString smallGroupMark(int n, int minGroup = kDefaultMinGroup);

// «N = 3, меньше 5 респондентов», or «N = 21».
// `people`, when given, is the floor's count (GroupResult::people) where codes repeat: the mark
// goes by it, N by the files.
QString groupSizeText(int n, int minGroup = kDefaultMinGroup, int people = -1);

} // namespace documents
