#include "documents/sheet_names.h"

#include "documents/xlsx_text.h"

namespace documents {
namespace {

// Each character unfit for a name becomes a visible "_", so that names made of nothing else
// stay apart. Characters beyond the basic plane (emoji) count as unfit: they would take two of
// the 31 places, and not every spreadsheet program shows them in a tab.
QString acceptable(const QString &wanted)
{
    QString name = mapCodePoints(wanted, [](char32_t code, QStringView units) {
        const bool unfit = code > 0xFFFF || isUnfitForXml(code) ||
                           QStringLiteral("[]:*?/\\").contains(QChar(code)) ||
                           QChar::category(code) == QChar::Other_Control ||
                           code == QChar::LineSeparator || code == QChar::ParagraphSeparator;
        return unfit ? QStringLiteral("_") : units.toString();
    });
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
    QString cut = name.left(length);
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

} // namespace documents
