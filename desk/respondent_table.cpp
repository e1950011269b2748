#include "desk/respondent_table.h"

#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "survey/respondent_codes.h"

#include <QBrush>
#include <QColor>
#include <QDir>
#include <algorithm>

namespace desk {
namespace {

// Where each shown text stands in RespondentRow::texts (see documents::kRespondentTextLines).
constexpr int kCodeText = 0, kFreeText = 1, kDateText = 2, kDurationText = 4;

QString scoreHeader(int score)
{
    const int state = score / survey::kTypeCount;
    return documents::typeLetter(score % survey::kTypeCount) +
           (state == 0 ? QStringLiteral(" тек.") : QStringLiteral(" жел."));
}

} // namespace

QString warningsText(const Respondent &respondent)
{
    QString text = QDir::toNativeSeparators(respondent.path);
    if (!respondent.repeatOf.isEmpty())
        text +=
            QLatin1Char('\n') + survey::codeRepeatText(respondent.row.code(), respondent.repeatOf);
    if (!respondent.warnings.isEmpty())
        text += QStringLiteral("\nПри чтении файла замечено:\n• ") +
                respondent.warnings.join(QStringLiteral("\n• "));
    return text;
}

RespondentTable::RespondentTable(QObject *parent) : QAbstractTableModel(parent) {}

void RespondentTable::setRespondents(std::vector<Respondent> respondents)
{
    beginResetModel();
    m_rows = std::move(respondents);
    endResetModel();
}

int RespondentTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RespondentTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count;
}

QVariant RespondentTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Respondent &r = m_rows[std::size_t(index.row())];
    const int column = index.column();
    const bool damaged = !r.problem.isEmpty();
    // An excluded file is shown as excluded only: it counts for nothing whatever it holds.
    const bool marked = !r.excluded;
    const bool repeat = !r.repeatOf.isEmpty() && marked;
    const bool warned = (!r.warnings.isEmpty() || repeat) && marked;
    if (role == Qt::ForegroundRole) {
        if (r.excluded)
            return QBrush(Qt::gray);
        return damaged ? QBrush(QColor(192, 0, 0)) : QVariant();
    }
    if (role == Qt::BackgroundRole)
        return warned ? QBrush(QColor(255, 243, 196)) : QVariant();
    if (role == Qt::ToolTipRole) {
        if (damaged)
            return r.problem;
        return warned ? warningsText(r) : QDir::toNativeSeparators(r.path);
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole && role != Qt::AccessibleTextRole)
        return {};
    const bool sortKey = role == Qt::UserRole;
    if (column >= FirstScore && column < File) {
        if (damaged)
            return sortKey ? QVariant(-1.0) : QVariant();
        const double score = r.row.scores[std::size_t(column - FirstScore)];
        return sortKey ? QVariant(score) : QVariant(report::number(score));
    }
    switch (column) {
    case Code: {
        // Marked where the eye starts reading the row, as the group list marks the group;
        // sorted by the code alone.
        const QString code = damaged ? r.row.fileName : r.row.texts[kCodeText];
        if (sortKey || !marked)
            return code;
        return damaged ? QStringLiteral("✖ ") + code : warned ? QStringLiteral("⚠ ") + code : code;
    }
    case FreeText:
        return damaged ? QStringLiteral("Не читается: ") + r.problem : r.row.texts[kFreeText];
    case Date:
        if (sortKey) { // "dd.MM.yyyy" sorts by year, month, day
            QStringList parts = r.row.texts[kDateText].split(QLatin1Char('.'));
            std::reverse(parts.begin(), parts.end());
            return parts.join(QLatin1Char('.'));
        }
        return r.row.texts[kDateText];
    case Duration:
        return r.row.texts[kDurationText];
    case File:
        return r.row.fileName;
    case State:
        if (r.excluded)
            return QStringLiteral("исключён");
        if (damaged)
            return QStringLiteral("повреждён");
        return repeat ? QStringLiteral("учтён, ") + survey::kCodeRepeatMark
                      : QStringLiteral("учтён");
    }
    return {};
}

QVariant RespondentTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Code:
        return QStringLiteral("Код");
    case FreeText:
        return QStringLiteral("Свободный текст");
    case Date:
        return QStringLiteral("Дата");
    case Duration:
        return QStringLiteral("Длительность");
    case File:
        return QStringLiteral("Файл");
    case State:
        return QStringLiteral("Состояние");
    default:
        return scoreHeader(section - FirstScore);
    }
}

} // namespace desk
