#include "tools/output_guard.h"

#include "core/native_path.h"
#include "survey/result_names.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

// Both names lead to one file: the same path once links are resolved, or one file of the
// system (a hard link, another letter case).
bool sameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    return filecalls::sameFile(filecalls::nativePath(a), filecalls::nativePath(b));
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
                return QStringLiteral("%1: --out %2 — это входной файл %3; результат никогда не "
                                      "заменяет входной файл")
                    .arg(command, QDir::toNativeSeparators(out), QDir::toNativeSeparators(input));
            continue;
        }
        const QString folder = info.canonicalFilePath();
        for (const QString &place : places) {
            const QFileInfo written(place);
            if (sameFile(written.absolutePath(), folder) &&
                survey::isResultFileName(written.fileName()))
                return QStringLiteral("%1: --out %2 читался бы как файл результатов папки группы "
                                      "%3; запишите его в другое место или под другим именем")
                    .arg(command, QDir::toNativeSeparators(out), QDir::toNativeSeparators(input));
        }
    }
    return std::nullopt;
}

} // namespace cli
