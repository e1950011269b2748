#include "survey/result_names.h"

#include <QFile>
#include <algorithm>

namespace survey {

bool isResultFileName(const QString &fileName)
{
    const QLatin1String tail(kGroupFilePattern + 1);
    return fileName.endsWith(tail, Qt::CaseInsensitive) &&
           !fileName.startsWith(QLatin1String("._"));
}

std::variant<std::vector<ResultEntry>, QString> resultEntries(const QString &folder)
{
    auto listed = folderEntryNames(folder);
    if (const auto *reason = std::get_if<QString>(&listed))
        return *reason;
    QList<QByteArray> &names = std::get<QList<QByteArray>>(listed);
    // A fixed order, whatever the file system lists first: the same folder then gives the same
    // resampled figures for one seed, and names the same damaged file.
    std::sort(names.begin(), names.end());
    QByteArray nativeFolder = nameBytes(folder);
    if (!nativeFolder.endsWith('/'))
        nativeFolder += '/';
    const QDir dir(folder);
    std::vector<ResultEntry> entries;
    for (const QByteArray &name : std::as_const(names)) {
        // The tail and the "._" are ASCII: a name that does not decode keeps them as they are.
        if (!isResultFileName(nameText(name)))
            continue;
        ResultEntry entry;
        entry.nativeName = name;
        const bool decodes = nameDecodes(name);
        entry.name = decodes ? nameText(name) : escapedName(name);
        entry.path = dir.filePath(entry.name);
        entry.probe = probeEntry(nativeFolder + name);
        if (!decodes && entry.probe.kind != EntryKind::Folder)
            entry.probe = {EntryKind::Unusable, QStringLiteral("имя файла не в кодировке UTF-8")};
        entries.push_back(std::move(entry));
    }
    return entries;
}

QStringList resultFileNames(const QDir &folder)
{
    QStringList names;
    const auto listed = resultEntries(folder.path());
    if (const auto *entries = std::get_if<std::vector<ResultEntry>>(&listed))
        for (const ResultEntry &entry : *entries)
            if (entry.probe.kind != EntryKind::Folder)
                names << entry.name;
    return names;
}

QStringList resultFilePaths(const QString &folder)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString &name : resultFileNames(dir))
        paths << dir.filePath(name);
    return paths;
}

} // namespace survey
