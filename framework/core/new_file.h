#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <variant>

// A new file that never replaces another and appears whole or not at all: its content goes to
// a hidden temporary file beside it, on the disk before the file gets its name. A crash at any
// moment leaves no file or a whole one, and at worst a temporary file, which no load takes for
// a result (its name ".ocai-….tmp" matches no pattern) and a later write removes.
namespace safewrite {

struct NewFileFailure {
    enum Kind {
        Temporary, // the temporary file could not be written (`path` names it)
        Name,      // the file could not be given its name (`path` names it)
        AllTaken,  // every name offered is taken
    } kind;
    QString path;
    QString reason; // in Qt's words for a failed call
};

// Writes `bytes` into `folder` (which must exist) under the first free name of
// nameFor(1), ..., nameFor(maxNames): any entry, a dangling link or a folder included, takes a
// name. `beforeNaming`, when given, runs once the temporary file is on the disk and before it is
// named (the moment a crash is simulated at). Temporary files older than a minute that an
// earlier write left in `folder` are removed first. The result is the file's path.
std::variant<QString, NewFileFailure> writeNewFile(const QString &folder,
                                                   const std::function<QString(int)> &nameFor,
                                                   int maxNames, const QByteArray &bytes,
                                                   const std::function<void()> &beforeNaming = {});

// Moves the file `from` into `folder` (on the same file system) under the first free name of
// nameFor(1), ..., nameFor(maxNames), in one step that never replaces an entry: a file another
// program gives one of those names at the same moment is left as it is. `from` is left in place
// on failure. The result is the file's new path.
std::variant<QString, NewFileFailure> moveToFreeName(const QString &from, const QString &folder,
                                                     const std::function<QString(int)> &nameFor,
                                                     int maxNames);

} // namespace safewrite
