#pragma once

#include "file_calls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace filecalls {

// `path` as the system's calls take it. On Windows a path near or past MAX_PATH goes in its
// long form (\\?\C:\..., \\?\UNC\server\...), absolute and clean, as Qt's own calls give it.
inline NativePath nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    constexpr qsizetype kShortLimit = 240; // MAX_PATH less room for a folder's 8.3 entry
    if (path.size() < kShortLimit || path.startsWith(QLatin1String("\\\\?\\")) ||
        path.startsWith(QLatin1String("//?/")))
        return QDir::toNativeSeparators(path).toStdWString();
    const QString full =
        QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    const QString prefixed = full.startsWith(QLatin1String("\\\\"))
                                 ? QStringLiteral("\\\\?\\UNC\\") + full.mid(2)
                                 : QStringLiteral("\\\\?\\") + full;
    return prefixed.toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace filecalls
