#pragma once

#include "file_calls.h"

#include <QDir>
#include <QFile>

namespace filecalls {

// `path` as the system's calls take it.
inline NativePath nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace filecalls
