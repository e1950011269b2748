#pragma once

#include "group_mean.h"

#include <QDate>
#include <QString>
#include <vector>

// The words and numbers of a printed report: Russian whatever the environment, one decimal
// separator, one way to write a sign.
namespace report {

// Fixed decimals with a decimal comma, "-" for negatives; a value that rounds to zero is
// "0,00" without a sign.
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
// blanks and more than `maxLength` characters end in an ellipsis.
QString printable(const QString &text, int maxLength = 80);

// "A  Клановая культура".
QString typeCaption(int type);
// "клановая культура".
QString typeWords(int type);

// "клановая культура (A)", "клановая (A) и рыночная (C) культуры" for tied types.
QString typesWords(const std::vector<int> &types);

} // namespace report
