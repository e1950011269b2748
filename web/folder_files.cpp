#include "web/folder_files.h"

#include "core/safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace web {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

#ifdef Q_OS_UNIX
// Opened without following a link and without waiting on a pipe; -1 with errno otherwise, and
// ELOOP for a link, EINVAL for anything else but a regular file.
int openRegular(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// The reason of a failed openRegular: the entry's kind when it is the cause.
QString openFailure(const QString &path)
{
    const int error = errno;
    if (const auto problem = folderFileProblem(path))
        return *problem;
    return QStringLiteral("Не удалось открыть «%1»: %2.").arg(shown(path), qt_error_string(error));
}
#endif

} // namespace

std::optional<QString> folderFileProblem(const QString &path)
{
    const QFileInfo info(path);
    QString kind;
    if (info.isSymLink())
        kind = QStringLiteral("символическая ссылка");
    else if (!info.exists() || info.isFile())
        return std::nullopt;
    else if (info.isDir())
        kind = QStringLiteral("папка");
    else if (safewrite::refusalFor(path) == safewrite::Refusal::Pipe)
        kind = QStringLiteral("именованный канал");
    else
        kind = QStringLiteral("устройство или сокет");
    return QStringLiteral("«%1» — %2, а не обычный файл: опрос хранит здесь свой файл и не "
                          "пишет в чужие. Удалите или переименуйте «%1».")
        .arg(shown(path), kind);
}

std::variant<std::optional<QByteArray>, QString> readFolderFile(const QString &path,
                                                                qint64 maxBytes)
{
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        return std::optional<QByteArray>();
    if (const auto problem = folderFileProblem(path))
        return *problem;
    QFile file;
#ifdef Q_OS_UNIX
    const int fd = openRegular(path, O_RDONLY);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::optional<QByteArray>();
        return openFailure(path);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("Не удалось открыть «%1».").arg(shown(path));
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Не удалось открыть «%1»: %2.").arg(shown(path), file.errorString());
#endif
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return QStringLiteral("Файл «%1» длиннее %2 байт: он не записан этой программой.")
            .arg(shown(path))
            .arg(maxBytes);
    return std::optional<QByteArray>(bytes);
}

std::optional<QString> writeFolderFile(const QString &path, const QByteArray &bytes)
{
    if (const auto problem = folderFileProblem(path))
        return problem;
    if (const auto failure = safewrite::replaceEntry(path, bytes))
        return QStringLiteral("Не удалось записать «%1»: %2.").arg(shown(path), *failure);
    return std::nullopt;
}

std::optional<QString> appendToFolderFile(const QString &path, const QByteArray &bytes,
                                          bool durable)
{
#ifdef Q_OS_UNIX
    const int fd = openRegular(path, O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0)
        return openFailure(path);
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written == 0 ? ENOSPC : errno;
            ::close(fd);
            return QStringLiteral("Не удалось дописать «%1»: %2.")
                .arg(shown(path), qt_error_string(error));
        }
        data += written;
        left -= written;
    }
    const bool synced = !durable || ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
        return QStringLiteral("Не удалось дописать «%1»: %2.")
            .arg(shown(path), qt_error_string(error));
    return std::nullopt;
#else
    if (const auto problem = folderFileProblem(path))
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("Не удалось дописать «%1»: %2.").arg(shown(path), file.errorString());
    // On the disk before the caller goes on, as fsync gives it elsewhere (FlushFileBuffers).
    if (durable && ::_commit(file.handle()) != 0)
        return QStringLiteral("Не удалось дописать «%1»: %2.")
            .arg(shown(path), qt_error_string(errno));
    return std::nullopt;
#endif
}

} // namespace web
