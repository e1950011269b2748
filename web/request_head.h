#pragma once

#include <QByteArrayView>

// How the survey server's guard reads a request's head before the HTTP layer does. Every head
// the layer could read otherwise than the guard (two lengths, a length with a sign, spaces, a
// list or too many digits, a length beside a transfer coding, folded or nameless lines,
// control characters, an upgrade) is refused, so that a body is never longer than the guard
// counted. Lines may end in CRLF or LF alone, and blank lines before a request are skipped,
// as the layer does.
namespace web {

struct HeadReading {
    int status = 0;        // 0: the request may go on; else the HTTP status refusing it
    qint64 bodyLength = 0; // the bytes of body that follow the head
};

// Where the head at the start of `bytes` ends (just past its blank line), or -1 while
// incomplete.
qsizetype requestHeadEnd(QByteArrayView bytes);

// The head `head` (as delimited by requestHeadEnd) read against the largest body allowed.
HeadReading readRequestHead(QByteArrayView head, qint64 maxBodyBytes);

} // namespace web
