#pragma once

#include <QByteArray>
#include <QIODevice>
#include <optional>

// Reading an input whose length is capped, without ever holding more of it than the cap.
namespace boundedread {

// Everything `device` holds, up to `limit` bytes and one more: a result longer than `limit`
// says the input is too long, and the rest is never read. Sequential devices (pipes, stdin)
// report no size, so the reading goes piece by piece. Nothing if a read fails.
std::optional<QByteArray> readUpTo(QIODevice &device, qint64 limit);

} // namespace boundedread
