#include "tools/output_guard.h"

#include "survey/result_names.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace cli {
namespace {

// Both names lead to one file: the same path once links are resolved, or one inode.
bool sameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
#ifdef Q_OS_UNIX
    struct stat statA, statB;
    return ::stat(QFile::encodeName(a).constData(), &statA) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &statB) == 0 && statA.st_dev == statB.st_dev &&
           statA.st_ino == statB.st_ino;
#else
    return false;
#endif
}

// The places a write to `out` touches: the name itself, in its folder with links resolved,
// and the file a link leads to.
QStringList placesOf(const QString &out)
{
    const QFileInfo info(out);
    QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = info.absolutePath();
    QStringList places{QDir(folder).filePath(info.fileName())};
    if (const QString target = info.canonicalFilePath(); !target.isEmpty())
        places << target;
    return places;
}

} // namespace

std::optional<QString> outputOntoInput(const QString &command, const QString &out,
                                       const QStringList &inputs)
{
    const QStringList places = placesOf(out);
    for (const QString &input : inputs) {
        const QFileInfo info(input);
        if (input == QLatin1String("-") || !info.exists())
            continue;
        if (!info.isDir()) {
            if (sameFile(out, input))
                return QStringLiteral("%1: --out %2 is the input %3; an output never replaces "
                                      "an input")
                    .arg(command, QDir::toNativeSeparators(out), QDir::toNativeSeparators(input));
            continue;
        }
        const QString folder = info.canonicalFilePath();
        for (const QString &place : places) {
            const QFileInfo written(place);
            if (written.absolutePath() == folder && survey::isResultFileName(written.fileName()))
                return QStringLiteral("%1: --out %2 would be read as a result file of the group "
                                      "folder %3; write it elsewhere or give it another name")
                    .arg(command, QDir::toNativeSeparators(out), QDir::toNativeSeparators(input));
        }
    }
    return std::nullopt;
}

} // namespace cli
