// The anonymity floor: which groups a client document shows, and what it says of the others.
#include "documents/anonymity.h"

#include <gtest/gtest.h>

namespace {

using documents::TotalRule;

TEST(Anonymity, SmallGroupsAreHeldBackAndNoneCanBeWorkedOut)
{
    struct Case {
        std::vector<int> sizes;
        int floor;
        TotalRule rule;
        bool ownRespondent;
        std::vector<bool> shown;
        std::vector<int> heldBack; // the indices, in the order held back
        bool total;
    } cases[] = {
        {{3, 20, 25}, 5, TotalRule::NoTotal, false, {false, true, true}, {0}, false},
        // Beside a total the 3 would be total - 20 - 25: the 20 goes too, or the total does.
        {{3, 20, 25}, 5, TotalRule::HoldBackNext, false, {false, false, true}, {0, 1}, true},
        {{3, 20, 25}, 5, TotalRule::DropTotal, false, {false, true, true}, {0}, false},
        {{25, 3, 20}, 5, TotalRule::HoldBackNext, false, {true, false, false}, {1, 2}, true},
        // Two small ones held back together are still a small lot: the next goes too.
        {{1, 2, 20, 30},
         5,
         TotalRule::HoldBackNext,
         false,
         {false, false, false, true},
         {0, 1, 2},
         true},
        {{3, 4, 20}, 5, TotalRule::HoldBackNext, false, {false, false, true}, {0, 1}, true},
        // Ties: the first given goes first.
        {{3, 20, 20}, 5, TotalRule::HoldBackNext, false, {false, false, true}, {0, 1}, true},
        {{20, 25}, 5, TotalRule::HoldBackNext, false, {true, true}, {}, true},
        {{3}, 5, TotalRule::HoldBackNext, false, {false}, {0}, false},
        {{4, 5}, 5, TotalRule::NoTotal, false, {false, true}, {0}, false},
        {{9, 10}, 10, TotalRule::NoTotal, false, {false, true}, {0}, false},
        {{1, 2}, 1, TotalRule::HoldBackNext, false, {true, true}, {}, true},
        {{1, 2}, 0, TotalRule::HoldBackNext, false, {true, true}, {}, true},
        // A respondent's own report of his one file.
        {{1}, 5, TotalRule::NoTotal, true, {true}, {}, false},
        {{1}, 5, TotalRule::NoTotal, false, {false}, {0}, false},
    };
    for (const Case &c : cases) {
        std::vector<documents::GroupSize> groups;
        for (int n : c.sizes)
            groups.push_back({QStringLiteral("g%1").arg(groups.size()), n});
        const auto d = documents::disclose(groups, c.floor, c.rule, c.ownRespondent);
        const std::string label = ::testing::PrintToString(c.sizes) + " floor " +
                                  std::to_string(c.floor) + " rule " + std::to_string(int(c.rule));
        EXPECT_EQ(d.shown, c.shown) << label;
        std::vector<int> held;
        for (const documents::HeldBack &h : d.heldBack) {
            held.push_back(h.index);
            EXPECT_EQ(h.small, h.n < std::max(1, c.floor)) << label;
            EXPECT_EQ(h.name, groups[std::size_t(h.index)].name) << label;
        }
        EXPECT_EQ(held, c.heldBack) << label;
        EXPECT_EQ(d.totalShown, c.total) << label;
        EXPECT_EQ(d.allShown(), c.heldBack.empty()) << label;
    }
}

TEST(Anonymity, TheSentencesSayWhichGroupAndWhy)
{
    const QChar nbsp(0x00A0);
    const struct {
        documents::HeldBack group;
        int floor;
        QStringList words;
    } cases[] = {
        {{0, QStringLiteral("Бухгалтерия"), 3, true},
         5,
         {QStringLiteral("«Бухгалтерия» не показана"),
          QStringLiteral("в ней 3") + nbsp + QStringLiteral("респондента"),
          QStringLiteral("это меньше 5") + nbsp + QStringLiteral("респондентов")}},
        {{0, QStringLiteral("x"), 1, true},
         21,
         {QStringLiteral("в ней 1") + nbsp + QStringLiteral("респондент,"),
          QStringLiteral("меньше 21") + nbsp + QStringLiteral("респондента")}},
        {{0, QStringLiteral("x"), 11, true},
         12,
         {QStringLiteral("в ней 11") + nbsp + QStringLiteral("респондентов")}},
        {{1, QStringLiteral("ИТ"), 20, false},
         5,
         {QStringLiteral("«ИТ» (20") + nbsp + QStringLiteral("респондентов) не показана"),
          QStringLiteral("общего итога")}},
    };
    for (const auto &c : cases) {
        const QString sentence = documents::heldBackSentence(c.group, c.floor);
        for (const QString &words : c.words)
            EXPECT_TRUE(sentence.contains(words)) << sentence.toStdString();
    }
    EXPECT_EQ(documents::smallGroupMark(4),
              QStringLiteral("меньше 5") + nbsp + QStringLiteral("респондентов"));
    EXPECT_EQ(documents::smallGroupMark(5), QString());
    EXPECT_EQ(documents::groupSizeText(3),
              QStringLiteral("N = 3, меньше 5") + nbsp + QStringLiteral("респондентов"));
    EXPECT_EQ(documents::groupSizeText(5), QStringLiteral("N = 5"));
}

// A second questionnaire of a code lifts no group over the floor: the floor counts people.
TEST(Anonymity, TheFloorCountsPeopleNotFiles)
{
    const auto group = [](const QStringList &codes) {
        survey::GroupBuilder builder;
        for (const QString &code : codes)
            builder.add(survey::AnswerTable{}, code + QStringLiteral("OCAI.cry"), code);
        documents::ExportGroup g;
        g.result = builder.take();
        return g;
    };
    const documents::ExportGroup repeated =
        group({"a1", "a2", "a3", "a4", "A4"}); // "A4" is "a4" answering again
    const documents::ExportGroup five = group({"a1", "a2", "a3", "a4", "a5"});
    EXPECT_EQ(repeated.result.n, 5);
    EXPECT_EQ(repeated.result.people(), 4);
    EXPECT_EQ(five.result.people(), 5);
    const documents::Disclosure d =
        documents::disclose({documents::groupSize(QStringLiteral("Склад"), repeated),
                             documents::groupSize(QStringLiteral("ИТ"), five)},
                            5, TotalRule::NoTotal);
    EXPECT_EQ(d.shown, (std::vector<bool>{false, true}));
    ASSERT_EQ(d.heldBack.size(), 1u);
    EXPECT_EQ(d.heldBack[0].n, 4);
    EXPECT_EQ(documents::groupSizeText(5, 5, repeated.result.people()),
              QStringLiteral("N = 5, ") + documents::smallGroupMark(4));
}

} // namespace
