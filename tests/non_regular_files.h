#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <tuple>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// POSIX only: Windows has no device nodes or pipes among file names, and QFile::link there
// makes a shortcut file, not a link.
// Names that are not regular files, for showing that an output refuses them, and a
// snapshot of what a name is, for showing that a refused write left it alone.
namespace testfiles {

// A character device with /dev/null's numbers (root only; left out otherwise), a named
// pipe, a folder, a symbolic link to the pipe and one to nothing, each named with `suffix`.
inline QStringList makeSpecialFiles(const QDir &dir, const QString &suffix)
{
    QStringList made;
    const auto add = [&](const char *name, bool ok) {
        if (ok)
            made << dir.filePath(QLatin1String(name) + suffix);
    };
    const auto path = [&](const char *name) {
        return QFile::encodeName(dir.filePath(QLatin1String(name) + suffix));
    };
    add("node", ::mknod(path("node").constData(), S_IFCHR | 0644, makedev(1, 3)) == 0);
    add("fifo", ::mkfifo(path("fifo").constData(), 0644) == 0);
    add("folder", dir.mkdir(QStringLiteral("folder") + suffix));
    add("fifo-link", ::symlink(path("fifo").constData(), path("fifo-link").constData()) == 0);
    add("dangling", ::symlink(path("nowhere").constData(), path("dangling").constData()) == 0);
    return made;
}

// What a name is, without following a link: kind, device numbers, inode, size, link target.
inline auto pathState(const QString &path)
{
    struct stat st {};
    const bool exists = ::lstat(QFile::encodeName(path).constData(), &st) == 0;
    return std::make_tuple(exists, st.st_mode, st.st_rdev, st.st_ino, st.st_size,
                           QFile::symLinkTarget(path));
}

} // namespace testfiles
#endif
