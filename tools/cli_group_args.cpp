#include "tools/cli_group_args.h"

#include "survey/result_file.h"
#include "survey/unit_pc1.h"
#include "tools/cli_common.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

GroupOptions groupOptions(const ParsedArgs &args)
{
    GroupOptions options;
    QString format = args.value("format");
    if (!args.isSet("format"))
        for (const OptionSpec &option : args.spec->options)
            if (qstrcmp(option.name, "format") == 0)
                format = QString::fromLatin1(option.valueName).section(QLatin1Char('|'), 0, 0);
    options.format = format == QLatin1String("csv")    ? OutputFormat::Csv
                     : format == QLatin1String("json") ? OutputFormat::Json
                                                       : OutputFormat::Text;
    options.mean = survey::meanKindFromName(args.value("mean")).value_or(options.mean);
    if (args.isSet("seed"))
        options.seed = args.value("seed").toULongLong();
    return options;
}

QString groupErrorText(const survey::GroupError &error)
{
    const QString path = QDir::toNativeSeparators(error.path);
    // The load words a damaged line as the window's message box does ("'1O' is not a valid
    // integer value"); its reason says the same in Russian, naming the answer.
    if (error.line != 0)
        return QStringLiteral("%1:%2: %3")
            .arg(path, QString::number(error.line),
                 error.reason.isEmpty() ? error.message : error.reason);
    QString text = error.message;
    if (text == survey::cannotOpenFile(error.path, {}).message)
        text = QStringLiteral("Не удаётся открыть файл %1").arg(path);
    if (!error.reason.isEmpty())
        text += QStringLiteral(": ") + error.reason;
    return text;
}

std::variant<survey::LoadedProfile, survey::GroupError> loadGroupArgument(const QString &path)
{
    return survey::loadProfile(path, survey::programKey());
}

bool reportLeftOut(const QString &command, const std::vector<documents::ExportGroup> &groups)
{
    bool any = false;
    for (const documents::ExportGroup &group : groups)
        for (const documents::FileNote &note : group.leftOut) {
            const QString file = QFileInfo(group.path).isDir()
                                     ? QDir(group.path).filePath(note.file)
                                     : QFileInfo(group.path).dir().filePath(note.file);
            dataError(QStringLiteral("%1: не учтён %2: %3")
                          .arg(command, QDir::toNativeSeparators(file), note.reason));
            any = true;
        }
    return any;
}

int finishOutput(const QByteArray &bytes)
{
    if (!writeStdout(bytes))
        return dataError(QStringLiteral("не удаётся вывести результат"));
    return kExitOk;
}

} // namespace cli
