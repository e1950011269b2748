#pragma once

#include "core/text_codec.h"
#include "survey/unit_pc1.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Builds result files as the questionnaire program writes them, and reads and writes files.
namespace testfiles {

using survey::programKey;

// A plain result text: header lines, then twelve answer lines "%4d%4d%4d%4d%7d".
inline QString resultText(const QString &code, const std::array<std::array<int, 5>, 12> &rows)
{
    QStringList lines(23);
    lines[0] = QStringLiteral("12.03.2026");
    lines[1] = code;
    lines[2] = QStringLiteral("Отдел продаж");
    lines[3] = QStringLiteral("Начало теста");
    lines[4] = QStringLiteral("10:15:32");
    lines[8] = QStringLiteral("00:14:05");
    for (const auto &row : rows)
        lines << QString::asprintf("%4d%4d%4d%4d%7d", row[0], row[1], row[2], row[3], row[4]);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// Every row the same: a simple profile with known scores.
inline std::array<std::array<int, 5>, 12> uniformRows(std::array<int, 4> now,
                                                      std::array<int, 4> future)
{
    std::array<std::array<int, 5>, 12> rows{};
    for (int r = 0; r < 12; ++r) {
        const auto &p = r < 6 ? now : future;
        rows[r] = {p[0], p[1], p[2], p[3], 30 + r};
    }
    return rows;
}

inline QByteArray encrypt(const QString &plain)
{
    QString text = plain;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return survey::Pc1Encrypt(programKey(), textcodec::toWindows1251(text));
}

// A result, encrypted, with line `line` (0-based) replaced, cut after `keep` lines, `after` added.
inline QByteArray resultWithLine(int line, const char *text, int keep = 35, const char *after = "")
{
    QStringList lines =
        resultText({}, uniformRows({25, 25, 25, 25}, {40, 30, 20, 10})).split("\r\n");
    lines[line] = QString::fromUtf8(text);
    return encrypt(lines.mid(0, keep).join("\r\n") + "\r\n" + QString::fromUtf8(after));
}

inline bool writeFile(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A result of `code` as `name` in `folder`: a second questionnaire of a code is such a file
// under the writer's next name ("I4-2OCAI.cry").
inline bool writeCodedResult(const QString &folder, const QString &name, const QString &code)
{
    return writeFile(folder + u'/' + name,
                     encrypt(resultText(code, uniformRows({25, 25, 25, 25}, {40, 30, 20, 10}))));
}

// A file's bytes, or a marker that no file holds.
inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace testfiles
