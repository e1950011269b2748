#pragma once

#include "survey/profile_model.h"
#include "survey/result_file.h"
#include "survey/result_names.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

// The mean profile of every result file of one folder.
namespace survey {

// Each score's points (columns 0-3) over its six questions.
using PointTotals = std::array<qint64, 2 * kTypeCount>;

struct GroupResult {
    int n = 0;
    AnswerTable means{}; // cell-by-cell means, the time column included
    // Each score's points summed over the respondents: the group's scores are these divided
    // once, by 6 n, so that every report rounds the same exact value.
    PointTotals points{};
    ProfileScores scores{};                 // points / (6 n): the means of the mean table
    std::vector<ProfileScores> respondents; // each file's own profile, in file order
    QStringList files;                      // the files taken, in order
    QStringList codes; // each file's respondent code, in order: people() counts them
    // The respondents as the anonymity floor counts them: files sharing a code are one person.
    int people() const;
};

// The points of one respondent's answers.
PointTotals pointTotals(const AnswerTable &answers);

// A group built one respondent at a time, by every loader alike: cell sums and point totals
// as the answers come, then each divided once.
class GroupBuilder {
public:
    void add(const AnswerTable &answers, const QString &file, const QString &code = QString());
    int n() const { return m_group.n; }
    // The group of everything added (at least one respondent); the builder starts afresh.
    GroupResult take();

private:
    GroupResult m_group;
    AnswerTable m_sums{};
};

// Why a group load failed: the file (or, when nothing matched, the folder), the message, the
// 1-based line of the decrypted text where there is one, else 0, and the reason where known
// (see LoadError).
struct GroupError {
    QString path;
    QString message;
    int line = 0;
    QString reason = QString();

    // In the consultant's words: the Russian reason where the load knows one, else the message
    // with its line.
    QString text() const;
};

// Every file of `folder` named as a result file (isResultFileName), hidden and system files
// included, in the order of resultEntries. Only a matching folder is passed over: a
// matching pipe, socket, device or dangling link, or a name that does not decode as UTF-8,
// fails the whole list naming it, before any file is opened, so that no respondent is lost
// without a word. A folder that cannot be listed fails with the reason.
std::variant<QStringList, GroupError> groupFiles(const QString &folder);

// Sees each file of a load as soon as it is parsed, for what the group keeps no copy of (the
// texts, each respondent's answers). A later failing file still fails the whole load.
using ResultFileVisitor =
    std::function<void(const QString &path, const ResultText &text, const AnswerTable &answers)>;

// Loads, decrypts with `key16` and parses every file of groupFiles(folder) as a single result
// is loaded, then averages: cell sums over the files, each cell divided by n, then the scores
// from the mean table. All or nothing: the first failing file ends the load. A folder without
// matching files is an error too. `visit` sees each file taken, with its plain text.
std::variant<GroupResult, GroupError> loadGroup(const QString &folder, const QByteArray &key16,
                                                const ResultFileVisitor &visit = {});

// Loads the given result files as one group, in that order, as loadGroup loads a folder's:
// all or nothing. `files` is not empty.
std::variant<GroupResult, GroupError> loadGroupFiles(const QStringList &files,
                                                     const QByteArray &key16,
                                                     const ResultFileVisitor &visit = {});

// The fewest respondents a group shown to a client has unless the consultant sets another:
// fewer, and one person's answers could be read from the group's scores.
constexpr int kSmallGroup = 5;

// «меньше 5 респондентов» when `n` is under `floor`, else empty.
QString smallGroupMark(int n, int floor = kSmallGroup);

// The information line of a group: "Информация по группе  (N = n)", whatever n: it is the
// window's own text, in its field, its saved pictures and its text report. Small groups are
// marked where the analysis is shown (statistics, comparisons, the desk), never here.
QString groupInfoLine(int n);

} // namespace survey
