#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

// How every client document writes its numbers and names the culture types: one minus sign,
// a decimal comma, the non-breaking spaces that keep «p < 0,05», «N = 21» and «95 %» on one
// line, and one label per type. The analysis commands' plain-text output keeps its own.
namespace documents {

// The minus sign of document text (U+2212), never the hyphen.
inline constexpr QChar kMinus = QChar(0x2212);
// The space that never breaks a line (U+00A0).
inline constexpr QChar kNbsp = QChar(0x00A0);

// Fixed decimals with a decimal comma and kMinus before a negative value; a value that rounds
// to zero has no sign: "14", "−3,50", "0,00".
QString points(double value, int decimals = 0);
// As points, with "+" before a positive value: "+14", "−3,50", "0".
QString signedPoints(double value, int decimals = 0);
// `text` with each hyphen-minus that signs a number ("-3", "(-0,5") turned into kMinus; a
// hyphen between words or after a digit ("2025-01") stays.
QString withMinusSigns(const QString &text);

// The text as a document prints it, whoever wrote it: withMinusSigns, non-breaking spaces in
// "p < 0,05", "N = 21" and "95 %", and ё in the words the documents quote from the
// questionnaire's own texts (which the window shows as they are).
QString printedText(const QString &text);

// The parts joined by non-breaking spaces: {"N", "=", "21"} -> "N = 21".
QString nbspJoin(const QStringList &parts);
// "N = 21".
QString respondentCount(int n);
// "p < 0,05": the significance level the documents test at.
QString significanceLevel(double alpha = 0.05);
// "p = 0,0123", or "p < 0,0001" below that.
QString pStatement(double p);
// "95 %", "12,5 %".
QString percent(double value, int decimals = 0);

// The one label of culture type `type` (0 = A .. 3 = D) in every document, in tables,
// legends, axes and sheets alike, the same as the drawings carry: "Клан [A]"; empty for any
// other number.
QString typeLabel(int type);
// Labels joined by ", ".
QString typeLabels(const std::vector<int> &types);

} // namespace documents
