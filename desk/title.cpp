#include "desk/title.h"

namespace desk {

QString russianCount(int n, const QString &one, const QString &few, const QString &many)
{
    const int lastTwo = n % 100, last = n % 10;
    const bool teen = lastTwo >= 11 && lastTwo <= 14;
    const QString &noun = teen ? many : last == 1 ? one : last >= 2 && last <= 4 ? few : many;
    return QStringLiteral("%1 %2").arg(n).arg(noun);
}

QString respondentCount(int n)
{
    return russianCount(n, QStringLiteral("респондент"), QStringLiteral("респондента"),
                        QStringLiteral("респондентов"));
}

QString windowTitle(const QString &folderName, int respondents)
{
    if (folderName.isEmpty())
        return QStringLiteral("OCAI: анализ опроса");
    return QStringLiteral("«%1» — %2 — OCAI").arg(folderName, respondentCount(respondents));
}

} // namespace desk
