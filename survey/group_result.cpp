#include "survey/group_result.h"

#include "survey/file_access.h"
#include "survey/respondent_codes.h"
#include "survey/result_file.h"

#include <QDir>

namespace survey {

namespace {

GroupError groupError(const QString &path, const LoadError &error)
{
    return {path, error.message, error.line, error.reason};
}

} // namespace

QString GroupError::text() const
{
    if (!reason.isEmpty())
        return reason;
    return line == 0 ? message : QStringLiteral("%1 (строка %2)").arg(message).arg(line);
}

std::variant<QStringList, GroupError> groupFiles(const QString &folder)
{
    auto listed = resultEntries(folder);
    if (const auto *reason = std::get_if<QString>(&listed))
        return GroupError{
            folder,
            QStringLiteral("Не удаётся открыть папку «%1»").arg(QDir::toNativeSeparators(folder)),
            0, *reason};
    QStringList files;
    for (const ResultEntry &entry : std::get<std::vector<ResultEntry>>(listed)) {
        if (entry.probe.kind == EntryKind::Folder)
            continue;
        if (entry.probe.kind == EntryKind::Unusable)
            return groupError(entry.path, cannotOpenFile(entry.path, entry.probe.reason));
        files << entry.path;
    }
    return files;
}

std::variant<GroupResult, GroupError> loadGroup(const QString &folder, const QByteArray &key16,
                                                const ResultFileVisitor &visit)
{
    auto listed = groupFiles(folder);
    if (auto *error = std::get_if<GroupError>(&listed))
        return std::move(*error);
    const QStringList &files = std::get<QStringList>(listed);
    if (files.isEmpty()) {
        return GroupError{
            folder,
            QStringLiteral("В папке «%1» нет файлов результатов «%2».")
                .arg(QDir::toNativeSeparators(folder), QLatin1String(kGroupFilePattern)),
            0};
    }
    return loadGroupFiles(files, key16, visit);
}

std::variant<GroupResult, GroupError>
loadGroupFiles(const QStringList &files, const QByteArray &key16, const ResultFileVisitor &visit)
{
    GroupBuilder builder;
    for (const QString &path : files) {
        QByteArray plain; // for the visitor
        const auto loaded = loadIndividualResult(path, key16, &plain);
        if (const auto *error = std::get_if<LoadError>(&loaded))
            return groupError(path, *error);
        const IndividualResult &result = std::get<IndividualResult>(loaded);
        if (visit)
            visit(path, ResultText(plain), result.answers);
        builder.add(result.answers, path, result.code);
    }
    return builder.take();
}

PointTotals pointTotals(const AnswerTable &answers)
{
    PointTotals points{};
    for (int row = 0; row < kAnswerRows; ++row)
        for (int type = 0; type < kTypeCount; ++type)
            points[scoreIndex(row / kQuestionCount, type)] +=
                qint64(answers[std::size_t(row)][std::size_t(type)]);
    return points;
}

int GroupResult::people() const
{
    return distinctRespondents(codes);
}

void GroupBuilder::add(const AnswerTable &answers, const QString &file, const QString &code)
{
    for (int row = 0; row < kAnswerRows; ++row)
        for (int column = 0; column < kAnswerColumns; ++column)
            m_sums[std::size_t(row)][std::size_t(column)] +=
                answers[std::size_t(row)][std::size_t(column)];
    const PointTotals points = pointTotals(answers);
    for (std::size_t k = 0; k < points.size(); ++k)
        m_group.points[k] += points[k];
    m_group.respondents.push_back(profileFromAnswers(answers));
    m_group.files << file;
    m_group.codes << code;
    ++m_group.n;
}

GroupResult GroupBuilder::take()
{
    // Whole-number fields keep every sum exact; each figure is then divided once: a cell by
    // n, a score by 6 n.
    GroupResult group = std::move(m_group);
    for (int row = 0; row < kAnswerRows; ++row)
        for (int column = 0; column < kAnswerColumns; ++column)
            group.means[std::size_t(row)][std::size_t(column)] =
                m_sums[std::size_t(row)][std::size_t(column)] / group.n;
    for (std::size_t k = 0; k < group.points.size(); ++k)
        group.scores[k] = double(group.points[k]) / (double(kQuestionCount) * group.n);
    m_group = GroupResult();
    m_sums = AnswerTable{};
    return group;
}

QString smallGroupMark(int n, int floor)
{
    if (n >= floor)
        return QString();
    // The genitive after «меньше»: «5 респондентов», «21 респондента».
    const bool one = floor % 10 == 1 && floor % 100 != 11;
    return QStringLiteral("меньше %1\u00A0%2")
        .arg(floor)
        .arg(one ? QStringLiteral("респондента") : QStringLiteral("респондентов"));
}

QString groupInfoLine(int n)
{
    return QStringLiteral("Информация по группе  (N = %1)").arg(n);
}

} // namespace survey
