// Which files of a group share a respondent code: the one rule of the desk's marks, check, the
// anonymity floor and the page's question.
#include "survey/respondent_codes.h"

#include <gtest/gtest.h>

namespace {

struct RepeatCase {
    const char *what;
    QStringList names;
    QStringList codes;
    std::vector<std::pair<int, int>> repeats; // (file, first)
    int people;
};

void PrintTo(const RepeatCase &c, std::ostream *os)
{
    *os << c.what;
}

class RespondentCodes : public testing::TestWithParam<RepeatCase> {};

TEST_P(RespondentCodes, RepeatsAndPeople)
{
    const RepeatCase &c = GetParam();
    std::vector<std::pair<int, int>> found;
    for (const survey::CodeRepeat &repeat : survey::codeRepeats(c.names, c.codes))
        found.emplace_back(repeat.file, repeat.first);
    EXPECT_EQ(found, c.repeats);
    EXPECT_EQ(survey::distinctRespondents(c.codes), c.people);
}

// The group's order is the names' bytes: "I4-2OCAI.cry" comes before "I4OCAI.cry", yet the first
// is the file the writers named first.
const RepeatCase kRepeatCases[] = {
    {"distinct codes", {"AOCAI.cry", "BOCAI.cry"}, {"A", "B"}, {}, 2},
    {"second copy listed first", {"I4-2OCAI.cry", "I4OCAI.cry"}, {"I4", "I4"}, {{0, 1}}, 1},
    {"three copies",
     {"I4-10OCAI.cry", "I4-2OCAI.cry", "I4OCAI.cry"},
     {"I4", "I4", "I4"},
     {{0, 2}, {1, 2}},
     1},
    {"letter case and spaces", {"i4OCAI.cry", "I4-2OCAI.cry"}, {"i4", " I4 "}, {{1, 0}}, 1},
    {"a code that looks like a copy is another code",
     {"I4-2OCAI.cry", "I4-2-2OCAI.cry"},
     {"I4-2", "I4-2"},
     {{1, 0}},
     1},
    {"I4-2 the code is not I4's copy", {"I4-2OCAI.cry", "I4OCAI.cry"}, {"I4-2", "I4"}, {}, 2},
    {"renamed by hand comes after the writer's names",
     {"copy of I4OCAI.cry", "I4-3OCAI.cry"},
     {"I4", "I4"},
     {{0, 1}},
     1},
    {"names no writer gives keep their order", {"xOCAI.cry", "yOCAI.cry"}, {"K", "K"}, {{1, 0}}, 1},
    {"not the writer's number form", {"K-02OCAI.cry", "K-3OCAI.cry"}, {"K", "K"}, {{0, 1}}, 1},
    {"files without a code are each a person", {"aOCAI.cry", "bOCAI.cry"}, {"", "  "}, {}, 2},
    {"two pairs",
     {"AOCAI.cry", "BOCAI.cry", "A-2OCAI.cry", "B-2OCAI.cry", "COCAI.cry"},
     {"A", "B", "A", "B", "C"},
     {{2, 0}, {3, 1}},
     3},
};

INSTANTIATE_TEST_SUITE_P(Rule, RespondentCodes, testing::ValuesIn(kRepeatCases));

TEST(RespondentCodesAnswered, ByTheSameRule)
{
    const QStringList codes{QStringLiteral("I4"), QStringLiteral("Иванов_1")};
    EXPECT_TRUE(survey::codeAnswered(codes, QStringLiteral("i4")));
    EXPECT_TRUE(survey::codeAnswered(codes, QStringLiteral("ИВАНОВ_1")));
    EXPECT_FALSE(survey::codeAnswered(codes, QStringLiteral("I4-2")));
    EXPECT_FALSE(survey::codeAnswered(codes, QString()));
    EXPECT_FALSE(survey::codeAnswered({QString()}, QString()));
}

} // namespace
