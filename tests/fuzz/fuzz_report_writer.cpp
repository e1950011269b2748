// The text report of any data: texts with every character (control characters, lone
// surrogates, characters outside the code page) and numbers of every kind (NaN, infinities,
// huge, tiny, negative, exact halves). The report always has its 35 CR LF lines of
// Windows-1251 bytes, the texts on their own lines, and every number reads back from its
// field, pushing the rest of the line to the right when wider than the field.
#include "core/text_codec.h"
#include "documents/text_report.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "survey/resource.h"

#include <QList>
#include <charconv>
#include <cmath>
#include <limits>

using namespace documents;
using namespace survey;

namespace {

// How a number of the input was made: the exact halves can be checked for their rounding.
struct Number {
    double value = 0;
    bool exactEighths = false; // a whole number of eighths, small enough for exact scaling
};

const double kSpecial[] = {
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::min(),
    std::numeric_limits<double>::denorm_min(),
    -std::numeric_limits<double>::denorm_min(),
    0.0,
    -0.0,
    1e15,
    -1e16,
    1e22,
    1e23,
    9007199254740993.0,
    18446744073709551616.0,
    9.995,
    99.995,
    -99.995,
    999.995,
    99999.995,
    999999.995,
    0.005,
    -0.005,
    0.045,
    0.05,
    -0.05,
    2.675,
    1.005,
    100.0,
    33.35,
};

Number takeNumber(FuzzInput &in)
{
    switch (in.byte() % 4) {
    case 0:
        return {in.raw<double>(), false};
    case 1:
        return {in.raw<std::int32_t>() / 100.0, false};
    case 2:
        return {in.raw<std::int16_t>() / 8.0, true};
    default:
        return {kSpecial[in.byte() % std::size(kSpecial)], false};
    }
}

QString takeText(FuzzInput &in, bool utf16)
{
    QString text;
    for (int n = in.byte(); n > 0; --n)
        text += utf16 ? QChar(char16_t(in.word())) : QChar(char16_t(in.byte()));
    return text;
}

// A text line as the report must write it: line breaks as blanks, the rest in Windows-1251.
QByteArray expectedTextLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return textcodec::toWindows1251(text);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the field at `pos` of `line`: blanks, then the number with `decimals` decimals after
// ".". A number narrower than `width` is right-aligned in it; a wider one is written whole,
// without blanks. Checks the number against `number` and moves `pos` past the field.
void checkField(const QByteArray &line, qsizetype &pos, int width, int decimals, Number number)
{
    const double value = number.value;
    const qsizetype start = pos;
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    const qsizetype tokenStart = pos;
    const bool negative = pos < line.size() && line[pos] == '-';
    if (negative)
        ++pos;

    if (!std::isfinite(value)) {
        const QByteArray word = line.mid(pos, 3).toUpper();
        FUZZ_CHECK(word == (std::isnan(value) ? "NAN" : "INF"));
        if (std::isinf(value))
            FUZZ_CHECK(negative == (value < 0));
        pos += 3;
    } else {
        const qsizetype intStart = pos;
        while (pos < line.size() && isDigit(line[pos]))
            ++pos;
        FUZZ_CHECK(pos > intStart);
        FUZZ_CHECK(pos < line.size() && line[pos] == '.');
        ++pos;
        for (int d = 0; d < decimals; ++d, ++pos)
            FUZZ_CHECK(pos < line.size() && isDigit(line[pos]));

        const QByteArray token = line.mid(tokenStart, pos - tokenStart);
        double back = 0;
        const auto parsed =
            std::from_chars(token.constData(), token.constData() + token.size(), back);
        FUZZ_CHECK(parsed.ec == std::errc() && parsed.ptr == token.constData() + token.size());
        const double halfUnit = 0.5 * std::pow(10.0, -decimals);
        FUZZ_CHECK(std::fabs(back - value) <= halfUnit * (1 + 1e-9) + std::fabs(value) * 1e-15);
        if (number.exactEighths) {
            // value * 10^decimals is exact here: halves must round away from zero.
            const double scaled = std::round(value * std::pow(10.0, decimals));
            QByteArray digits = token;
            digits.remove(digits.indexOf('.'), 1);
            FUZZ_CHECK(digits.toLongLong() == qint64(scaled));
        }
    }
    const qsizetype tokenLength = pos - tokenStart;
    FUZZ_CHECK(pos - start == std::max<qsizetype>(width, tokenLength));
}

void checkScoreLine(const QByteArray &line, int type, Number score)
{
    const QByteArray prefix =
        textcodec::toWindows1251(TypeNames[std::size_t(type)].rightJustified(26) + " - ");
    FUZZ_CHECK(line.startsWith(prefix));
    qsizetype pos = prefix.size();
    checkField(line, pos, 5, 1, score);
    FUZZ_CHECK(line.mid(pos) == "%");
}

void checkAnswerLine(const QByteArray &line, const Number *row)
{
    qsizetype pos = 0;
    for (int column = 0; column < kAnswerColumns; ++column)
        checkField(line, pos, column == kTimeColumn ? 9 : 6, 2, row[column]);
    FUZZ_CHECK(pos == line.size());
}

// 35 lines, each ended by CR LF, and no other line break.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    FUZZ_CHECK(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    FUZZ_CHECK(lines.takeLast().isEmpty());
    FUZZ_CHECK(lines.size() == kReportLines);
    for (QByteArray &line : lines) {
        FUZZ_CHECK(line.endsWith('\r'));
        line.chop(1);
        FUZZ_CHECK(!line.contains('\r'));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QList<QByteArray> emptyReport = splitLines(reportText(ReportInput{}));

    FuzzInput in(data, size);
    const bool utf16 = in.byte() & 1;
    ReportInput input;
    input.date = takeText(in, utf16);
    input.code = takeText(in, utf16);
    input.info = takeText(in, utf16);
    Number scores[2 * kTypeCount];
    Number cells[kAnswerRows][kAnswerColumns];
    for (int k = 0; k < 2 * kTypeCount; ++k) {
        scores[k] = takeNumber(in);
        input.scores[std::size_t(k)] = scores[k].value;
    }
    for (int r = 0; r < kAnswerRows; ++r) {
        for (int c = 0; c < kAnswerColumns; ++c) {
            cells[r][c] = takeNumber(in);
            input.answers[std::size_t(r)][std::size_t(c)] = cells[r][c].value;
        }
    }

    const QByteArray bytes = reportText(input);
    // Windows-1251 only: the one unassigned byte never appears.
    FUZZ_CHECK(!bytes.contains('\x98'));
    const QList<QByteArray> lines = splitLines(bytes);
    FUZZ_CHECK(lines[0] == expectedTextLine(input.date));
    FUZZ_CHECK(lines[1] == expectedTextLine(input.code));
    FUZZ_CHECK(lines[2] == expectedTextLine(input.info));
    for (int n : {3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 21, 22})
        FUZZ_CHECK(lines[n] == emptyReport[n]);
    FUZZ_CHECK(lines[22] == "     A     B     C     D    \xc2\xf0\xe5\xec\xff (\xf1\xe5\xea)");
    for (int k = 0; k < kTypeCount; ++k) {
        checkScoreLine(lines[12 + k], k, scores[k]);
        checkScoreLine(lines[17 + k], k, scores[kTypeCount + k]);
    }
    for (int r = 0; r < kAnswerRows; ++r)
        checkAnswerLine(lines[23 + r], cells[r]);
    return 0;
}
