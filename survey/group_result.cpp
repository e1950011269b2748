#include "group_result.h"

#include "result_file.h"
#include "unit_pc1.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace survey {

bool matchesGroupPattern(const QString &name)
{
    return name.endsWith(QLatin1String(kGroupFilePattern + 1), Qt::CaseInsensitive);
}

QStringList groupFiles(const QString &folder)
{
    QStringList files;
    // Every kind of entry is listed and then sorted out here: only regular files (or links to
    // them) are taken, so that a pipe that matches the pattern can never block the load.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        if (entry.isFile() && matchesGroupPattern(entry.fileName()))
            files << entry.filePath();
    }
    // A fixed order, whatever the file system lists first: the same folder then gives the same
    // resampled figures for one seed, and names the same damaged file.
    files.sort();
    return files;
}

std::variant<GroupResult, GroupError> loadGroup(const QString &folder, const QByteArray &key16,
                                                const ResultFileVisitor &visit)
{
    GroupResult group;
    group.files = groupFiles(folder);
    if (group.files.isEmpty()) {
        return GroupError{
            folder,
            QStringLiteral("В папке «%1» нет файлов результатов «%2».")
                .arg(QDir::toNativeSeparators(folder), QLatin1String(kGroupFilePattern)),
            0};
    }
    group.respondents.reserve(std::size_t(group.files.size()));
    AnswerTable sums{};
    for (const QString &path : group.files) {
        const auto cipher = readResultFile(path);
        if (const auto *error = std::get_if<LoadError>(&cipher))
            return GroupError{path, error->message, error->line};
        const ResultText text(Pc1Decrypt(key16, std::get<QByteArray>(cipher)));
        const auto parsed = parseAnswerTable(text);
        if (const auto *error = std::get_if<LoadError>(&parsed))
            return GroupError{path, error->message, error->line};
        const AnswerTable &answers = std::get<AnswerTable>(parsed);
        if (visit)
            visit(path, text, answers);
        for (int row = 0; row < kAnswerRows; ++row)
            for (int column = 0; column < kAnswerColumns; ++column)
                sums[std::size_t(row)][std::size_t(column)] +=
                    answers[std::size_t(row)][std::size_t(column)];
        group.respondents.push_back(profileFromAnswers(answers));
    }
    // Whole-number fields keep every sum exact; only the two divisions round: each cell by n
    // here, then each score by 6 over the mean table.
    group.n = int(group.files.size());
    for (int row = 0; row < kAnswerRows; ++row)
        for (int column = 0; column < kAnswerColumns; ++column)
            group.means[std::size_t(row)][std::size_t(column)] =
                sums[std::size_t(row)][std::size_t(column)] / group.n;
    group.scores = profileFromAnswers(group.means);
    return group;
}

QString groupInfoLine(int n)
{
    return QStringLiteral("Информация по группе  (N = %1)").arg(n);
}

} // namespace survey
