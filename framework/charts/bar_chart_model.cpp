#include "bar_chart_model.h"

#include "core/number_format.h"

namespace ui {

void BarSeries::clear()
{
    points.clear();
}

void BarSeries::addXY(double x, double y, const QString &label, const QColor &colour)
{
    points.append(BarPoint{x, y, label, colour});
}

QString formatMarkValue(double value, const QLocale &locale)
{
    const QString fixed = numfmt::formatFixed(value, 0, 3, u'.');
    const qsizetype dot = fixed.indexOf(u'.');
    if (dot < 0) // NAN, INF
        return fixed;
    QString fraction = fixed.mid(dot + 1);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    const bool minus = fixed.startsWith(u'-');
    const QString digits = fixed.mid(minus ? 1 : 0, dot - (minus ? 1 : 0));
    // The format picture drops the sign of a value that rounds to zero.
    const bool negative = minus && (!fraction.isEmpty() || digits != QLatin1String("0"));

    QString text;
    if (negative)
        text += u'-';
    const QString group = locale.groupSeparator();
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += group;
        text += digits[i];
    }
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

} // namespace ui
