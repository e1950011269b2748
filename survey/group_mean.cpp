#include "survey/group_mean.h"

#include <cmath>

namespace survey {

std::optional<MeanKind> meanKindFromName(const QString &name)
{
    if (name == QLatin1String("arithmetic"))
        return MeanKind::Arithmetic;
    if (name == QLatin1String("geometric"))
        return MeanKind::Geometric;
    return std::nullopt;
}

QString meanKindName(MeanKind kind)
{
    return kind == MeanKind::Geometric ? QStringLiteral("geometric") : QStringLiteral("arithmetic");
}

QString meanKindCaption(MeanKind kind)
{
    return kind == MeanKind::Geometric ? QStringLiteral("геометрическое (композиционное)")
                                       : QStringLiteral("арифметическое");
}

ProfileScores scaledScores(const ProfileScores &scores, MeanKind kind)
{
    if (kind == MeanKind::Arithmetic)
        return scores;
    ProfileScores logs{};
    for (int state = 0; state < 2; ++state) {
        double sum = 0;
        for (int type = 0; type < kTypeCount; ++type) {
            const std::size_t k = scoreIndex(state, type);
            logs[k] = std::log(scores[k] > 0 ? scores[k] : kGeometricZeroScore);
            sum += logs[k];
        }
        for (int type = 0; type < kTypeCount; ++type)
            logs[scoreIndex(state, type)] -= sum / kTypeCount;
    }
    return logs;
}

ProfileScores profileFromScaleMeans(const ProfileScores &scaleMeans, MeanKind kind)
{
    if (kind == MeanKind::Arithmetic)
        return scaleMeans;
    ProfileScores profile{};
    for (int state = 0; state < 2; ++state) {
        double sum = 0;
        for (int type = 0; type < kTypeCount; ++type) {
            const std::size_t k = scoreIndex(state, type);
            profile[k] = std::exp(scaleMeans[k]);
            sum += profile[k];
        }
        for (int type = 0; type < kTypeCount; ++type)
            profile[scoreIndex(state, type)] *= 100 / sum;
    }
    return profile;
}

ProfileScores meanProfile(const std::vector<ProfileScores> &respondents, MeanKind kind)
{
    if (respondents.empty())
        return {};
    ProfileScores sums{};
    for (const ProfileScores &scores : respondents) {
        const ProfileScores scaled = scaledScores(scores, kind);
        for (std::size_t k = 0; k < sums.size(); ++k)
            sums[k] += scaled[k];
    }
    for (double &sum : sums)
        sum /= double(respondents.size());
    return profileFromScaleMeans(sums, kind);
}

ProfileMeans groupMeans(const GroupResult &group, MeanKind kind)
{
    ProfileMeans means;
    const ProfileScores geometric =
        kind == MeanKind::Geometric ? meanProfile(group.respondents, kind) : ProfileScores{};
    for (std::size_t k = 0; k < means.size(); ++k)
        means[k] = kind == MeanKind::Arithmetic && group.n > 0
                       ? Mean::fraction(group.points[k], qint64(kQuestionCount) * group.n)
                       : Mean(geometric[k]);
    return means;
}

ProfileScores groupProfile(const GroupResult &group, MeanKind kind)
{
    return kind == MeanKind::Arithmetic ? group.scores : meanProfile(group.respondents, kind);
}

} // namespace survey
