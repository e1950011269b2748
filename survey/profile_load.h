#pragma once

#include "survey/group_result.h"
#include "survey/read_warnings.h"

#include <QByteArray>
#include <QString>
#include <variant>

// Loading one result file ("Data") or a folder of them ("Group") into the model: the one way
// the window, ocai-cli and the tests load.
namespace survey {

struct LoadedProfile {
    QString code; // the respondent's code, or "Group"
    QString info; // the file's information line, or groupInfoLine(n)
    // The table (group.means), the scores computed from it, N and each respondent; a file is
    // a group of one.
    GroupResult group;
    // What the reading let through in each file of group.files, in the same order, in the
    // consultant's words (readWarnings).
    std::vector<QStringList> warnings;
};

// What a path names: a file or a folder, as the program's commands choose, or either, told
// apart by what the path is (a link to a folder is a folder).
enum class LoadAs { FileOrFolder, File, Folder };

// Loads `path` decrypting with `key16`: a file as loadIndividualResult does, a folder as
// loadGroup does. Nothing is returned but the whole profile or why not. `visit` sees each
// file taken.
std::variant<LoadedProfile, GroupError> loadProfile(const QString &path, const QByteArray &key16,
                                                    LoadAs as = LoadAs::FileOrFolder,
                                                    const ResultFileVisitor &visit = {});

} // namespace survey
