#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

// Argument scanning shared by the subcommands: options, positional arguments, and the
// picture a plot writes.
namespace cli {

// Why the arguments were refused, and the exit status that says so.
struct ArgsError {
    QString message;
    int exitCode;
};

// The options a subcommand takes.
struct ScanRules {
    QStringList valueOptions;     // "--name value" or "--name=value", once each
    QStringList flagOptions = {}; // bare, once each
    bool takesHelp = false;       // "--help" or "-h", any number of times
    // Sees each value as the scan meets it; a message it returns ends the scan with it.
    std::function<QString(const QString &name, const QString &value)> checkValue = {};
};

struct ScannedArgs {
    QMap<QString, QString> values; // "--name" -> value
    QStringList flags;             // the flags given
    QStringList positionals;       // in order; everything after "--" among them
    bool help = false;             // "--help" or "-h" given
};

// The options of `rules`, positional arguments ("-" alone is one); "--" ends the options. A
// message naming `command` for an unknown option, one given twice or one without its value.
std::variant<ScannedArgs, QString> scanArgs(const QString &command, const QStringList &args,
                                            const ScanRules &rules);

enum class PictureFormat { Png, Gif };

// The format the extension of `out` asks for, letter case aside; a message naming `command`
// when `out` is empty or its extension is neither ".png" nor ".gif".
std::variant<PictureFormat, QString> pictureFormatFor(const QString &command, const QString &out);

// True when the extension of `out` is `suffix`, letter case aside.
bool hasSuffix(const QString &out, const QString &suffix);

inline const QString kOutOption = QStringLiteral("--out");
inline const QString kCurrentColourOption = QStringLiteral("--current-colour");
inline const QString kPreferredColourOption = QStringLiteral("--preferred-colour");

// What every plot writes: the file and the colour choosers' item indices.
struct PictureOptions {
    QString out; // --out
    PictureFormat format = PictureFormat::Png;
    int currentColour = 1;   // the choosers' selection after start-up: red
    int preferredColour = 3; // and blue
};

// --out and, where given, the two colour options, each a whole number; a message naming
// `command` otherwise.
std::variant<PictureOptions, QString> readPictureOptions(const QString &command,
                                                         const ScannedArgs &scanned);

} // namespace cli
