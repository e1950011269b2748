#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// The files a survey keeps beside its results: its link, its QR codes and the note of the
// questionnaires received. They are read and written only as regular files of the folder: a
// symbolic link under one of their names is never followed, a pipe or device never waited on.
namespace web {

// Why `path` cannot be such a file, in Russian and naming it; nothing when it is a regular file
// or free.
std::optional<QString> folderFileProblem(const QString &path);

// The whole file, or nothing when there is none; why not, when it is not a regular file or
// longer than `maxBytes`.
std::variant<std::optional<QByteArray>, QString> readFolderFile(const QString &path,
                                                                qint64 maxBytes);

// Replaces the file whole, or says why not (in Russian, naming it).
std::optional<QString> writeFolderFile(const QString &path, const QByteArray &bytes);

// Adds `bytes` at the end of the file (made when missing), returning once they are on the disk
// when `durable`; why not, otherwise.
std::optional<QString> appendToFolderFile(const QString &path, const QByteArray &bytes,
                                          bool durable = true);

} // namespace web
