#include "new_file.h"

#include "native_path.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace safewrite {
namespace {

// A crash is the only way a temporary file stays; one older than this belongs to no write still
// running, however slow the disk.
constexpr qint64 kStaleSeconds = 60;
// Random names collide only when something else chose the same one.
constexpr int kTemporaryTries = 100;

const QLatin1String kPrefix(".ocai-"), kSuffix(".tmp");

QString reasonOf(const filecalls::Result &result)
{
    return qt_error_string(result.error);
}

void removeStaleTemporaries(const QDir &folder)
{
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleSeconds);
    const QStringList names = folder.entryList({kPrefix + QLatin1Char('*') + kSuffix},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QFileInfo info(folder.filePath(name));
        // Only a regular file of our own naming; a link of that name stays as it is.
        if (!info.isSymLink() && info.isFile() && info.lastModified().toUTC() < staleBefore)
            QFile::remove(info.filePath());
    }
}

} // namespace

std::variant<QString, NewFileFailure> writeNewFile(const QString &folder,
                                                   const std::function<QString(int)> &nameFor,
                                                   int maxNames, const QByteArray &bytes,
                                                   const std::function<void()> &beforeNaming)
{
    const QDir dir(folder);
    removeStaleTemporaries(dir);
    QString temporary;
    filecalls::Result created{filecalls::Outcome::NameTaken, 0};
    for (int i = 0; i < kTemporaryTries && created.outcome == filecalls::Outcome::NameTaken; ++i) {
        const QString random = QString::number(QRandomGenerator::global()->generate64(), 36);
        temporary = dir.filePath(kPrefix + random + kSuffix);
        created = filecalls::createSynced(filecalls::nativePath(temporary), bytes.constData(),
                                          std::size_t(bytes.size()));
    }
    if (created.outcome != filecalls::Outcome::Done)
        return NewFileFailure{NewFileFailure::Temporary, temporary, reasonOf(created)};
    if (beforeNaming)
        beforeNaming();
    auto named = moveToFreeName(temporary, folder, nameFor, maxNames);
    if (!std::holds_alternative<QString>(named))
        QFile::remove(temporary);
    return named;
}

std::variant<QString, NewFileFailure> moveToFreeName(const QString &from, const QString &folder,
                                                     const std::function<QString(int)> &nameFor,
                                                     int maxNames)
{
    const QDir dir(folder);
    for (int n = 1; n <= maxNames; ++n) {
        const QString path = dir.filePath(nameFor(n));
        const auto moved = filecalls::moveWithoutReplacing(filecalls::nativePath(from),
                                                           filecalls::nativePath(path));
        if (moved.outcome == filecalls::Outcome::NameTaken)
            continue;
        if (moved.outcome == filecalls::Outcome::Failed)
            return NewFileFailure{NewFileFailure::Name, path, reasonOf(moved)};
        return path;
    }
    return NewFileFailure{NewFileFailure::AllTaken, dir.path(), {}};
}

} // namespace safewrite
