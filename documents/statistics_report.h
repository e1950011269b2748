#pragma once

#include "survey/group_statistics.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <vector>

// The group statistics as text for people (Russian, at most 100 columns, numbers with "."),
// and as CSV and JSON with full precision and stable keys. Shared helpers serve the other
// group reports too.
namespace documents {

// "A" .. "D".
QString typeLetter(int type);
// The short Russian name of a type: "Клан", "Адхократия", "Рынок", "Иерархия".
QString typeShortName(int type);
// The letter and the short name, "A Клан": a type as the sheets and the statistics name it.
QString typeLetterName(int type);
// "A  Клан": the first column of the text tables.
QString typeColumnLabel(int type);
// The two states as reports name them: "Текущее" (0), "Желаемое" (1).
QString stateCaption(int state);
// Letters joined by `separator`.
QString typeLetters(const std::vector<int> &types, const QString &separator);
QJsonArray typeLetterArray(const std::vector<int> &types);

// The shortest text that reads back as the same double; "inf" and "-inf" for infinities.
QString fullPrecision(double value);
// The one number format of the documents: fixed decimals with `separator` and a sign when
// `sign` is set ("+1.50", "-0.25", "0.00"); a value that rounds to zero is unsigned.
QString fixed(double value, int decimals, bool sign = false, QChar separator = QLatin1Char('.'));
// The same of a group figure, rounded on its exact value (see formatMean).
QString fixed(const survey::Mean &value, int decimals, bool sign = false,
              QChar separator = QLatin1Char('.'));
// fullPrecision of the figure's value: the double nearest to it.
QString fullPrecision(const survey::Mean &value);

// A title line naming `source`, then the tables.
QString statisticsText(const survey::GroupStatistics &statistics, const QString &source);

// "key,value" lines; keys follow the JSON paths ("types.A.current.mean", "congruence.agree").
// An empty value stands for a figure that is not defined (sd and interval of one respondent,
// the lead where all four types tie).
QByteArray statisticsCsv(const survey::GroupStatistics &statistics);

// {"n", "mean", "seed", "resamples", "types": {"A": {"current": {"mean", "sd", "min", "max",
// "ci95": [low, high]}, "preferred": {...}, "discrepancy", "flagged"}, ...}, "dominant":
// {"current": [...], "preferred": [...]}, "dominant_lead": {"current", "preferred"},
// "congruence": {"questions": [{"dominant": [...], "deviation"} x 6], "agree"}}; sd and ci95
// are null for one respondent, a lead where all four types tie.
QJsonObject statisticsJson(const survey::GroupStatistics &statistics);

} // namespace documents
