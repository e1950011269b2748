#pragma once

#include <QString>

// The window's title: where the consultant is and how many have answered.
namespace desk {

// "1 респондент", "2 респондента", "5 респондентов", "21 респондент", "111 респондентов".
QString respondentCount(int n);

// "«<folder>» — <respondentCount> — OCAI"; "OCAI: анализ опроса" with no survey open.
QString windowTitle(const QString &folderName, int respondents);

} // namespace desk
