#include "desk/survey_folder.h"

#include "core/new_file.h"

#include "survey/profile_load.h"
#include "survey/respondent_codes.h"
#include "survey/result_names.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace desk {
namespace {

// Enough copies of one name for any survey.
constexpr int kMaxCopies = 9999;

Respondent readRespondent(const QString &path, const QFileInfo &info)
{
    Respondent respondent;
    respondent.path = path;
    respondent.modified = info.lastModified();
    respondent.size = info.size();
    respondent.row.fileName = info.fileName();
    const auto keep = [&respondent](const QString &, const survey::ResultText &text,
                                    const survey::AnswerTable &answers) {
        for (std::size_t i = 0; i < documents::kRespondentTextLines.size(); ++i)
            respondent.row.texts[i] = text.lineText(documents::kRespondentTextLines[i]);
        respondent.row.answers = answers;
        respondent.row.scores = survey::profileFromAnswers(answers);
    };
    static const QByteArray key = survey::programKey();
    const auto loaded = survey::loadProfile(path, key, survey::LoadAs::File, keep);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        respondent.problem = error->text();
    else
        respondent.warnings = std::get<survey::LoadedProfile>(loaded).warnings.at(0);
    return respondent;
}

void addFolder(std::vector<Respondent> &into, const QString &folder, bool excluded,
               const LoadCache &cache, const std::atomic_bool *cancel)
{
    for (const QString &path : resultFiles(folder)) {
        if (cancel && *cancel)
            return;
        const QFileInfo info(path);
        const Respondent *cached = cache.value(path);
        if (cached && cached->size == info.size() && cached->modified == info.lastModified())
            into.push_back(*cached);
        else
            into.push_back(readRespondent(path, info));
        into.back().excluded = excluded;
    }
}

// The counted respondents as one group, made as every group load makes one, so that the desk
// shows the same figures as the documents.
survey::GroupResult counted(const std::vector<Respondent> &respondents)
{
    survey::GroupBuilder builder;
    for (const Respondent &respondent : respondents)
        if (respondent.counts())
            builder.add(respondent.row.answers, respondent.path, respondent.row.code());
    return builder.n() > 0 ? builder.take() : survey::GroupResult();
}

// The counted respondents, in the group's order.
std::vector<Respondent *> countedOnes(std::vector<Respondent> &respondents)
{
    std::vector<Respondent *> counted;
    for (Respondent &respondent : respondents)
        if (respondent.counts())
            counted.push_back(&respondent);
    return counted;
}

// Marks each counted file that repeats the code of another, afresh: a file taken from an
// earlier load may have become the first of its code, or lost its twin to «Исключить».
void markRepeats(std::vector<Respondent> &respondents)
{
    QStringList names, codes;
    const std::vector<Respondent *> counted = countedOnes(respondents);
    for (const Respondent *respondent : counted) {
        names << respondent->row.fileName;
        codes << respondent->row.code();
    }
    for (Respondent &respondent : respondents)
        respondent.repeatOf.clear();
    for (const survey::CodeRepeat &repeat : survey::codeRepeats(names, codes))
        counted[std::size_t(repeat.file)]->repeatOf = names[repeat.first];
}

// "<base><tail>" for the first copy, then "<base>-<k><tail>", the tail being the result
// files' "OCAI.cry" in any letter case, so that a moved copy still counts as a result.
QString copyName(const QString &name, int copy)
{
    if (copy <= 1)
        return name;
    const QString pattern = QLatin1String(survey::kGroupFilePattern).mid(1);
    const QString tail =
        name.endsWith(pattern, Qt::CaseInsensitive) ? name.right(pattern.size()) : QString();
    return QStringLiteral("%1-%2%3").arg(name.left(name.size() - tail.size())).arg(copy).arg(tail);
}

std::variant<QString, MoveError> moveInto(const QString &path, const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        return MoveError{
            QStringLiteral("Файл «%1» не найден: его уже переместили или удалили.").arg(shown)};
    if (!QDir().mkpath(folder))
        return MoveError{
            QStringLiteral("Не удаётся создать папку «%1».").arg(QDir::toNativeSeparators(folder))};
    // One step that never replaces: a file the survey writes under the same name meanwhile
    // keeps its name, and this one takes the next.
    const QString name = QFileInfo(path).fileName();
    const auto moved = safewrite::moveToFreeName(
        path, folder, [&name](int copy) { return copyName(name, copy); }, kMaxCopies);
    if (const auto *target = std::get_if<QString>(&moved))
        return *target;
    const auto &failure = std::get<safewrite::NewFileFailure>(moved);
    if (failure.kind == safewrite::NewFileFailure::AllTaken)
        return MoveError{QStringLiteral("В папке «%1» нет свободного имени для файла «%2».")
                             .arg(QDir::toNativeSeparators(folder), shown)};
    return MoveError{QStringLiteral("Не удаётся переместить файл «%1» в папку «%2»: %3")
                         .arg(shown, QDir::toNativeSeparators(folder), failure.reason)};
}

} // namespace

