#pragma once

#include <QString>
#include <QStringList>
#include <variant>

// The groups of a collection: each names a folder of results and its QR code's files, so each
// must be one plain folder name.
namespace web {

// Why `name` cannot name a group's folder (in Russian), or an empty text.
QString groupNameProblem(const QString &name);

// "Продажи,Бухгалтерия" as its names, blanks around each dropped; or why not, naming the first
// bad name. Two names that differ only in case are refused: on a case-insensitive file system,
// or a colleague's Windows, they are one folder.
std::variant<QStringList, QString> parseGroupList(const QString &list);

// "<folder>/<group> QR" or "<folder>/QR" without a group: the QR code's files without extension.
QString qrFileStem(const QString &folder, const QString &group);

} // namespace web
