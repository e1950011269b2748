#pragma once

#include "desk/survey_folder.h"

#include <QAbstractTableModel>

namespace desk {

// The respondents of one group as table rows: code, free text, date, duration, the eight
// scores, then the file and its state. A damaged file shows in red with "✖" and its reason,
// one its reading warns of, or that repeats another file's code (state «учтён, повтор кода»),
// on yellow with "⚠" before its code and the warnings in its tooltip,
// an excluded one in grey without marks, whatever it holds. Sorting goes by the numbers themselves
// (Qt::UserRole). The file's path, the file whose code it repeats and what its reading let
// through, a line each.
QString warningsText(const Respondent &respondent);

class RespondentTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, FreeText, Date, Duration, FirstScore, File = FirstScore + 8, State, Count };

    explicit RespondentTable(QObject *parent = nullptr);

    void setRespondents(std::vector<Respondent> respondents);
    const Respondent &respondent(int row) const { return m_rows[std::size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Respondent> m_rows;
};

} // namespace desk
