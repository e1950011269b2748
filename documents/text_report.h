#pragma once

#include "survey/profile_model.h"

#include <QByteArray>
#include <QString>

// The plain text report of the loaded data: code, information line, scores and answers.
namespace documents {

struct ReportInput {
    QString date; // today's date in the system's short format (the caller formats it)
    QString code; // ceCode
    QString info; // ceInfo as the user may have edited it
    survey::ProfileScores scores{}; // as the last Plot A drawing left them
    survey::AnswerTable answers{};
};

// Lines of a report; it keeps the result file's numbering (answers in lines 23 to 34).
constexpr int kReportLines = 35;

// The 35 lines, each followed by CR LF, in Windows-1251. Numbers always with ".", halves
// rounded away from zero, a number wider than its field written whole. A line break inside
// the date, code or information text becomes a blank, so that the lines stay where they are.
QByteArray reportText(const ReportInput &input);

// Writes `bytes` to `path` through a temporary file that replaces the old one only when all
// went well. A target that exists and is not a regular file is refused. On failure returns
// false and, when `errorMessage` is given, a message naming the file.
bool writeReport(const QString &path, const QByteArray &bytes, QString *errorMessage);

} // namespace documents
