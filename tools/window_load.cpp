#include "window_load.h"

#include "core/number_format.h"
#include "group_source.h"
#include "result_file.h"
#include "unit_pc1.h"

namespace cli {

std::variant<WindowProfile, survey::GroupError> loadWindowProfile(const QString &path,
                                                                  survey::MeanKind mean)
{
    auto loaded = survey::loadFileOrGroup(path, survey::pc1KeyBytes(survey::Pc1KeyText));
    if (auto *error = std::get_if<survey::GroupError>(&loaded))
        return std::move(*error);
    survey::SurveyGroup &source = std::get<survey::SurveyGroup>(loaded);

    WindowProfile profile;
    profile.code = source.code;
    profile.info = source.info;
    profile.mean = mean;
    profile.group = std::move(source.group);
    profile.loadScores = survey::groupProfile(profile.group, mean);
    profile.separator = numfmt::localeDecimalSeparator();
    for (int k = 0; k < survey::kTypeCount; ++k) {
        profile.fields.current[std::size_t(k)] =
            survey::scoreFieldText(profile.loadScores[std::size_t(k)], profile.separator);
        profile.fields.preferred[std::size_t(k)] = survey::scoreFieldText(
            profile.loadScores[std::size_t(k + survey::kTypeCount)], profile.separator);
    }
    // The drawing routine itself reads the fields back; without a canvas it only parses.
    QImage noCanvas;
    if (!plots::drawPlotA(noCanvas, profile.fields, Qt::black, Qt::black, profile.separator,
                          profile.scores))
        return survey::GroupError{path, QStringLiteral("the scores do not read back as numbers")};
    return profile;
}

} // namespace cli
