#pragma once

#include "survey/file_access.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// Which files of a folder are a group's result files: the one rule of every load, so that the
// window, the command line, the desk and the server count the same respondents.
namespace survey {

// The name pattern of a group's result files, matched without regard to letter case.
constexpr char kGroupFilePattern[] = "*OCAI.cry";

// Whether a file of this name is a result file: the name ends with kGroupFilePattern's tail
// in any letter case (the bare "OCAI.cry" included), as the program has always matched on
// Windows. A name starting with "._" never is: a Mac leaves such a companion beside each file
// it copies onto a shared drive, and it holds no answers. A writer's temporary file
// (".ocai-….tmp") never matches.
bool isResultFileName(const QString &fileName);

// An entry of a folder that is named as a result file.
struct ResultEntry {
    QByteArray nativeName; // as the file system holds it
    QString name;          // as text; escaped (escapedName) where it does not decode
    QString path;          // the name in the folder
    // What it is once links are followed; a file whose name does not decode (nameDecodes)
    // cannot be opened by it and is unusable.
    EntryProbe probe;
};

// Every entry of `folder` named as a result file, folders and unusable entries included, in the
// order of the names' bytes (the same on every file system and in every load); or why the
// folder cannot be listed.
std::variant<std::vector<ResultEntry>, QString> resultEntries(const QString &folder);

// The names of `folder`'s result files, in the order of resultEntries: every entry so named
// but a folder. A file that cannot be read is listed too, so that its load can say why. Empty
// when the folder cannot be listed.
QStringList resultFileNames(const QDir &folder);

// The same names as paths in `folder`.
QStringList resultFilePaths(const QString &folder);

} // namespace survey
