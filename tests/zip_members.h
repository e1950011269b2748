#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <utility>
#include <vector>
#include <zlib.h>

// The members of a zip file (a workbook) read in the test's own process, as a spreadsheet
// program reads them: no unzip program, which the Windows build cannot start.
namespace testzip {

// Every member's content by name, in the order of the central directory; empty when the file
// is no zip this reader knows (stored and deflated members, no zip64).
inline std::vector<std::pair<QString, QByteArray>> members(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray zip = file.readAll();
    const auto u16 = [&](qsizetype at) {
        return at + 2 <= zip.size() ? qFromLittleEndian<quint16>(zip.constData() + at) : 0u;
    };
    const auto u32 = [&](qsizetype at) {
        return at + 4 <= zip.size() ? qFromLittleEndian<quint32>(zip.constData() + at) : 0u;
    };
    qsizetype end = zip.size() - 22;
    while (end >= 0 && u32(end) != 0x06054b50)
        --end;
    if (end < 0)
        return {};
    std::vector<std::pair<QString, QByteArray>> found;
    qsizetype entry = u32(end + 16);
    for (int i = 0, count = int(u16(end + 10)); i < count; ++i) {
        if (u32(entry) != 0x02014b50)
            return {};
        const quint32 method = u16(entry + 10), packed = u32(entry + 20), size = u32(entry + 24);
        const qsizetype nameLength = u16(entry + 28), local = u32(entry + 42);
        const QString name = QString::fromUtf8(zip.mid(entry + 46, nameLength));
        entry += 46 + nameLength + u16(entry + 30) + u16(entry + 32);
        const qsizetype data = local + 30 + u16(local + 26) + u16(local + 28);
        const QByteArray stored = zip.mid(data, packed);
        if (u32(local) != 0x04034b50 || stored.size() != qsizetype(packed))
            return {};
        QByteArray content(qsizetype(size), '\0');
        if (method == 0) {
            content = stored;
        } else {
            z_stream stream{};
            if (method != 8 || inflateInit2(&stream, -MAX_WBITS) != Z_OK)
                return {};
            stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stored.constData()));
            stream.avail_in = uInt(stored.size());
            stream.next_out = reinterpret_cast<Bytef *>(content.data());
            stream.avail_out = uInt(content.size());
            const int inflated = inflate(&stream, Z_FINISH);
            inflateEnd(&stream);
            if (inflated != Z_STREAM_END || stream.total_out != size)
                return {};
        }
        found.emplace_back(name, content);
    }
    return found;
}

inline QStringList names(const QString &path)
{
    QStringList list;
    for (const auto &[name, content] : members(path))
        list << name;
    return list;
}

inline QByteArray member(const QString &path, const QString &wanted)
{
    for (const auto &[name, content] : members(path))
        if (name == wanted)
            return content;
    return {};
}

} // namespace testzip
