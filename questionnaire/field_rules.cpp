#include "field_rules.h"

#include "core/text_codec.h"
#include "survey/questionnaire_result.h"
#include "survey/survey_texts.h"

#include <algorithm>

namespace fieldrules {
namespace {

// So many dropped characters are named; a longer paste is named by its beginning.
constexpr int kNamedDropped = 10;

// ASCII digits only: QString::toInt reads no others.
bool isDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

} // namespace

FieldVerdict code(QString &text, int &)
{
    if (text.isEmpty())
        return {QValidator::Intermediate, {}};
    if (survey::isRespondentCode(text))
        return {};
    // The same characters in a shorter code would do: only the length is wrong.
    const bool tooLong = survey::isRespondentCode(text.left(survey::kMaxCodeLength));
    return {QValidator::Invalid, tooLong ? surveytexts::kCodeTooLong.arg(survey::kMaxCodeLength)
                                         : surveytexts::kCodeRefused};
}

FieldVerdict freeText(QString &text, int &pos, QStringList &dropped)
{
    QString kept;
    bool dropping = false;
    int cursor = pos;
    // Code points, not UTF-16 units: an emoji is dropped and named whole.
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (character.at(0).category() == QChar::Other_Control) {
            kept += QLatin1Char(' ');
        } else if (textcodec::isWindows1251(character)) {
            kept += character;
        } else {
            dropping = true;
            if (!dropped.contains(character))
                dropped << character;
            if (i < pos)
                cursor -= length;
        }
        i += length;
    }
    QStringList notes;
    if (dropping) {
        QString named = dropped.mid(0, kNamedDropped).join(QString());
        if (dropped.size() > kNamedDropped)
            named += QChar(0x2026);
        notes << (dropped.size() > 1 ? surveytexts::kCharactersDropped
                                     : surveytexts::kCharacterDropped)
                     .arg(named);
    }
    if (kept.size() > survey::kMaxFreeTextLength) {
        kept.truncate(survey::kMaxFreeTextLength);
        notes << surveytexts::kFreeTextTooLong.arg(survey::kMaxFreeTextLength);
    }
    text = kept;
    pos = std::clamp(cursor, 0, int(text.size()));
    return {QValidator::Acceptable, notes.join(QStringLiteral(". "))};
}

bool refusedPoints(const QString &text)
{
    return !allDigits(text);
}

int countedPoints(const QString &text)
{
    const auto end = std::find_if_not(text.begin(), text.end(), isDigit);
    return text.left(end - text.begin()).toInt();
}

FieldVerdict points(QString &text, int &pos)
{
    if (text.isEmpty())
        return {QValidator::Intermediate, {}};
    // «7,5» and «-5» stay as typed, said and not counted until put right: refused keystroke by
    // keystroke, the next digit would make 75 or 5 of them with only a passing note.
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString magnitude = negative ? text.mid(1) : text;
    const qsizetype separators =
        magnitude.count(QLatin1Char(',')) + magnitude.count(QLatin1Char('.'));
    QString digits = magnitude;
    digits.remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    if ((negative || separators == 1) && separators <= 1 && allDigits(digits) &&
        magnitude.size() <= 8)
        return {QValidator::Intermediate,
                surveytexts::kNotTaken.arg(
                    negative ? surveytexts::kPointsNegative : surveytexts::kPointsFraction, text),
                true};
    if (!allDigits(text))
        return {QValidator::Invalid, surveytexts::kPointsDigitsOnly};
    // A digit typed after the field's "0" replaces it, and "0100" is 100, not too many.
    int zeros = 0;
    while (zeros + 1 < text.size() && text.at(zeros) == QLatin1Char('0'))
        ++zeros;
    text.remove(0, zeros);
    pos = std::max(pos - zeros, 0);
    if (text.size() > 3 || text.toInt() > survey::kPointsPerQuestion)
        return {QValidator::Invalid, surveytexts::kPointsTooMany.arg(survey::kPointsPerQuestion)};
    return {};
}

} // namespace fieldrules
