#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

// Texts and numbers as a workbook holds them: characters its XML cannot carry, the types'
// labels, and the dates and clock times of a result file as day numbers.
namespace documents {

// A lone surrogate or a non-character (U+FFFE, U+FFFF, U+FDD0..U+FDEF, the last two of every
// plane): XML forbids some of them and spreadsheet programs refuse a file with any.
bool isUnfitForXml(char32_t code);

// `text` with every code point (a lone surrogate on its own) passed to `map` with its UTF-16
// units; what `map` returns stands in its place.
using CodePointMap = std::function<QString(char32_t code, QStringView units)>;
QString mapCodePoints(const QString &text, const CodePointMap &map);

// "ДД.ММ.ГГГГ" as a spreadsheet's day number (days since 30.12.1899); nothing for another
// text or a date before 1 March 1900, which spreadsheets count differently.
std::optional<double> spreadsheetDate(const QString &text);

// "Ч:ММ:СС" or "Ч:ММ" as a fraction of a day; with `clock` only a time of day (under 24 hours),
// else any duration.
std::optional<double> spreadsheetTime(const QString &text, bool clock);

// Dominant types as a cell names them: «A (клан) = C (рынок)», or that all four are equal.
QString dominantTypesText(const std::vector<int> &types);

} // namespace documents
