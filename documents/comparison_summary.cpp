#include "documents/comparison_summary.h"

#include "documents/change_agenda.h"

#include <QStringList>
#include <cmath>

namespace report {

namespace {

constexpr double kSignificance = 0.05;

// "1 балл", "3 балла", "14 баллов".
QString points(long count)
{
    const QString number = QString::number(count);
    return number + QChar(0x00A0) + pointsWord(number);
}

// "адхократическая культура (B), текущее состояние: на 10 баллов больше (большой эффект)"
QString differenceWords(const survey::ScoreComparison &score, int type, int state)
{
    const double value = score.difference.value();
    const long whole = std::lround(std::abs(value));
    QString text = QStringLiteral("%1, %2 состояние: ")
                       .arg(typesWords({type}),
                            state == 0 ? QStringLiteral("текущее") : QStringLiteral("желаемое"));
    const QString side = value > 0 ? QStringLiteral("больше") : QStringLiteral("меньше");
    // 9,78 rounds to 10 but is not a change of 10 points: its words must not say ten.
    const Claim claim = comparisonClaim(score);
    const bool belowTen = claim == Claim::SmallButSignificant || claim == Claim::NotSignificant;
    if (whole == 0)
        text += QStringLiteral("меньше балла");
    else if (belowTen && whole >= documents::kNotableChange)
        text += QStringLiteral("почти на %1 %2").arg(points(whole), side);
    else
        text += QStringLiteral("на %1 %2").arg(points(whole), side);
    if (score.hedgesG)
        text += QStringLiteral(" (%1 эффект)").arg(effectWords(*score.hedgesG));
    return text;
}

} // namespace

bool significant(const survey::ScoreComparison &score)
{
    return score.permutationP < kSignificance && (!score.welch || score.welch->p < kSignificance);
}

Claim comparisonClaim(const survey::ScoreComparison &score)
{
    return claimFor(score.difference, significant(score));
}

QString claimCell(Claim claim)
{
    switch (claim) {
    case Claim::Notable:
        return QStringLiteral("заметная");
    case Claim::SmallButSignificant:
        return QStringLiteral("небольшая");
    case Claim::LargeButUncertain:
        return QStringLiteral("не доказана");
    case Claim::NotSignificant:
        break;
    }
    return QStringLiteral("нет");
}

QString effectWords(double g)
{
    switch (survey::effectSize(g)) {
    case survey::EffectSize::Large:
        return QStringLiteral("большой");
    case survey::EffectSize::Medium:
        return QStringLiteral("средний");
    case survey::EffectSize::Small:
        return QStringLiteral("малый");
    case survey::EffectSize::Negligible:
        break;
    }
    return QStringLiteral("пренебрежимо малый");
}

QString comparisonSummary(const survey::GroupComparison &c, const Subject &a, const Subject &b)
{
    QStringList byClaim[4];
    for (int type = 0; type < survey::kTypeCount; ++type)
        for (int state = 0; state < 2; ++state) {
            const survey::ScoreComparison &score = c.scores[survey::scoreIndex(state, type)];
            byClaim[int(comparisonClaim(score))] << differenceWords(score, type, state);
        }
    const QString separator = QStringLiteral("; ");
    QStringList sentences;
    if (!byClaim[int(Claim::Notable)].isEmpty())
        sentences << QStringLiteral("Заметно различаются (не меньше 10 баллов и не случайно): "
                                    "%1.")
                         .arg(byClaim[int(Claim::Notable)].join(separator));
    if (!byClaim[int(Claim::SmallButSignificant)].isEmpty())
        sentences << QStringLiteral("Различия не случайны, но невелики (меньше 10 баллов): %1.")
                         .arg(byClaim[int(Claim::SmallButSignificant)].join(separator));
    if (!byClaim[int(Claim::LargeButUncertain)].isEmpty())
        sentences << QStringLiteral("Велики, но могут быть случайными — на них не стоит "
                                    "опираться без новых данных: %1.")
                         .arg(byClaim[int(Claim::LargeButUncertain)].join(separator));
    if (!sentences.isEmpty())
        sentences.prepend(QStringLiteral("Оценки %1 в сравнении с оценками %2.")
                              .arg(named(b, Case::Genitive), named(a, Case::Genitive)));
    if (sentences.isEmpty())
        return QStringLiteral("Заметных различий между %1 и %2 нет: ни одна из восьми оценок "
                              "не различается так, чтобы это нельзя было объяснить случаем.")
            .arg(named(a, Case::Instrumental), named(b, Case::Instrumental));
    return sentences.join(QLatin1Char(' '));
}

} // namespace report
