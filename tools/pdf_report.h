#pragma once

#include "group_mean.h"
#include "group_result.h"
#include "window_pictures.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>

// One A4 report in Russian of a loaded profile: the information line, Plot A with the
// scores, Plot B, Plot C and the group statistics, with its fonts embedded.
namespace cli {

// Page 1: title, code, information line, Plot A as saved and the score table; page 2: Plot B
// as saved and Plot C; from page 3: `statisticsText`, as many pages as it takes. Empty if the
// document cannot be made.
QByteArray profilePdf(const WindowProfile &profile, const QString &statisticsText);

// What `ocai-cli pdf` writes: `path` loaded with `mean`, its statistics with `seed` named by
// the path, and the document.
std::variant<QByteArray, survey::GroupError> pdfReport(const QString &path, survey::MeanKind mean,
                                                       std::uint64_t seed);

} // namespace cli
