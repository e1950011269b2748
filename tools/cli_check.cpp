// ocai-cli check: what the lenient reading of result files lets through, file by file.
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

// The files of one argument: a FILE itself, or each file of a DIR on its own, so that one
// damaged file hides no other file's warnings.
std::variant<QStringList, survey::GroupError> filesOf(const QString &operand)
{
    if (!QFileInfo(operand).isDir())
        return QStringList{operand};
    auto listed = survey::groupFiles(operand);
    if (const auto *files = std::get_if<QStringList>(&listed); files && files->isEmpty()) {
        // The folder's load words the want of results.
        if (auto loaded = loadGroupArgument(operand);
            const auto *error = std::get_if<survey::GroupError>(&loaded))
            return *error;
    }
    return listed;
}

// "FILE:LINE: warning" lines of one loaded file.
QByteArray warningLines(const QString &file, const std::vector<survey::ReadWarning> &warnings)
{
    QByteArray lines;
    for (const survey::ReadWarning &warning : warnings)
        lines += escapeControls(QStringLiteral("%1:%2: %3")
                                    .arg(QDir::toNativeSeparators(file),
                                         QString::number(warning.line), warning.text))
                     .toUtf8() +
                 '\n';
    return lines;
}

} // namespace

int runCheck(const ParsedArgs &args)
{
    bool found = false;
    for (const QString &operand : args.operands) {
        const auto files = filesOf(operand);
        if (const auto *error = std::get_if<survey::GroupError>(&files)) {
            dataError(groupErrorText(*error));
            found = true;
            continue;
        }
        for (const QString &file : std::get<QStringList>(files)) {
            const auto loaded = loadGroupArgument(file);
            if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
                dataError(groupErrorText(*error));
                found = true;
                continue;
            }
            const QByteArray lines =
                warningLines(file, std::get<survey::LoadedProfile>(loaded).warnings.front());
            if (!writeStdout(lines))
                return dataError(QStringLiteral("cannot write the output"));
            found = found || !lines.isEmpty();
        }
    }
    return found ? kExitBadData : kExitOk;
}

} // namespace cli
