#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// The folder a save dialog proposes: `folderName` beside the executable (`programDir` ends
// with a separator) when the program may write there, as when it is not installed under
// /opt; else the same name under the user's documents folder. Nothing is created: a save
// that is cancelled leaves no trace. Native separators, no trailing separator.
QString defaultSaveFolder(const QString &programDir, const QString &folderName);

// The proposed folder made for a file about to be written into it, when it is missing; the
// folders made are taken away again unless the write succeeded and keep() was called.
class PendingSaveFolder {
public:
    PendingSaveFolder(const QString &filePath, const QString &proposedFolder);
    ~PendingSaveFolder();
    PendingSaveFolder(const PendingSaveFolder &) = delete;
    PendingSaveFolder &operator=(const PendingSaveFolder &) = delete;

    void keep() { m_made.clear(); }

private:
    QStringList m_made; // outermost first
};

// True when a file could be written in `folder`: it is a folder we may write in, or the
// nearest part of its path that exists is one, so that the rest can be made. Creates nothing.
bool couldWriteIn(const QString &folder);

} // namespace ui
