#include "safe_write.h"

#include <QFileInfo>
#include <QSaveFile>

namespace safewrite {
namespace {

// The file that writing to `path` changes: the final target of a symbolic link (empty when
// the link leads nowhere), else the path itself.
QString targetOf(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymbolicLink() ? info.canonicalFilePath() : path;
}

} // namespace

Refusal refusalFor(const QString &path)
{
    const QString target = targetOf(path);
    if (target.isEmpty())
        return Refusal::DanglingLink;
    const QFileInfo info(target);
    if (!info.exists() || info.isFile())
        return Refusal::None;
    return info.isDir() ? Refusal::Folder : Refusal::NotRegular;
}

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    switch (refusalFor(path)) {
    case Refusal::None:
        break;
    case Refusal::DanglingLink:
        return QStringLiteral("the symbolic link leads to no file");
    case Refusal::Folder:
        return QStringLiteral("it is a folder");
    case Refusal::NotRegular:
        return QStringLiteral("it is not a regular file");
    }
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write's result:
    // a buffered QSaveFile would commit the shortened file. Without commit the temporary file
    // goes and an earlier file stays as it was.
    QSaveFile file(targetOf(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace safewrite
