#include "save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

// Decided from the access rights, which also know a read-only mount.
bool couldWriteIn(const QString &folder)
{
    for (QString path = QDir::cleanPath(folder);;) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            return info.isDir() && info.isWritable();
        const QString parent = info.path();
        if (parent == path)
            return false;
        path = parent;
    }
}

namespace {

// The parts of `folder` that do not exist yet, outermost first.
QStringList missingParts(const QString &folder)
{
    QStringList missing;
    for (QString path = QDir::cleanPath(folder); !QFileInfo(path).exists();) {
        if (QFileInfo(path).isSymLink())
            return {}; // a dangling link: mkpath fails, and nothing is ours to take away
        missing.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return missing;
}

} // namespace

QString defaultSaveFolder(const QString &programDir, const QString &folderName)
{
    const QString besideProgram = QDir::fromNativeSeparators(programDir) + folderName;
    if (couldWriteIn(besideProgram))
        return QDir::toNativeSeparators(besideProgram);

    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir::toNativeSeparators(QDir(documents).filePath(folderName));
}

PendingSaveFolder::PendingSaveFolder(const QString &filePath, const QString &proposedFolder)
{
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(proposedFolder));
    // Only the folder the dialog proposed is made; a path the user typed must exist.
    if (QFileInfo(QDir::fromNativeSeparators(filePath)).absolutePath() != folder)
        return;
    const QStringList missing = missingParts(folder);
    if (!missing.isEmpty() && QDir().mkpath(folder))
        m_made = missing;
}

PendingSaveFolder::~PendingSaveFolder()
{
    for (auto it = m_made.crbegin(); it != m_made.crend(); ++it)
        QDir().rmdir(*it); // only while empty: nothing of the user's goes
}

} // namespace ui
