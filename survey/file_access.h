#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <memory>
#include <variant>

// What the loads ask of the file system: opening a result file and listing a folder, with
// the reason of a failure in the words the messages show ("нет прав на чтение"). On POSIX
// names are bytes: a folder's entries are listed as such, so that none is lost to decoding.
namespace survey {

// What a name is once links are followed, without opening it.
enum class EntryKind { RegularFile, Folder, Unusable };

struct EntryProbe {
    EntryKind kind = EntryKind::Unusable;
    QString reason; // why an unusable entry cannot be read: missing, a pipe, a dangling link...
};

// A name as bytes and back: the file system's own bytes on POSIX; UTF-8 on Windows, whose
// names are UTF-16 (QFile::encodeName there would take the ANSI code page, which has no room
// for most characters).
QByteArray nameBytes(const QString &name);
QString nameText(const QByteArray &name);

// `nativePath` as the file system spells it (nameBytes of a path, or raw bytes).
EntryProbe probeEntry(const QByteArray &nativePath);

// A regular file (or a link to one) opened for reading; why not, otherwise. Never waits on a
// pipe or a device.
std::variant<std::unique_ptr<QFile>, QString> openRegularFile(const QString &path);

// The names of every entry of `folder` but "." and "..", as the file system holds them, or
// why the folder cannot be listed.
std::variant<QList<QByteArray>, QString> folderEntryNames(const QString &folder);

// True when the name survives decoding to text and back: only such a name can be opened by
// its text.
bool nameDecodes(const QByteArray &name);

// The name for a message: valid UTF-8 as it stands, every other byte and every control
// character as "\xNN".
QString escapedName(const QByteArray &name);

} // namespace survey
