#include "documents/typography.h"

#include "documents/statistics_report.h"
#include "survey/resource.h"

#include <QRegularExpression>
#include <utility>

namespace documents {

namespace {

constexpr QChar kComma = u',';

QString withMinus(const QString &text)
{
    return text.startsWith(QLatin1Char('-')) ? kMinus + text.mid(1) : text;
}

// The questionnaire's texts write е for ё; the documents quote these words of them.
const std::pair<const char *, const char *> kYo[] = {{"наемными", "наёмными"},
                                                     {"целеустремленны", "целеустремлённы"},
                                                     {"четко", "чётко"},
                                                     {"четкие", "чёткие"},
                                                     {"ее", "её"},
                                                     {"нее", "неё"},
                                                     {"надежностью", "надёжностью"},
                                                     {"надежные", "надёжные"}};

QString withYo(QString text)
{
    static const auto words = [] {
        std::vector<std::pair<QRegularExpression, QString>> list;
        for (const auto &[plain, yo] : kYo)
            for (const bool capital : {false, true}) {
                QString from = QString::fromUtf8(plain), to = QString::fromUtf8(yo);
                if (capital) {
                    from[0] = from[0].toUpper();
                    to[0] = to[0].toUpper();
                }
                list.emplace_back(QRegularExpression(
                                      QStringLiteral("(?<!\\w)") + from + QStringLiteral("(?!\\w)"),
                                      QRegularExpression::UseUnicodePropertiesOption),
                                  to);
            }
        return list;
    }();
    for (const auto &[word, yo] : words)
        text.replace(word, yo);
    return text;
}

} // namespace

QString points(double value, int decimals)
{
    return withMinus(fixed(value, decimals, false, kComma));
}

QString signedPoints(double value, int decimals)
{
    return withMinus(fixed(value, decimals, true, kComma));
}

QString withMinusSigns(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i + 1 < result.size(); ++i) {
        if (result[i] != QLatin1Char('-') || !result[i + 1].isDigit())
            continue;
        // A sign stands at the start, after a blank or an opening bracket; not in "2025-01"
        // or "A-1".
        const bool signs =
            i == 0 || result[i - 1].isSpace() || QStringLiteral("([«/=:;").contains(result[i - 1]);
        if (signs)
            result[i] = kMinus;
    }
    return result;
}

QString printedText(const QString &text)
{
    static const QRegularExpression relation(QStringLiteral("(?<!\\w)([pN]) +([<=>]) +(?=[0-9−-])"),
                                             QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression percentSign(QStringLiteral("([0-9]) +%"));
    QString result = withMinusSigns(text);
    result.replace(relation, QStringLiteral("\\1") + kNbsp + QStringLiteral("\\2") + kNbsp);
    result.replace(percentSign, QStringLiteral("\\1") + kNbsp + QLatin1Char('%'));
    return withYo(result);
}

QString nbspJoin(const QStringList &parts)
{
    return parts.join(kNbsp);
}

QString respondentCount(int n)
{
    return nbspJoin({QStringLiteral("N"), QStringLiteral("="), QString::number(n)});
}

QString significanceLevel(double alpha)
{
    return nbspJoin({QStringLiteral("p"), QStringLiteral("<"), points(alpha, 2)});
}

QString pStatement(double p)
{
    return p < 0.0001 ? nbspJoin({QStringLiteral("p"), QStringLiteral("<"), points(0.0001, 4)})
                      : nbspJoin({QStringLiteral("p"), QStringLiteral("="), points(p, 4)});
}

QString percent(double value, int decimals)
{
    return points(value, decimals) + kNbsp + QLatin1Char('%');
}

QString typeLabel(int type)
{
    return survey::typeLabel(type);
}

QString typeLabels(const std::vector<int> &types)
{
    QStringList labels;
    for (int type : types)
        labels << typeLabel(type);
    return labels.join(QStringLiteral(", "));
}

} // namespace documents
