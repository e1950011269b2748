#include "save_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace ui {

// Decided by an actual test write: permission bits do not stop root, a read-only mount does.
bool makeWritableFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

QString defaultSaveFolder(const QString &programDir, const QString &folderName)
{
    const QString besideProgram = QDir::fromNativeSeparators(programDir) + folderName;
    if (makeWritableFolder(besideProgram))
        return QDir::toNativeSeparators(besideProgram);

    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    const QString inDocuments = QDir(documents).filePath(folderName);
    QDir().mkpath(inDocuments); // when even this fails, the dialog still names a sensible place
    return QDir::toNativeSeparators(inDocuments);
}

} // namespace ui
