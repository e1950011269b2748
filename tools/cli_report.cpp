// ocai-cli report: the text report "Save Data" writes after loading a FILE or DIR.
#include "documents/profile_pictures.h"
#include "documents/text_report.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDate>
#include <QDir>
#include <QLocale>

namespace cli {

int runReport(const ParsedArgs &args)
{
    const QString path = args.operands[0];
    const auto loaded = documents::windowProfile(loadGroupArgument(path));
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const documents::WindowProfile &profile = std::get<documents::WindowProfile>(loaded);
    // The window saves nothing, silently, when every point is 0; here the user learns why.
    if (!survey::answersPresent(profile.group.means))
        return dataError(QStringLiteral("report: %1 holds no answers (every point is 0); "
                                        "nothing is written")
                             .arg(QDir::toNativeSeparators(path)));

    documents::ReportInput input;
    input.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    input.code = profile.code;
    input.info = profile.info;
    input.scores = profile.scores;
    input.answers = profile.group.means;
    if (const auto error = writeOutputFile(args.value("out"), documents::reportText(input)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
