#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// Argument scanning shared by the subcommands that write a file: options, positional
// arguments, and the picture format an output name asks for.
namespace cli {

// Why the arguments were refused, and the exit status that says so.
struct ArgsError {
    QString message;
    int exitCode;
};

struct ScannedArgs {
    QMap<QString, QString> values; // "--name" -> value
    QStringList flags;             // the flags given
    QStringList positionals;       // in order; everything after "--" among them
};

// "--name value" or "--name=value" for `valueOptions`, bare `flagOptions`, positional
// arguments ("-" alone is one); "--" ends the options. A message naming `command` for an
// unknown option, one given twice or one without its value.
std::variant<ScannedArgs, QString> scanArgs(const QString &command, const QStringList &args,
                                            const QStringList &valueOptions,
                                            const QStringList &flagOptions = {});

enum class PictureFormat { Png, Gif };

// The format the extension of `out` asks for, letter case aside; a message naming `command`
// when it is neither ".png" nor ".gif".
std::variant<PictureFormat, QString> pictureFormatFor(const QString &command, const QString &out);

// True when the extension of `out` is `suffix`, letter case aside.
bool hasSuffix(const QString &out, const QString &suffix);

} // namespace cli
