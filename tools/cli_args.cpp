#include "cli_args.h"

#include <QFileInfo>

namespace cli {

std::variant<ScannedArgs, QString> scanArgs(const QString &command, const QStringList &args,
                                            const QStringList &valueOptions,
                                            const QStringList &flagOptions)
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
        if (flagOptions.contains(arg)) {
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
        if (!valueOptions.contains(name))
            return QStringLiteral("%1: unknown option '%2'").arg(command, arg);
        if (scanned.values.contains(name))
            return QStringLiteral("%1: %2 given twice").arg(command, name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1: %2 needs a value").arg(command, name);
            value = args[++i];
        }
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

} // namespace cli
