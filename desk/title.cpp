#include "title.h"

namespace desk {

QString respondentCount(int n)
{
    // Russian: 1, 21, 31... take the singular; 2-4, 22-24... the genitive singular; the rest,
    // the teens 11-14 included, the genitive plural.
    const int lastTwo = n % 100, last = n % 10;
    const char *ending = "ов";
    if (lastTwo < 11 || lastTwo > 14) {
        if (last == 1)
            ending = "";
        else if (last >= 2 && last <= 4)
            ending = "а";
    }
    return QStringLiteral("%1 респондент%2").arg(n).arg(QString::fromUtf8(ending));
}

QString windowTitle(const QString &folderName, int respondents)
{
    if (folderName.isEmpty())
        return QStringLiteral("OCAI: анализ опроса");
    return QStringLiteral("«%1» — %2 — OCAI").arg(folderName, respondentCount(respondents));
}

} // namespace desk
