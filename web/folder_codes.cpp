#include "web/folder_codes.h"

#include "survey/result_file.h"
#include "survey/result_names.h"

#include <QFileInfo>

namespace web {

FolderCodes::FolderCodes(const QString &folder, const QByteArray &key16)
    : m_folder(folder), m_key(key16)
{
}

QStringList FolderCodes::codes()
{
    const auto listed = survey::resultEntries(m_folder);
    const auto *entries = std::get_if<std::vector<survey::ResultEntry>>(&listed);
    if (!entries) { // gone or unreadable: nobody has answered here that the page could be told of
        m_seen.clear();
        return {};
    }
    QHash<QString, Seen> now;
    QStringList codes;
    for (const survey::ResultEntry &entry : *entries) {
        if (entry.probe.kind != survey::EntryKind::RegularFile)
            continue;
        const QFileInfo info(entry.path);
        Seen seen = m_seen.value(entry.name);
        if (seen.size != info.size() || seen.modified != info.lastModified()) {
            seen = {info.size(), info.lastModified(), QString()};
            const auto loaded = survey::loadIndividualResult(entry.path, m_key);
            if (const auto *result = std::get_if<survey::IndividualResult>(&loaded))
                seen.code = result->code;
        }
        if (!seen.code.isEmpty())
            codes << seen.code;
        now.insert(entry.name, seen);
    }
    m_seen = std::move(now);
    return codes;
}

} // namespace web
