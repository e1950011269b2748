#pragma once

#include <QString>
#include <QStringList>

// Worksheet names as spreadsheets accept them: at most 31 characters, none of []:*?/\,
// control characters, characters XML refuses or emoji (each of them becomes "_"), no apostrophe at
// either end, not empty, not the reserved "History", and unique without regard to letter case.
namespace documents {

constexpr int kMaxSheetName = 31;

// `wanted` made acceptable and unlike every name of `taken` (a " (2)", " (3)", ... suffix,
// the name cut to make room); the result is added to `taken`. `fallback` stands for a name
// with nothing left.
QString uniqueSheetName(const QString &wanted, QStringList &taken, const QString &fallback);

} // namespace documents
