#include "safe_write.h"

#include "native_path.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace safewrite {
namespace {

// The file that writing to `path` changes: the final target of a symbolic link (empty when
// the link leads nowhere), else the path itself.
QString targetOf(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymbolicLink() ? info.canonicalFilePath() : path;
}

// QSaveFile names its temporary file after the target plus ".XXXXXX", which for a name near
// the file systems' limit of 255 bytes cannot exist.
bool leavesRoomForSuffix(const QString &target)
{
    constexpr qsizetype kNameLimit = 255, kSuffix = 7;
    return QFile::encodeName(QFileInfo(target).fileName()).size() + kSuffix <= kNameLimit;
}

// The permissions a new file gets from the process's umask, as QSaveFile gives them.
QFileDevice::Permissions newFilePermissions()
{
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser},
        {S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser},
        {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup},
        {S_IROTH, QFileDevice::ReadOther},
        {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto &[bit, permission] : bits)
        if (mode & bit)
            permissions |= permission;
    return permissions;
#else
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
           QFileDevice::WriteUser;
#endif
}

bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// The same promise as QSaveFile's for a long name: the content goes to a short temporary
// name beside the target, which is renamed over the target once complete.
std::optional<QString> replaceUnderShortName(const QString &target, const QByteArray &bytes)
{
    const QFileInfo info(target);
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.ocai-XXXXXX.tmp"));
    if (!file.open())
        return file.errorString();
    if (!file.setPermissions(info.exists() ? info.permissions() : newFilePermissions()) ||
        !writeAll(file, bytes) || !file.flush())
        return file.errorString();
#ifdef Q_OS_WIN
    return QStringLiteral("имя слишком длинное, чтобы надёжно заменить файл");
#else
    // On the disk before the rename, as QSaveFile's commit does: a crash then leaves the old
    // file or the new one, never a short one.
    if (::fsync(file.handle()) != 0)
        return qt_error_string(errno);
    file.close();
    // rename() replaces the target in one step; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        return qt_error_string(errno);
    file.setAutoRemove(false);
    return std::nullopt;
#endif
}

} // namespace

Refusal refusalFor(const QString &path)
{
    // Before the link's target: /dev/stdout leads to "pipe:[…]", which no path names.
    if (filecalls::isPipe(filecalls::nativePath(path)))
        return Refusal::Pipe;
    const QString target = targetOf(path);
    if (target.isEmpty())
        return Refusal::DanglingLink;
    const QFileInfo info(target);
    if (!info.exists() || info.isFile())
        return Refusal::None;
    return info.isDir() ? Refusal::Folder : Refusal::NotRegular;
}

std::optional<QString> refusalReason(const QString &path)
{
    switch (refusalFor(path)) {
    case Refusal::None:
        break;
    case Refusal::DanglingLink:
        return QStringLiteral("символическая ссылка никуда не ведёт");
    case Refusal::Folder:
        return QStringLiteral("это папка");
    case Refusal::Pipe:
        return QStringLiteral("это канал (связь с другой программой), а не файл; записывается "
                              "только обычный файл или новое имя");
    case Refusal::NotRegular:
        return QStringLiteral("это не обычный файл (устройство или сокет); записывается только "
                              "обычный файл или новое имя");
    }
    return std::nullopt;
}

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    if (auto refusal = refusalReason(path))
        return refusal;
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write's result:
    // a buffered QSaveFile would commit the shortened file. Without commit the temporary file
    // goes and an earlier file stays as it was.
    const QString target = targetOf(path);
    if (!leavesRoomForSuffix(target))
        return replaceUnderShortName(target, bytes);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(file, bytes))
        return file.errorString();
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> replaceEntry(const QString &path, const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    // QSaveFile writes to a link's target; a planted link on Windows needs its owner's rights.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(file, bytes) ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
#else
    // rename() replaces the entry itself, a link included.
    return replaceUnderShortName(path, bytes);
#endif
}

} // namespace safewrite
