#include "core/file_calls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filecalls {
namespace {

Result failure(Outcome outcome = Outcome::Failed)
{
    return {outcome, errno};
}

// The new entry's name survives a power cut only once its folder is on the disk too. A folder
// that cannot be synced (some network file systems) leaves the name as safe as the system keeps
// it.
void syncFolderOf(const NativePath &path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

} // namespace

Result createSynced(const NativePath &path, const char *data, std::size_t size)
{
    // O_NOFOLLOW: a link planted under the name is never followed to another file.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(errno == EEXIST ? Outcome::NameTaken : Outcome::Failed);
    if (!writeAll(fd, data, size) || ::fsync(fd) != 0) {
        const Result result = failure();
        ::close(fd);
        ::unlink(path.c_str());
        return result;
    }
    if (::close(fd) != 0) {
        const Result result = failure();
        ::unlink(path.c_str());
        return result;
    }
    return {};
}

Result moveWithoutReplacing(const NativePath &from, const NativePath &to)
{
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        syncFolderOf(to);
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failure(errno == EEXIST ? Outcome::NameTaken : Outcome::Failed);
#endif
    // A second name that link() gives only when it is free, then the first one goes: the file
    // has a name at every moment, and the temporary one is removed by the next writer at worst.
    if (::link(from.c_str(), to.c_str()) != 0)
        return failure(errno == EEXIST ? Outcome::NameTaken : Outcome::Failed);
    ::unlink(from.c_str());
    syncFolderOf(to);
    return {};
}

bool isPipe(const NativePath &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool sameFile(const NativePath &a, const NativePath &b)
{
    struct stat statA = {};
    struct stat statB = {};
    return ::stat(a.c_str(), &statA) == 0 && ::stat(b.c_str(), &statB) == 0 &&
           statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
}

} // namespace filecalls
