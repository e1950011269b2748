#include "cli_io.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace cli {

bool writeStdout(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const auto size = std::size_t(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
}

std::optional<QByteArray> readInput(const QString &path, qint64 maxBytes, bool *tooLong)
{
    QFile file;
    if (path == QLatin1String("-")) {
#ifdef Q_OS_WIN
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        if (!file.open(stdin, QIODevice::ReadOnly))
            return std::nullopt;
    } else {
        if (QFileInfo(path).isDir())
            return std::nullopt;
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
    }
    QByteArray bytes;
    // Sequential input reports no size, so read piecewise up to one byte past the limit.
    while (bytes.size() <= maxBytes) {
        const QByteArray chunk = file.read(maxBytes + 1 - bytes.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return std::nullopt;
            break;
        }
        bytes += chunk;
    }
    *tooLong = bytes.size() > maxBytes;
    return bytes;
}

} // namespace cli
