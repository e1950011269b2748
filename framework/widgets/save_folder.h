#pragma once

#include <QString>

namespace ui {

// The folder a save dialog proposes: `folderName` beside the executable (`programDir` ends
// with a separator), created when missing. Where it cannot be created or written, as when the
// program is installed under /opt, the same name under the user's documents folder, created.
// Native separators, no trailing separator.
QString defaultSaveFolder(const QString &programDir, const QString &folderName);

// True when `folder` exists or can be made and a file can be created in it.
bool makeWritableFolder(const QString &folder);

} // namespace ui
