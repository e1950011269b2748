#include "number_format.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

namespace numfmt {

QString formatFixed(double value, int width, int decimals, QChar separator)
{
    QString text;
    if (std::isnan(value)) {
        text = QStringLiteral("NAN");
    } else if (std::isinf(value)) {
        text = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    } else {
        // The shortest decimal form that reads back as the same double is "the decimal
        // value"; round it by hand, halves away from zero.
        char buf[400];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
        std::string digits(buf, res.ptr);
        std::string intPart = digits, fracPart;
        if (const auto dot = digits.find('.'); dot != std::string::npos) {
            intPart = digits.substr(0, dot);
            fracPart = digits.substr(dot + 1);
        }
        const bool roundUp =
            int(fracPart.size()) > decimals && fracPart[std::size_t(decimals)] >= '5';
        fracPart.resize(std::size_t(decimals), '0');
        std::string all = intPart + fracPart;
        if (roundUp) {
            int i = int(all.size()) - 1;
            for (; i >= 0 && all[std::size_t(i)] == '9'; --i)
                all[std::size_t(i)] = '0';
            if (i >= 0)
                ++all[std::size_t(i)];
            else
                all.insert(all.begin(), '1');
        }
        const std::size_t intLen = all.size() - std::size_t(decimals);
        // As C's printf: a negative value keeps its sign when it rounds to zero ("-0").
        if (std::signbit(value))
            text += QLatin1Char('-');
        text += QString::fromLatin1(all.substr(0, intLen));
        if (decimals > 0) {
            text += separator;
            text += QString::fromLatin1(all.substr(intLen));
        }
    }
    return text.rightJustified(width, QLatin1Char(' '));
}

std::optional<double> parseFloat(const QString &text, QChar separator)
{
    // Rebuild the number in the C form that std::from_chars reads, checking the grammar.
    std::string c;
    int i = 0;
    const int n = int(text.size());
    auto isDigit = [&](int at) { return at < n && text[at] >= u'0' && text[at] <= u'9'; };
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            c += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; isDigit(i); ++i, ++mantissaDigits)
        c += char(text[i].unicode());
    if (i < n && text[i] == separator) {
        c += '.';
        for (++i; isDigit(i); ++i, ++mantissaDigits)
            c += char(text[i].unicode());
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        c += 'e';
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            c += char(text[i++].unicode());
        if (!isDigit(i))
            return std::nullopt;
        for (; isDigit(i); ++i)
            c += char(text[i].unicode());
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(c.data(), c.data() + c.size(), value);
    if (res.ec != std::errc() || res.ptr != c.data() + c.size())
        return std::nullopt;
    return value;
}

std::optional<qint32> parseInt32(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == n)
        return std::nullopt;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > qint64(1) << 31)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return std::nullopt;
    return qint32(value);
}

int roundTiesEven(long double value, int limit)
{
    if (std::isnan(value))
        return 0;
    if (value > limit)
        return limit;
    if (value < -limit)
        return -limit;
    return int(std::nearbyint(value)); // the default rounding mode: to nearest, ties to even
}

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

} // namespace numfmt
