#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

// A survey folder's own links, kept in its hidden file ".ocai-link" as
// {"port": N, "survey": "<32 hex>", "links": [{"group": "<name>", "secret": "<secret>"}, ...]}:
// a collection started again on the folder gives each group the same URL and QR code whatever
// groups it serves and in whatever order, and pages still holding answers send them to it.
namespace web {

extern const QString kLinkFileName;

struct GroupLink {
    QString group;     // empty for the link into the survey folder itself
    QByteArray secret; // the URL's, this group's alone
};

struct FolderLink {
    quint16 port = 0;  // 0: none yet
    QByteArray survey; // 32 hexadecimal digits made once per folder: the pages' storage key
    // Every group ever served from the folder, in the order first served.
    std::vector<GroupLink> links;
    // Read from the file of an earlier version, whose links were numbered by the groups' places
    // in each start's list: which group a number meant is not known, so none of them is kept.
    bool numberedLinks = false;

    // The group's link; nothing when it never had one.
    const GroupLink *find(const QString &group) const;
};

// The folder's link, or nothing when it has none yet; why the file cannot be used otherwise
// (in Russian, naming it).
std::variant<std::optional<FolderLink>, QString> readFolderLink(const QString &folder);

// What a start on a folder whose file an earlier version wrote tells the consultant (in Russian,
// naming the folder): the earlier links are void, and why.
QString numberedLinksNotice(const QString &folder);

// Saves the link in the folder, or says why not.
std::optional<QString> writeFolderLink(const QString &folder, const FolderLink &link);

} // namespace web
