#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// A survey folder's own link, kept in its hidden file ".ocai-link" as
// {"token": "<secret>", "port": N, "survey": "<32 hex>"}: a collection started again on the folder
// gives the same URLs and QR codes, and pages still holding answers send them to it.
namespace web {

extern const QString kLinkFileName;

struct FolderLink {
    QByteArray token;  // the URLs' secret
    quint16 port = 0;  // 0: none yet
    QByteArray survey; // 32 hexadecimal digits made once per folder: the pages' storage key
};

// The folder's link, or nothing when it has none yet; why the file cannot be used otherwise
// (in Russian, naming it).
std::variant<std::optional<FolderLink>, QString> readFolderLink(const QString &folder);

// Saves the link in the folder, or says why not.
std::optional<QString> writeFolderLink(const QString &folder, const FolderLink &link);

} // namespace web
