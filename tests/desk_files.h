#pragma once

#include "result_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSemaphore>
#include <atomic>
#include <map>

// Survey folders for the desk's tests: result files written where a test wants them, and a
// load held on its thread for as long as a test needs.
namespace deskfiles {

inline QByteArray resultBytes(const QString &code, std::array<int, 4> now = {40, 30, 20, 10})
{
    return testfiles::encrypt(
        testfiles::resultText(code, testfiles::uniformRows(now, {25, 25, 25, 25})));
}

// Writes `bytes` to `path`, making its folders.
inline bool put(const QString &path, const QByteArray &bytes)
{
    return QDir().mkpath(QFileInfo(path).path()) && testfiles::writeFile(path, bytes);
}

inline bool writeResult(const QString &path, const QString &code)
{
    return put(path, resultBytes(code));
}

// Every file under `folder` with its bytes, by path relative to `folder`.
inline std::map<QString, QByteArray> tree(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = testfiles::contentsOf(path);
    }
    return files;
}

// A gate on the loading thread: armed, it stops the next load there until opened.
struct LoadGate {
    std::atomic_bool armed{false};
    QSemaphore reached, open;

    void operator()()
    {
        if (armed.exchange(false)) {
            reached.release();
            open.tryAcquire(1, 30000); // bounded: a failed test never hangs the loader
        }
    }
};

} // namespace deskfiles
