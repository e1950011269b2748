#include "web/request_head.h"

#include <QByteArray>

namespace web {
namespace {

// What the HTTP layer takes: at most this many header lines, each at most this long.
constexpr int kMaxHeaderLines = 100;
constexpr int kMaxHeaderLineBytes = 8000;
// More digits than any body length; the layer would read some such numbers as no length.
constexpr int kMaxLengthDigits = 18;

bool isSkippedBeforeRequest(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v';
}

bool isTokenChar(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           QByteArrayView("!#$%&'*+-.^_`|~").contains(ch);
}

bool isToken(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

bool hasControl(QByteArrayView line)
{
    return std::any_of(line.begin(), line.end(), [](char ch) {
        return (uchar(ch) < 0x20 && ch != '\t') || uchar(ch) == 0x7F;
    });
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// "METHOD /target HTTP/1.x", single spaces, nothing else.
bool isRequestLine(QByteArrayView line)
{
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    if (first <= 0 || last <= first + 1 || hasControl(line))
        return false;
    const QByteArrayView target = line.sliced(first + 1, last - first - 1);
    const QByteArrayView version = line.sliced(last + 1);
    return isToken(line.first(first)) && !target.contains(' ') &&
           (version == "HTTP/1.1" || version == "HTTP/1.0");
}

// The length a Content-Length value names, -1 when it is not plain digits of a body's size.
qint64 lengthValue(QByteArrayView value)
{
    value = trimmedBlanks(value);
    if (value.isEmpty() || value.size() > kMaxLengthDigits)
        return -1;
    qint64 length = 0;
    for (const char ch : value) {
        if (ch < '0' || ch > '9')
            return -1;
        length = length * 10 + (ch - '0');
    }
    return length;
}

// The line at `from` without its line break, and where the next one starts.
QByteArrayView lineAt(QByteArrayView bytes, qsizetype from, qsizetype *next)
{
    const qsizetype end = bytes.indexOf('\n', from);
    *next = end < 0 ? -1 : end + 1;
    QByteArrayView line = bytes.sliced(from, (end < 0 ? bytes.size() : end) - from);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

qsizetype requestHeadEnd(QByteArrayView bytes)
{
    qsizetype at = 0;
    while (at < bytes.size() && isSkippedBeforeRequest(bytes[at]))
        ++at;
    if (at == bytes.size())
        return -1;
    for (bool requestLine = true; at >= 0 && at < bytes.size(); requestLine = false) {
        qsizetype next = -1;
        const QByteArrayView line = lineAt(bytes, at, &next);
        if (next < 0)
            return -1;
        if (!requestLine && line.isEmpty())
            return next;
        at = next;
    }
    return -1;
}

HeadReading readRequestHead(QByteArrayView head, qint64 maxBodyBytes)
{
    qsizetype at = 0;
    while (at < head.size() && isSkippedBeforeRequest(head[at]))
        ++at;
    qsizetype next = -1;
    if (!isRequestLine(lineAt(head, at, &next)))
        return {400};
    int lines = 0, lengths = 0;
    bool transferCoding = false;
    qint64 length = 0;
    for (at = next; at >= 0 && at < head.size(); at = next) {
        const QByteArrayView line = lineAt(head, at, &next);
        if (line.isEmpty())
            break;
        if (++lines > kMaxHeaderLines || line.size() > kMaxHeaderLineBytes)
            return {431};
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.first(colon)) || hasControl(line))
            return {400};
        const QByteArray name = line.first(colon).toByteArray().toLower();
        const QByteArrayView value = line.sliced(colon + 1);
        if (name == "content-length") {
            length = lengthValue(value);
            if (++lengths > 1 || length < 0)
                return {400};
        } else if (name == "transfer-encoding") {
            transferCoding = true;
        } else if (name == "upgrade" ||
                   (name == "connection" && value.toByteArray().toLower().contains("upgrade"))) {
            return {400};
        }
    }
    if (transferCoding)
        return {lengths > 0 ? 400 : 411};
    if (length > maxBodyBytes)
        return {413};
    return {0, length};
}

} // namespace web
