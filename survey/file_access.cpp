#include "survey/file_access.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDir>
#endif

namespace survey {
namespace {

const QString kNoPermission = QStringLiteral("нет прав на чтение");
const QString kIsFolder = QStringLiteral("это папка");

#ifdef Q_OS_UNIX

// Why a name of the given kind cannot be read as a file.
QString kindReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return kIsFolder;
    if (S_ISFIFO(mode))
        return QStringLiteral("это именованный канал, а не файл");
    if (S_ISSOCK(mode))
        return QStringLiteral("это сокет, а не файл");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("это устройство, а не файл");
    return QStringLiteral("это не обычный файл");
}

// Why stat, open or opendir of `nativePath` failed with `error`; `missing` words ENOENT.
QString errnoReason(int error, const QByteArray &nativePath, const QString &missing)
{
    struct stat link {};
    switch (error) {
    case ENOENT:
        if (::lstat(nativePath.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return QStringLiteral("символическая ссылка ведёт к несуществующему файлу");
        return missing;
    case ENOTDIR:
        return missing;
    case EACCES:
    case EPERM:
        return kNoPermission;
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя");
    case ELOOP:
        return QStringLiteral("символические ссылки замкнуты в круг");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

#endif

} // namespace

QByteArray nameBytes(const QString &name)
{
#ifdef Q_OS_WIN
    return name.toUtf8();
#else
    return QFile::encodeName(name);
#endif
}

QString nameText(const QByteArray &name)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(name);
#else
    return QFile::decodeName(name);
#endif
}

#ifdef Q_OS_UNIX

EntryProbe probeEntry(const QByteArray &nativePath)
{
    struct stat st {};
    if (::stat(nativePath.constData(), &st) != 0)
        return {EntryKind::Unusable,
                errnoReason(errno, nativePath, QStringLiteral("нет такого файла"))};
    if (S_ISREG(st.st_mode))
        return {EntryKind::RegularFile, {}};
    if (S_ISDIR(st.st_mode))
        return {EntryKind::Folder, kIsFolder};
    return {EntryKind::Unusable, kindReason(st.st_mode)};
}

std::variant<std::unique_ptr<QFile>, QString> openRegularFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const EntryProbe probe = probeEntry(native);
    if (probe.kind != EntryKind::RegularFile)
        return probe.reason;
    // Without blocking, in case the name was swapped for a pipe since the probe; what was
    // opened is checked again below.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errnoReason(errno, native, QStringLiteral("нет такого файла"));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kindReason(st.st_mode);
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file->errorString();
    }
    return file;
}

std::variant<QList<QByteArray>, QString> folderEntryNames(const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir) {
        if (errno == ENOTDIR)
            return QStringLiteral("это не папка");
        return errnoReason(errno, native, QStringLiteral("нет такой папки"));
    }
    QList<QByteArray> names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        return errnoReason(error, native, QStringLiteral("нет такой папки"));
    return names;
}

#else

EntryProbe probeEntry(const QByteArray &nativePath)
{
    const QFileInfo info(nameText(nativePath));
    if (info.isDir())
        return {EntryKind::Folder, kIsFolder};
    if (info.isFile())
        return {EntryKind::RegularFile, {}};
    if (info.isSymLink())
        return {EntryKind::Unusable,
                QStringLiteral("символическая ссылка ведёт к несуществующему файлу")};
    return {EntryKind::Unusable, info.exists() ? QStringLiteral("это не обычный файл")
                                               : QStringLiteral("нет такого файла")};
}

std::variant<std::unique_ptr<QFile>, QString> openRegularFile(const QString &path)
{
    const EntryProbe probe = probeEntry(nameBytes(path));
    if (probe.kind != EntryKind::RegularFile)
        return probe.reason;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return file->error() == QFileDevice::PermissionsError ? kNoPermission : file->errorString();
    return file;
}

std::variant<QList<QByteArray>, QString> folderEntryNames(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("нет такой папки");
    if (!info.isDir())
        return QStringLiteral("это не папка");
    if (!info.isReadable())
        return kNoPermission;
    QList<QByteArray> names;
    for (const QString &name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        names << nameBytes(name);
    return names;
}

#endif

bool nameDecodes(const QByteArray &name)
{
    return nameBytes(nameText(name)) == name;
}

QString escapedName(const QByteArray &name)
{
    QString text;
    const auto escape = [&text](char byte) {
        text += QLatin1String("\\x") +
                QStringLiteral("%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
    };
    for (qsizetype i = 0; i < name.size();) {
        const uchar lead = uchar(name[i]);
        // The length a UTF-8 sequence starting with `lead` has; a stray byte counts as one.
        const qsizetype length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const QByteArray sequence = name.mid(i, length);
        const QString decoded = QString::fromUtf8(sequence);
        if (lead >= 0x80 && sequence.size() == length && decoded.toUtf8() == sequence) {
            text += decoded;
            i += length;
        } else if (lead >= 0x20 && lead < 0x7F) {
            text += QChar(lead);
            ++i;
        } else {
            escape(char(lead));
            ++i;
        }
    }
    return text;
}

} // namespace survey
