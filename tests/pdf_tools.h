#pragma once

#include "under_wine.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <windows.h>
#endif

// poppler's tools (pdftotext, pdffonts, pdfinfo, pdfimages) on the PDFs the programs write.
// They are Linux programs: the Windows build's tests under Wine start them too, through the
// Linux shell on drive Z: (Wine runs a Linux program that a Windows one starts), with the
// Linux names of the files.
namespace testpdf {

// What to start for the tool `name`; empty when there is none.
inline QString program(const QString &name)
{
#ifdef Q_OS_WIN
    const QString onLinux = QStringLiteral("Z:/usr/bin/") + name;
    return testwine::underWine() && QFileInfo::exists(onLinux) ? onLinux : QString();
#else
    return QStandardPaths::findExecutable(name);
#endif
}

inline bool hasPoppler()
{
    return !program(QStringLiteral("pdftotext")).isEmpty();
}

// An argument as the tool reads it: a file by its Linux name under Wine.
inline QString argument(const QString &arg)
{
#ifdef Q_OS_WIN
    using UnixName = char *(CDECL *)(const wchar_t *);
    static const auto unixName = reinterpret_cast<UnixName>(
        QLibrary::resolve(QStringLiteral("kernel32"), "wine_get_unix_file_name"));
    if (!unixName || !QFileInfo::exists(arg))
        return arg;
    char *name = unixName(reinterpret_cast<const wchar_t *>(
        QDir::toNativeSeparators(QFileInfo(arg).absoluteFilePath()).utf16()));
    if (!name)
        return arg;
    const QString converted = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return converted;
#else
    return arg;
#endif
}

// The tool's standard output as UTF-8 text; a null string when it is missing, did not start
// or did not end within a minute.
inline QString run(const QString &name, const QStringList &args)
{
    const QString tool = program(name);
    if (tool.isEmpty())
        return {};
    QStringList given;
    for (const QString &arg : args)
        given << argument(arg);
#ifdef Q_OS_WIN
    // Wine starts a Linux program detached, with no handle to wait on and Wine's own output: a
    // shell writes the tool's output into a file and gives it its name once the tool has ended.
    QTemporaryDir work;
    const QString output = work.filePath(QStringLiteral("output"));
    const QString linuxOutput = argument(work.path()) + QStringLiteral("/output");
    if (!QProcess::startDetached(
            QStringLiteral("Z:/bin/sh"),
            QStringList{QStringLiteral("-c"),
                        QStringLiteral("out=$1; shift; \"$@\" >\"$out.part\" "
                                       "2>/dev/null; mv \"$out.part\" \"$out\""),
                        QStringLiteral("sh"), linuxOutput, QStringLiteral("/usr/bin/") + name} +
                given))
        return {};
    for (int wait = 0; wait < 1200 && !QFileInfo::exists(output); ++wait)
        QThread::msleep(50);
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
#else
    QProcess process;
    process.start(tool, given);
    if (!process.waitForStarted() || !process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
#endif
}

} // namespace testpdf
