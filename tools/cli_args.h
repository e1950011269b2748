#pragma once

#include "documents/picture_format.h"
#include "plots/start_colours.h"
#include "tools/cli_command.h"

#include <QString>
#include <variant>

// What the plot commands share: the picture they write and its colours.
namespace cli {

// Why the arguments were refused, and the exit status that says so.
struct ArgsError {
    QString message;
    int exitCode;
};

// The format the extension of `out` asks for, letter case aside; a message naming `command`
// when `out` is empty or its extension is neither ".png" nor ".gif".
std::variant<documents::PictureFormat, QString> pictureFormatFor(const QString &command,
                                                                 const QString &out);

// True when the extension of `out` is `suffix`, letter case aside.
bool hasSuffix(const QString &out, const QString &suffix);

// What every plot writes: the file and the colour choosers' item indices.
struct PictureOptions {
    QString out; // --out
    documents::PictureFormat format = documents::PictureFormat::Png;
    int currentColour = plots::kStartCurrentColour; // the choosers' selection after start-up
    int preferredColour = plots::kStartPreferredColour;
};

// --out and, where given, the two colour options; a message naming the command when the
// extension of --out is not a picture's.
std::variant<PictureOptions, QString> readPictureOptions(const ParsedArgs &args);

} // namespace cli
