#include "sheet_names.h"

namespace cli {
namespace {

// The first `length` UTF-16 units, a surrogate pair never split.
QString cutTo(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

QString acceptable(const QString &wanted)
{
    QString name = wanted;
    for (QChar &ch : name)
        if (QStringLiteral("[]:*?/\\").contains(ch) || ch.category() == QChar::Other_Control ||
            ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            ch = QLatin1Char('_');
    if (name.startsWith(QLatin1Char('\'')))
        name[0] = QLatin1Char('_');
    return name;
}

bool isTaken(const QString &name, const QStringList &taken)
{
    return taken.contains(name, Qt::CaseInsensitive) ||
           name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0;
}

// Cut to `length`, with no apostrophe left at the end.
QString fitted(const QString &name, qsizetype length)
{
    QString cut = cutTo(name, length);
    if (cut.endsWith(QLatin1Char('\'')))
        cut.back() = QLatin1Char('_');
    return cut;
}

} // namespace

QString uniqueSheetName(const QString &wanted, QStringList &taken, const QString &fallback)
{
    QString base = acceptable(wanted);
    if (base.trimmed().isEmpty())
        base = fallback;
    QString name = fitted(base, kMaxSheetName);
    for (int copy = 2; isTaken(name, taken); ++copy) {
        const QString suffix = QStringLiteral(" (%1)").arg(copy);
        name = fitted(base, kMaxSheetName - suffix.size()) + suffix;
    }
    taken << name;
    return name;
}

} // namespace cli
