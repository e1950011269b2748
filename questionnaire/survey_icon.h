#pragma once

#include <QIcon>

// The questionnaire's icon, drawn in code on a 16-unit grid: a sheet with three answer boxes,
// two of them ticked in red.
namespace surveyicon {

QIcon icon(int size = 32);

} // namespace surveyicon
