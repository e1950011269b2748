#pragma once

#include "profile_model.h"
#include "result_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

// The mean profile of every result file of one folder.
namespace survey {

// The name pattern of a group's result files, matched without regard to letter case.
constexpr char kGroupFilePattern[] = "*OCAI.cry";

// Whether a file of that name matches kGroupFilePattern: any name that ends so, letter case
// aside, the bare "OCAI.cry" included.
bool matchesGroupPattern(const QString &name);

// Every regular file of `folder` whose name matches kGroupFilePattern, hidden and system files
// included; folders, pipes, devices and other special entries are skipped. In the order the
// file system lists them.
QStringList groupFiles(const QString &folder);

struct GroupResult {
    int n = 0;
    AnswerTable means{};                    // cell-by-cell means, the time column included
    ProfileScores scores{};                 // computed from `means`, never from single files
    std::vector<ProfileScores> respondents; // each file's own profile, in file order
    QStringList files;                      // the files taken, in order
};

// Why a group load failed: the file (or, when nothing matched, the folder), the message and
// the 1-based line of the decrypted text where there is one, else 0.
struct GroupError {
    QString path;
    QString message;
    int line = 0;
};

// Sees each file of a load as soon as it is parsed, for what the group keeps no copy of (the
// texts, each respondent's answers). A later failing file still fails the whole load.
using ResultFileVisitor =
    std::function<void(const QString &path, const ResultText &text, const AnswerTable &answers)>;

// Loads, decrypts with `key16` and parses every file of groupFiles(folder) as a single result
// is loaded, then averages: cell sums over the files, each cell divided by n, then the scores
// from the mean table. All or nothing: the first failing file ends the load. A folder without
// matching files is an error too.
std::variant<GroupResult, GroupError> loadGroup(const QString &folder, const QByteArray &key16,
                                                const ResultFileVisitor &visit = {});

// The information line of a group: "Информация по группе  (N = n)".
QString groupInfoLine(int n);

} // namespace survey
