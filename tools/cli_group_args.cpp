#include "cli_group_args.h"

#include "cli_args.h"
#include "cli_common.h"
#include "cli_io.h"
#include "unit_pc1.h"

#include <QDir>
#include <limits>

namespace cli {

const char kMeanHelp[] =
    "--mean arithmetic (default): the group profile is the mean of the respondents' scores,\n"
    "  as the window computes it.\n"
    "--mean geometric: the compositional mean: for each state and type the geometric mean over\n"
    "  the respondents of their type scores (a score of 0 counts as 0.5), the four of each state\n"
    "  then scaled to sum 100. Intervals and tests use the same average.\n";

namespace {

std::optional<OutputFormat> formatFromName(const QString &name)
{
    if (name == QLatin1String("text"))
        return OutputFormat::Text;
    if (name == QLatin1String("csv"))
        return OutputFormat::Csv;
    if (name == QLatin1String("json"))
        return OutputFormat::Json;
    return std::nullopt;
}

QString applyOption(const QString &name, const QString &value, const GroupOptionRules &rules,
                    GroupOptions &options)
{
    if (name == QLatin1String("--format")) {
        const auto format = formatFromName(value);
        if (!format || !rules.formats.contains(value))
            return QStringLiteral("%1: --format must be %2, not '%3'")
                .arg(rules.command, rules.formats.join(QLatin1Char('|')), value);
        options.format = *format;
    } else if (name == QLatin1String("--mean")) {
        const auto kind = survey::meanKindFromName(value);
        if (!kind)
            return QStringLiteral("%1: --mean must be arithmetic|geometric, not '%2'")
                .arg(rules.command, value);
        options.mean = *kind;
    } else if (name == QLatin1String("--out")) {
        if (value.isEmpty())
            return QStringLiteral("%1: --out needs a file name").arg(rules.command);
        options.out = value;
    } else {
        bool ok = false;
        const qulonglong seed = value.toULongLong(&ok);
        if (!ok || value.startsWith(QLatin1Char('+')) ||
            seed > qulonglong(std::numeric_limits<qint64>::max()))
            return QStringLiteral("%1: --seed needs a whole number from 0 to %2, not '%3'")
                .arg(rules.command)
                .arg(std::numeric_limits<qint64>::max())
                .arg(value);
        options.seed = seed;
    }
    return QString();
}

} // namespace

QString parseGroupOptions(const QStringList &args, const GroupOptionRules &rules,
                          GroupOptions &options)
{
    options = GroupOptions{};
    options.format = *formatFromName(rules.formats.value(0, QStringLiteral("text")));
    ScanRules scanRules;
    scanRules.valueOptions = QStringList{QStringLiteral("--mean")};
    if (!rules.formats.isEmpty())
        scanRules.valueOptions << QStringLiteral("--format");
    if (rules.takesSeed)
        scanRules.valueOptions << QStringLiteral("--seed");
    if (rules.takesOut)
        scanRules.valueOptions << kOutOption;
    scanRules.takesHelp = true;
    scanRules.checkValue = [&](const QString &name, const QString &value) {
        return applyOption(name, value, rules, options);
    };
    const auto scanned = scanArgs(rules.command, args, scanRules);
    if (const auto *error = std::get_if<QString>(&scanned))
        return *error;
    options.paths = std::get<ScannedArgs>(scanned).positionals;
    options.help = std::get<ScannedArgs>(scanned).help;
    if (options.help)
        return QString();
    if (rules.takesOut && options.out.isEmpty())
        return QStringLiteral("%1: --out FILE is required").arg(rules.command);
    const int count = int(options.paths.size());
    if (count < rules.minPaths || (rules.maxPaths >= 0 && count > rules.maxPaths))
        return QStringLiteral("%1: wrong number of paths").arg(rules.command);
    for (const QString &path : options.paths)
        if (path.isEmpty())
            return QStringLiteral("%1: an empty path").arg(rules.command);
    return QString();
}

std::optional<int> parseGroupCommand(const QStringList &args, const GroupOptionRules &rules,
                                     const QString &usageHint, const char *help,
                                     GroupOptions &options)
{
    if (const QString error = parseGroupOptions(args, rules, options); !error.isEmpty())
        return usageError(error + usageHint);
    if (options.help)
        return finishOutput(QByteArray(help) + kMeanHelp);
    return std::nullopt;
}

QString groupErrorText(const survey::GroupError &error)
{
    QString text = error.message;
    if (error.line != 0)
        text = QStringLiteral("%1:%2: %3")
                   .arg(QDir::toNativeSeparators(error.path), QString::number(error.line), text);
    if (!error.reason.isEmpty())
        text += QStringLiteral(": ") + error.reason;
    return text;
}

std::variant<survey::LoadedProfile, survey::GroupError> loadGroupArgument(const QString &path)
{
    return survey::loadProfile(path, survey::pc1KeyBytes(survey::Pc1KeyText));
}

int finishOutput(const QByteArray &bytes)
{
    if (!writeStdout(bytes))
        return dataError(QStringLiteral("cannot write the output"));
    return kExitOk;
}

} // namespace cli
