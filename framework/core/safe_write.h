#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Replacing a file so that nothing is lost: the new content goes to a temporary file that
// takes the old one's place only once all of it is written. Every writer of the program and
// of ocai-cli goes through here; a new file that must never replace one goes through new_file.h.
namespace safewrite {

enum class Refusal {
    None,         // a regular file, a link to one, or a new name
    DanglingLink, // a symbolic link that leads to no file
    Folder,
    Pipe,       // a named pipe, or a link to one such as /dev/stdout in a shell's pipeline
    NotRegular, // a device or socket
};

// Whether `path` may be written at all. Nothing else but a regular file is ever replaced.
Refusal refusalFor(const QString &path);

// Why `path` is refused, in a few Russian words ("это папка"); nothing when it may be
// written.
std::optional<QString> refusalReason(const QString &path);

// Writes `bytes` to `path` (to a link's final target, so that the link stays a link). On
// failure the earlier file is as it was, and the result is the reason, in Qt's words for a
// failed write; a refused path gives a short English reason.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes);

// Writes `bytes` under `path` as a new regular file that takes the name in one step, whatever
// entry has it by then: a symbolic link planted under the name is replaced, never written
// through. For the files a program keeps in a folder of its own; the caller refuses beforehand
// what it must not replace.
std::optional<QString> replaceEntry(const QString &path, const QByteArray &bytes);

} // namespace safewrite
