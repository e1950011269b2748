#include "bounded_read.h"

#include <algorithm>

namespace boundedread {

std::optional<QByteArray> readUpTo(QIODevice &device, qint64 limit)
{
    // Pieces of at most this size: a cap far beyond the input costs no memory up front.
    constexpr qint64 kPiece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= limit) {
        const qsizetype held = bytes.size();
        const qint64 wanted = std::min(kPiece, limit + 1 - held);
        bytes.resize(held + qsizetype(wanted));
        const qint64 got = device.read(bytes.data() + held, wanted);
        if (got < 0)
            return std::nullopt;
        bytes.resize(held + qsizetype(got));
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace boundedread
