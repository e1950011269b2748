#include "tools/muted_stderr.h"

#include <QtGlobal>
#include <cstdio>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace cli {
namespace {

// The C runtime's stderr on every system.
constexpr int kStderr = 2;

#ifdef Q_OS_WIN
int dupDescriptor(int fd)
{
    return _dup(fd);
}
int dupDescriptorTo(int fd, int to)
{
    return _dup2(fd, to);
}
int closeDescriptor(int fd)
{
    return _close(fd);
}
int openNull()
{
    return _open("NUL", _O_WRONLY);
}
#else
int dupDescriptor(int fd)
{
    return ::dup(fd);
}
int dupDescriptorTo(int fd, int to)
{
    return ::dup2(fd, to);
}
int closeDescriptor(int fd)
{
    return ::close(fd);
}
int openNull()
{
    return ::open("/dev/null", O_WRONLY | O_CLOEXEC);
}
#endif

} // namespace

MutedStderr::MutedStderr()
{
    std::fflush(stderr);
    const int null = openNull();
    if (null < 0)
        return;
    m_saved = dupDescriptor(kStderr);
    if (m_saved >= 0 && dupDescriptorTo(null, kStderr) < 0) {
        closeDescriptor(m_saved);
        m_saved = -1;
    }
    closeDescriptor(null);
}

MutedStderr::~MutedStderr()
{
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    dupDescriptorTo(m_saved, kStderr);
    closeDescriptor(m_saved);
}

} // namespace cli
