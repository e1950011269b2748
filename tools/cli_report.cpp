// ocai-cli report: the text report "Save Data" writes after loading a FILE or DIR.
#include "documents/group_documents.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>

namespace cli {

int runReport(const ParsedArgs &args)
{
    const QString path = args.operands[0];
    auto loaded = loadGroupArgument(path);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    survey::LoadedProfile &profile = std::get<survey::LoadedProfile>(loaded);
    // The window saves nothing, silently, when every point is 0; here the user learns why.
    if (!survey::answersPresent(profile.group.means))
        return dataError(QStringLiteral("report: в %1 нет ответов (все баллы равны 0); "
                                        "ничего не записано")
                             .arg(QDir::toNativeSeparators(path)));
    documents::ExportGroup group;
    group.name = QDir::toNativeSeparators(path);
    group.code = profile.code;
    group.info = profile.info;
    group.result = std::move(profile.group);
    const documents::Made report = documents::textReport(group);
    if (const auto *failure = std::get_if<documents::Failure>(&report))
        return dataError(QStringLiteral("report: ") + failure->reason);
    if (const auto error = writeOutputFile(args.value("out"), std::get<QByteArray>(report)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
