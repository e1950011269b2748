#include "desktop_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace shell {

// Every desktop Qt runs on has its own way of opening a file; Qt knows them all.
bool DesktopShell::openPath(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace shell
