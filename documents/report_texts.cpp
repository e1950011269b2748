#include "documents/report_texts.h"

#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "survey/profile_model.h"
#include "survey/resource.h"

#include <QStringList>
#include <algorithm>

namespace report {

namespace {

// The reports' decimal separator.
constexpr QChar kComma = u',';

} // namespace

QString number(double value, int decimals)
{
    return documents::withMinusSigns(documents::fixed(value, decimals, false, kComma));
}

QString signedNumber(double value, int decimals)
{
    return documents::withMinusSigns(documents::fixed(value, decimals, true, kComma));
}

QString number(const survey::Mean &value, int decimals)
{
    return documents::withMinusSigns(documents::fixed(value, decimals, false, kComma));
}

QString signedNumber(const survey::Mean &value, int decimals)
{
    return documents::withMinusSigns(documents::fixed(value, decimals, true, kComma));
}

QString pValue(double p)
{
    return p < 0.0001 ? QStringLiteral("< 0,0001") : number(p, 4);
}

QString russianDate(const QDate &date)
{
    static const char *const kMonths[12] = {"января",   "февраля", "марта",  "апреля",
                                            "мая",      "июня",    "июля",   "августа",
                                            "сентября", "октября", "ноября", "декабря"};
    if (!date.isValid())
        return QString();
    // Non-breaking: a line never parts the day from its month, nor the year from its "г.".
    return QStringLiteral("%1\u00a0%2 %3\u00a0г.")
        .arg(date.day())
        .arg(QString::fromUtf8(kMonths[date.month() - 1]))
        .arg(date.year());
}

QString printable(const QString &text, int maxLength, const std::function<bool(char32_t)> &canDraw)
{
    // By code points: the halves of a surrogate pair are no printable characters on their own.
    QString line;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            line += QLatin1Char(' ');
        else if (!canDraw || canDraw(c))
            line += QString::fromUcs4(&c, 1);
        else if (QChar::category(c) != QChar::Mark_NonSpacing) // a variation selector, say
            line += QStringLiteral("[U+%1]").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    }
    line = line.simplified();
    if (line.size() > maxLength)
        line = line.left(maxLength - 1) + QChar(0x2026);
    return line;
}

QString named(const Subject &subject, Case grammaticalCase)
{
    static const char *const kWords[2][3] = {{"группа", "группы", "группой"},
                                             {"респондент", "респондента", "респондентом"}};
    return QStringLiteral("%1 «%2»").arg(
        QString::fromUtf8(kWords[subject.respondent][int(grammaticalCase)]), subject.name);
}

QString capitalised(const QString &text)
{
    return text.left(1).toUpper() + text.mid(1);
}

QString typeRowHeading(int type)
{
    return documents::typeLabel(type);
}

QString typeWords(int type)
{
    return survey::TypeNames[std::size_t(type)].toLower();
}

QString typesWords(const std::vector<int> &types)
{
    if (types.size() == 1)
        return typeWords(types[0]) + QStringLiteral(" (") + documents::typeLetter(types[0]) +
               QLatin1Char(')');
    QStringList adjectives;
    for (int type : types)
        adjectives << typeWords(type).section(QLatin1Char(' '), 0, 0) + QStringLiteral(" (") +
                          documents::typeLetter(type) + QLatin1Char(')');
    const QString last = adjectives.takeLast();
    return adjectives.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last +
           QStringLiteral(" культуры");
}

} // namespace report
