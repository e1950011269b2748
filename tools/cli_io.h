#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// Byte-exact standard streams and safe output files for the subcommands: what they print is
// UTF-8 (or the raw Windows-1251 bytes asked for), whatever the locale, and line breaks are
// never translated.
namespace cli {

// Writes `bytes` to stdout; false if the stream failed.
bool writeStdout(const QByteArray &bytes);

// Output to a standard stream that nobody may be reading, for a program that must go on all
// the same (a server's lines): written by a thread of its own from a queue of at most
// `maxQueued` bytes, so that a full pipe never holds up the caller; what does not fit is
// dropped and counted. Unix file descriptor numbers (1 for stdout, 2 for stderr).
class QueuedOutput {
public:
    QueuedOutput(int descriptor, qsizetype maxQueued);
    // Waits a moment for the queue to be written, then leaves the thread to the process's end.
    ~QueuedOutput();
    QueuedOutput(const QueuedOutput &) = delete;
    QueuedOutput &operator=(const QueuedOutput &) = delete;

    void write(const QByteArray &bytes);
    // What was dropped so far, in bytes.
    qint64 dropped() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

// Reads at most `maxBytes` bytes from `path`, or from stdin when `path` is "-"; a longer
// input sets `tooLong`. Nothing if the input cannot be opened or read.
std::optional<QByteArray> readInput(const QString &path, qint64 maxBytes, bool *tooLong);

// `text` with every control character written as an escape ("\n", "\t", "\x1B", "\u2028"),
// so that a message naming a file stays on one line.
QString escapeControls(const QString &text);

// A text cell of CSV output: control characters escaped, a text that a spreadsheet would run
// as a formula (it begins with "=", "+", "-" or "@") preceded by "'", and quoted as RFC 4180
// asks when it holds a comma or a quote.
QString csvTextCell(const QString &text);

// `bytes` as text: what is UTF-8 decoded, every other byte written as "\xFF".
QString escapeBytes(const QByteArray &bytes);

// Writes `bytes` to `path`, whole or not at all: a new file replaces the old one only once
// it is complete; a folder, a device, a pipe, a socket or a link to nothing is refused. A symbolic
// link stays a link and its target gets the content. The message on failure.
std::optional<QString> writeOutputFile(const QString &path, const QByteArray &bytes);

} // namespace cli
