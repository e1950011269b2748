#include "survey/respondent_codes.h"

#include "survey/result_writer.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>

namespace survey {
namespace {

// The copy number a writer gave the file of `code` ("<code>OCAI.cry" 1, "<code>-3OCAI.cry" 3),
// or INT_MAX for a name no writer gives it (renamed or copied by hand).
int copyOf(const QString &fileName, const QString &code)
{
    if (fileName.compare(resultFileName(code, 1), Qt::CaseInsensitive) == 0)
        return 1;
    const QString tail = resultFileName(QString(), 1);
    const QString stem = code + QLatin1Char('-');
    if (!fileName.startsWith(stem, Qt::CaseInsensitive) ||
        !fileName.endsWith(tail, Qt::CaseInsensitive))
        return INT_MAX;
    const QString number = fileName.mid(stem.size(), fileName.size() - stem.size() - tail.size());
    bool whole = false;
    const int copy = number.toInt(&whole);
    // Only the writer's own form: "-02" or "-+2" is some other name.
    return whole && copy >= 2 && number == QString::number(copy) ? copy : INT_MAX;
}

} // namespace

QString respondentKey(const QString &code)
{
    return code.trimmed().toCaseFolded();
}

std::vector<CodeRepeat> codeRepeats(const QStringList &fileNames, const QStringList &codes)
{
    QHash<QString, std::vector<int>> byKey;
    QStringList keys;
    for (int i = 0; i < codes.size(); ++i) {
        const QString key = respondentKey(codes[i]);
        if (key.isEmpty())
            continue;
        if (!byKey.contains(key))
            keys << key;
        byKey[key].push_back(i);
    }
    std::vector<CodeRepeat> repeats;
    for (const QString &key : std::as_const(keys)) {
        const std::vector<int> &files = byKey[key];
        if (files.size() < 2)
            continue;
        const auto copy = [&](int i) { return copyOf(fileNames.value(i), codes[i].trimmed()); };
        const int first = *std::min_element(files.begin(), files.end(),
                                            [&](int a, int b) { return copy(a) < copy(b); });
        for (int file : files)
            if (file != first)
                repeats.push_back({file, first});
    }
    std::sort(repeats.begin(), repeats.end(),
              [](const CodeRepeat &a, const CodeRepeat &b) { return a.file < b.file; });
    return repeats;
}

QString codeRepeatText(const QString &code, const QString &firstFile)
{
    return QStringLiteral("%1 «%2»: тот же код в файле «%3»")
        .arg(kCodeRepeatMark, code.trimmed(), firstFile);
}

int distinctRespondents(const QStringList &codes)
{
    QSet<QString> seen;
    int people = 0;
    for (const QString &code : codes) {
        const QString key = respondentKey(code);
        if (key.isEmpty() || !seen.contains(key))
            ++people;
        if (!key.isEmpty())
            seen.insert(key);
    }
    return people;
}

bool codeAnswered(const QStringList &codes, const QString &code)
{
    const QString key = respondentKey(code);
    return !key.isEmpty() && std::any_of(codes.begin(), codes.end(), [&](const QString &other) {
        return respondentKey(other) == key;
    });
}

} // namespace survey
