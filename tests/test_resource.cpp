#include "survey/resource.h"

#include "core/text_codec.h"

#include <gtest/gtest.h>

using namespace survey;

namespace {

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Every character has a Windows-1251 byte and survives the trip through it unchanged.
void expectWindows1251(const QString &text)
{
    EXPECT_TRUE(textcodec::isWindows1251(text)) << text.toStdString();
    EXPECT_EQ(textcodec::fromWindows1251(textcodec::toWindows1251(text)), text);
}

} // namespace

TEST(Resource, FixedLabelsTitlesAndNames)
{
    const std::array<QString, 4> letters = {"[A]", "[B]", "[C]", "[D]"};
    EXPECT_EQ(TypeLetters, letters);

    const std::array<QString, 6> titles = {
        QStringLiteral("1. Важнейшие характеристики"),
        QStringLiteral("2. Общий стиль лидерства в организации"),
        QStringLiteral("3. Управление наемными работниками"),
        QStringLiteral("4. Связующая сущность организации"),
        QStringLiteral("5. Стратегические цели"),
        QStringLiteral("6. Критерии успеха"),
    };
    EXPECT_EQ(QuestionTitles, titles);

    const std::array<QString, 4> names = {
        QStringLiteral("Клановая культура"),
        QStringLiteral("Адхократическая культура"),
        QStringLiteral("Рыночная культура"),
        QStringLiteral("Иерархическая культура"),
    };
    EXPECT_EQ(TypeNames, names);

    for (const QString &text : TypeLetters)
        expectWindows1251(text);
    for (const QString &text : QuestionTitles)
        expectWindows1251(text);
    for (const QString &text : TypeNames)
        expectWindows1251(text);
}

TEST(Resource, AlternativesFollowTheirLayout)
{
    for (int e = 0; e < kAlternativeCount; ++e) {
        SCOPED_TRACE(e);
        const QString &text = AlternativeTexts[e];
        // Latin letter of the alternative's type, in A..D order within each question.
        const QString prefix = QLatin1Char(char('A' + e % kTypeCount)) + QLatin1String(". ");
        EXPECT_TRUE(text.startsWith(prefix)) << text.toStdString();
        EXPECT_GE(text.size(), 108);
        EXPECT_LE(text.size(), 156);
        EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
        EXPECT_FALSE(hasLineBreak(text));
        EXPECT_FALSE(text.contains(QLatin1String("  ")));
        expectWindows1251(text);
    }
    // No two alternatives alike.
    for (int e = 0; e < kAlternativeCount; ++e)
        for (int f = e + 1; f < kAlternativeCount; ++f)
            EXPECT_NE(AlternativeTexts[e], AlternativeTexts[f]) << e << " " << f;
}

TEST(Resource, DescriptionFragmentsJoinIntoOneText)
{
    const std::array<int, kTypeCount> joinedLengths = {579, 604, 658, 682};
    for (int t = 1; t <= kTypeCount; ++t) {
        SCOPED_TRACE(t);
        const int first = kDescriptionFragments * (t - 1);
        const QString &head = TypeDescriptions[first];
        const QString &middle = TypeDescriptions[first + 1];
        const QString &tail = TypeDescriptions[first + 2];

        for (const QString *fragment : {&head, &middle, &tail}) {
            EXPECT_LE(fragment->size(), 251);
            expectWindows1251(*fragment);
        }

        const QString nameLine = TypeNames[t - 1] + QLatin1String("\r\n");
        ASSERT_TRUE(head.startsWith(nameLine)) << head.toStdString();
        EXPECT_FALSE(hasLineBreak(head.mid(nameLine.size())));
        EXPECT_FALSE(hasLineBreak(middle));
        EXPECT_FALSE(hasLineBreak(tail));

        // Cuts fall after exactly one blank, so concatenation reads on without gaps or doubles.
        EXPECT_TRUE(head.endsWith(QLatin1Char(' ')) && !head.endsWith(QLatin1String("  ")));
        EXPECT_TRUE(middle.endsWith(QLatin1Char(' ')) && !middle.endsWith(QLatin1String("  ")));
        EXPECT_FALSE(middle.startsWith(QLatin1Char(' ')));
        EXPECT_FALSE(tail.startsWith(QLatin1Char(' ')));
        EXPECT_TRUE(tail.endsWith(QLatin1Char('.')));

        const QString joined = typeDescription(t);
        EXPECT_EQ(joined, head + middle + tail);
        EXPECT_EQ(joined.size(), joinedLengths[t - 1]);
        EXPECT_FALSE(joined.contains(QLatin1String("  ")));
    }
}

TEST(Resource, MarketDescriptionIsEntriesSixToEight)
{
    const QString text = typeDescription(3);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Рыночная культура\r\n")));
    EXPECT_EQ(text, TypeDescriptions[6] + TypeDescriptions[7] + TypeDescriptions[8]);
}

TEST(Resource, DescriptionOfUnknownTypeIsEmpty)
{
    EXPECT_TRUE(typeDescription(0).isEmpty());
    EXPECT_TRUE(typeDescription(5).isEmpty());
    EXPECT_TRUE(typeDescription(-1).isEmpty());
}

TEST(ProfileModel, PresenceTestsLookOnlyAtTheirValues)
{
    survey::AnswerTable answers{};
    EXPECT_FALSE(survey::answersPresent(answers));
    answers[5][survey::kTimeColumn] = 90; // times are not answers
    EXPECT_FALSE(survey::answersPresent(answers));
    answers[11][3] = -0.0; // negative zero is still zero
    EXPECT_FALSE(survey::answersPresent(answers));
    answers[11][3] = 1e-300;
    EXPECT_TRUE(survey::answersPresent(answers));

    survey::ProfileScores scores{};
    EXPECT_FALSE(survey::scoresPresent(scores));
    scores[7] = -0.5;
    EXPECT_TRUE(survey::scoresPresent(scores));
}
