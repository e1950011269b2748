#pragma once

#include <QString>

// The window's title: where the consultant is and how many have answered.
namespace desk {

// The number with the noun's Russian form for it: `one` for 1, 21, 101; `few` for 2-4, 22-24;
// `many` for the rest, 11-14 included.
QString russianCount(int n, const QString &one, const QString &few, const QString &many);

// "1 респондент", "2 респондента", "5 респондентов", "21 респондент", "111 респондентов".
QString respondentCount(int n);

// "«<folder>» — <respondentCount> — OCAI"; "OCAI: анализ опроса" with no survey open.
QString windowTitle(const QString &folderName, int respondents);

} // namespace desk