QString excludedFolderName()
{
    return QStringLiteral("Исключённые");
}

int Group::damaged() const
{
    int count = 0;
    for (const Respondent &respondent : respondents)
        count += !respondent.problem.isEmpty() && !respondent.excluded;
    return count;
}

int Group::warned() const
{
    int count = 0;
    for (const Respondent &respondent : respondents)
        count += respondent.counts() && !respondent.warnings.isEmpty();
    return count;
}

int Group::warnings() const
{
    int count = 0;
    for (const Respondent &respondent : respondents)
        count += int(respondent.warnings.size());
    return count;
}

int Group::repeats() const
{
    int count = 0;
    for (const Respondent &respondent : respondents)
        count += respondent.counts() && !respondent.repeatOf.isEmpty();
    return count;
}

int Survey::respondents() const
{
    int n = 0;
    for (const Group &group : groups)
        n += group.result.n;
    return n;
}

QStringList resultFiles(const QString &folder)
{
    return survey::resultFilePaths(folder);
}

QStringList candidateFolders(const QString &survey)
{
    const QDir dir(survey);
    QStringList folders{dir.absolutePath()};
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names)
        if (name != excludedFolderName())
            folders << dir.absoluteFilePath(name);
    return folders;
}

namespace {

// A group whose files are all excluded stays, so that they can be returned.
bool holdsGroup(const QString &folder)
{
    return !resultFiles(folder).isEmpty() ||
           !resultFiles(QDir(folder).filePath(excludedFolderName())).isEmpty();
}

} // namespace

QStringList groupFolders(const QString &survey)
{
    QStringList folders = candidateFolders(survey);
    folders.removeIf([](const QString &folder) { return !holdsGroup(folder); });
    return folders;
}

QString folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isReadable() || !info.isExecutable())
        return QStringLiteral("Не удаётся прочитать папку «%1»: нет прав на чтение.")
            .arg(QDir::toNativeSeparators(folder));
    return {};
}

bool sameListing(const Group &group)
{
    const auto &listed = group.respondents;
    std::size_t i = 0;
    for (const bool excluded : {false, true}) {
        const QString folder =
            excluded ? QDir(group.folder).filePath(excludedFolderName()) : group.folder;
        for (const QString &path : resultFiles(folder)) {
            if (i == listed.size() || listed[i].path != path || listed[i].excluded != excluded)
                return false;
            const QFileInfo info(path);
            if (info.size() != listed[i].size || info.lastModified() != listed[i].modified)
                return false;
            ++i;
        }
    }
    return i == listed.size();
}

Group loadGroup(const QString &folder, const QString &name, const LoadCache &cache,
                const std::atomic_bool *cancel)
{
    Group group;
    group.folder = QDir(folder).absolutePath();
    group.name = name;
    addFolder(group.respondents, group.folder, false, cache, cancel);
    addFolder(group.respondents, QDir(group.folder).filePath(excludedFolderName()), true, cache,
              cancel);
    group.result = counted(group.respondents);
    markRepeats(group.respondents);
    return group;
}

Group combinedGroup(const std::vector<Group> &groups, const QString &name)
{
    Group all;
    all.name = name;
    for (const Group &group : groups)
        all.respondents.insert(all.respondents.end(), group.respondents.begin(),
                               group.respondents.end());
    all.result = counted(all.respondents);
    return all;
}

std::variant<QString, MoveError> excludeFile(const QString &path)
{
    const QFileInfo info(path);
    return moveInto(info.absoluteFilePath(),
                    QDir(info.absolutePath()).filePath(excludedFolderName()));
}

std::variant<QString, MoveError> returnFile(const QString &path)
{
    const QFileInfo info(path);
    QDir group(info.absolutePath());
    if (group.dirName() != excludedFolderName())
        return MoveError{
            QStringLiteral("Файл «%1» не исключён.").arg(QDir::toNativeSeparators(path))};
    group.cdUp();
    return moveInto(info.absoluteFilePath(), group.absolutePath());
}

} // namespace desk
