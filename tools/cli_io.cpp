#include "tools/cli_io.h"

#include "core/bounded_read.h"
#include "core/safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace cli {
namespace {

QString hexDigits(char16_t code, int width)
{
    return QStringLiteral("%1").arg(int(code), width, 16, QLatin1Char('0')).toUpper();
}

// Writes all of `bytes`, or fails (a reader gone: EPIPE, with SIGPIPE ignored by the caller).
bool writeAll(int descriptor, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
#ifdef Q_OS_WIN
        const auto written =
            ::_write(descriptor, bytes.constData() + done, unsigned(bytes.size() - done));
#else
        const auto written = ::write(descriptor, bytes.constData() + done, bytes.size() - done);
#endif
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

#ifdef Q_OS_WIN
// Standard input up to just over `limit` bytes. QFile on the C library's stdin fails on
// Windows when stdin is a pipe; fread reads every kind.
std::optional<QByteArray> readStdinUpTo(qint64 limit)
{
    QByteArray bytes;
    char piece[64 * 1024];
    while (bytes.size() <= limit) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, stdin);
        bytes.append(piece, qsizetype(got));
        if (got < sizeof piece)
            return std::ferror(stdin) ? std::nullopt : std::optional<QByteArray>(bytes);
    }
    return bytes;
}
#endif

} // namespace

struct QueuedOutput::State {
    int descriptor;
    qsizetype maxQueued;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QByteArray> queue;
    qsizetype queued = 0;
    qint64 dropped = 0;
    bool writing = false;
    bool closing = false;
    bool broken = false; // the stream failed: everything from now on is dropped
};

QueuedOutput::QueuedOutput(int descriptor, qsizetype maxQueued) : m_state(std::make_shared<State>())
{
    m_state->descriptor = descriptor;
    m_state->maxQueued = maxQueued;
    // The thread keeps the state alive: it may outlive this object, blocked on a full pipe.
    std::thread([state = m_state] {
        std::unique_lock lock(state->mutex);
        for (;;) {
            state->changed.wait(lock, [&] { return state->closing || !state->queue.empty(); });
            if (state->queue.empty())
                return;
            const QByteArray bytes = std::move(state->queue.front());
            state->queue.pop_front();
            state->writing = true;
            lock.unlock();
            const bool written = writeAll(state->descriptor, bytes);
            lock.lock();
            state->writing = false;
            state->queued -= bytes.size();
            if (!written) {
                state->broken = true;
                state->dropped += bytes.size() + state->queued;
                state->queue.clear();
                state->queued = 0;
            }
            state->changed.notify_all();
        }
    }).detach();
}

QueuedOutput::~QueuedOutput()
{
    std::unique_lock lock(m_state->mutex);
    m_state->closing = true;
    m_state->changed.notify_all();
    m_state->changed.wait_for(lock, std::chrono::seconds(1),
                              [this] { return m_state->queue.empty() && !m_state->writing; });
}

void QueuedOutput::write(const QByteArray &bytes)
{
    std::lock_guard lock(m_state->mutex);
    if (m_state->broken || m_state->queued + bytes.size() > m_state->maxQueued) {
        m_state->dropped += bytes.size();
        return;
    }
    m_state->queue.push_back(bytes);
    m_state->queued += bytes.size();
    m_state->changed.notify_all();
}

qint64 QueuedOutput::dropped() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->dropped;
}

bool writeStdout(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const auto size = std::size_t(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
}

std::optional<QByteArray> readInput(const QString &path, qint64 maxBytes, bool *tooLong)
{
    QFile file;
    if (path == QLatin1String("-")) {
#ifdef Q_OS_WIN
        _setmode(_fileno(stdin), _O_BINARY);
        auto bytes = readStdinUpTo(maxBytes);
        if (bytes)
            *tooLong = bytes->size() > maxBytes;
        return bytes;
#else
        if (!file.open(stdin, QIODevice::ReadOnly))
            return std::nullopt;
#endif
    } else {
        if (QFileInfo(path).isDir())
            return std::nullopt;
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
    }
    auto bytes = boundedread::readUpTo(file, maxBytes);
    if (!bytes)
        return std::nullopt;
    *tooLong = bytes->size() > maxBytes;
    return bytes;
}

QString escapeControls(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code == u'\n')
            escaped += QLatin1String("\\n");
        else if (code == u'\r')
            escaped += QLatin1String("\\r");
        else if (code == u'\t')
            escaped += QLatin1String("\\t");
        else if (ch.category() == QChar::Other_Control)
            escaped += QLatin1String("\\x") + hexDigits(code, 2);
        else if (ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            escaped += QLatin1String("\\u") + hexDigits(code, 4);
        else
            escaped += ch;
    }
    return escaped;
}

QString csvTextCell(const QString &text)
{
    QString cell = escapeControls(text);
    if (cell.startsWith(u'=') || cell.startsWith(u'+') || cell.startsWith(u'-') ||
        cell.startsWith(u'@'))
        cell.prepend(u'\'');
    if (!cell.contains(u',') && !cell.contains(u'"'))
        return cell;
    return u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString escapeBytes(const QByteArray &bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = uchar(bytes[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // A sequence is kept when it decodes and encodes back to the same bytes.
        const QByteArray sequence = bytes.mid(i, length);
        const QString decoded = QString::fromUtf8(sequence);
        if (sequence.size() == length && decoded.toUtf8() == sequence) {
            text += decoded;
            i += length;
        } else {
            text += QLatin1String("\\x") + hexDigits(lead, 2);
            ++i;
        }
    }
    return text;
}

std::optional<QString> writeOutputFile(const QString &path, const QByteArray &bytes)
{
    if (const auto refusal = safewrite::refusalReason(path))
        return QStringLiteral("Не удаётся записать %1: %2")
            .arg(QDir::toNativeSeparators(path), *refusal);
    if (const auto reason = safewrite::replaceFile(path, bytes))
        return QStringLiteral("Не удаётся создать файл %1: %2")
            .arg(QDir::toNativeSeparators(path), *reason);
    return std::nullopt;
}

} // namespace cli
