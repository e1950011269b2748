#include "cli_args.h"

#include "core/number_format.h"

#include <QFileInfo>

namespace cli {

std::variant<ScannedArgs, QString> scanArgs(const QString &command, const QStringList &args,
                                            const ScanRules &rules)
{
    ScannedArgs scanned;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            scanned.positionals << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (rules.takesHelp && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            scanned.help = true;
            continue;
        }
        if (rules.flagOptions.contains(arg)) {
            if (scanned.flags.contains(arg))
                return QStringLiteral("%1: %2 given twice").arg(command, arg);
            scanned.flags << arg;
            continue;
        }
        QString name = arg, value;
        const int equals = name.indexOf(QLatin1Char('='));
        const bool inlineValue = name.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (!rules.valueOptions.contains(name))
            return QStringLiteral("%1: unknown option '%2'").arg(command, arg);
        if (scanned.values.contains(name))
            return QStringLiteral("%1: %2 given twice").arg(command, name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1: %2 needs a value").arg(command, name);
            value = args[++i];
        }
        if (rules.checkValue)
            if (const QString error = rules.checkValue(name, value); !error.isEmpty())
                return error;
        scanned.values.insert(name, value);
    }
    return scanned;
}

bool hasSuffix(const QString &out, const QString &suffix)
{
    return QFileInfo(out).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

std::variant<PictureFormat, QString> pictureFormatFor(const QString &command, const QString &out)
{
    if (out.isEmpty())
        return QStringLiteral("%1: --out needs a file name").arg(command);
    if (hasSuffix(out, QStringLiteral("png")))
        return PictureFormat::Png;
    if (hasSuffix(out, QStringLiteral("gif")))
        return PictureFormat::Gif;
    const QString suffix = QFileInfo(out).suffix();
    if (suffix.isEmpty())
        return QStringLiteral("%1: --out '%2' has no extension; .png or .gif is written")
            .arg(command, out);
    return QStringLiteral("%1: --out '%2': the extension '.%3' is not written; only .png and "
                          ".gif are")
        .arg(command, out, suffix);
}

std::variant<PictureOptions, QString> readPictureOptions(const QString &command,
                                                         const ScannedArgs &scanned)
{
    PictureOptions picture;
    picture.out = scanned.values.value(kOutOption);
    const auto format = pictureFormatFor(command, picture.out);
    if (const auto *error = std::get_if<QString>(&format))
        return *error;
    picture.format = std::get<PictureFormat>(format);

    const std::pair<const QString &, int &> colours[] = {
        {kCurrentColourOption, picture.currentColour},
        {kPreferredColourOption, picture.preferredColour}};
    for (const auto &[name, index] : colours) {
        if (!scanned.values.contains(name))
            continue;
        const auto parsed = numfmt::parseInt32(scanned.values.value(name));
        if (!parsed)
            return QStringLiteral("%1: %2 needs a whole number, not '%3'")
                .arg(command, name, scanned.values.value(name));
        index = *parsed;
    }
    return picture;
}

} // namespace cli
