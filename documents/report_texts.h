#pragma once

#include "survey/group_mean.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

// The words and numbers of a printed report: Russian whatever the environment, one decimal
// separator, one way to write a sign.
namespace report {

// Fixed decimals with a decimal comma, the minus sign U+2212 for negatives; a value that rounds to
// zero is "0,00" without a sign.
QString number(double value, int decimals = 2);
// As number, with "+" before a positive value.
QString signedNumber(double value, int decimals = 2);
// The same of a group figure, rounded on its exact value (see survey::formatMean).
QString number(const survey::Mean &value, int decimals = 2);
QString signedNumber(const survey::Mean &value, int decimals = 2);
// A p value: four decimals, "< 0,0001" below.
QString pValue(double p);

// "7 декабря 2026 г.": the month's own name, never the locale's.
QString russianDate(const QDate &date);

// Text from a file or a folder's name as one printable line: control characters become
// blanks, a character `canDraw` refuses becomes its code, "[U+1F600]", and more than
// `maxLength` characters end in an ellipsis.
QString printable(const QString &text, int maxLength = 80,
                  const std::function<bool(char32_t)> &canDraw = {});

// Whom a report is about: a group (a folder) or one respondent (a file), by its name in the
// document, with the file's information line for a respondent.
struct Subject {
    bool respondent = false;
    QString name;
    QString info;
};

enum class Case { Nominative, Genitive, Instrumental };

// "группа «Отдел продаж»", "у группы «Отдел продаж»", "с группой «Отдел продаж»": the word
// is declined, the name in quotes stays as it is.
QString named(const Subject &subject, Case grammaticalCase = Case::Nominative);

// The text with its first letter in upper case.
QString capitalised(const QString &text);

// A type's heading in the reports' tables: documents::typeLabel, "Клан [A]".
QString typeRowHeading(int type);
// "клановая культура".
QString typeWords(int type);

// "клановая культура (A)", "клановая (A) и рыночная (C) культуры" for tied types.
QString typesWords(const std::vector<int> &types);

} // namespace report
