#include "web/connection_guard.h"

#include "web/http_replies.h"
#include "web/request_head.h"

#include <QSslSocket>
#include <QTimer>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <unistd.h>
#endif

namespace web {
namespace {

// A client that does not read its answers is dropped once this much waits to be sent.
constexpr qint64 kMaxUnsentBytes = 1024 * 1024;
// At most this many "busy" answers at once; past them a connection is closed unanswered.
constexpr int kMaxBusyAnswers = 64;

void closeDescriptor(qintptr descriptor)
{
#ifdef Q_OS_WIN
    ::closesocket(SOCKET(descriptor));
#else
    ::close(int(descriptor));
#endif
}

// Answers `response` once the connection can carry it (after the handshake under TLS),
// reading and dropping what the client still sends, so that the answer is not lost to a reset;
// the connection is aborted if it is not closed within `ms`.
void answerAndClose(QTcpSocket *socket, const QByteArray &response, int ms)
{
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket] { socket->readAll(); });
    QTimer::singleShot(ms, socket, &QAbstractSocket::abort);
    auto *tls = qobject_cast<QSslSocket *>(socket);
    if (tls && !tls->isEncrypted()) {
        QObject::connect(tls, &QSslSocket::encrypted, tls, [tls, response] {
            tls->write(response);
            tls->disconnectFromHost();
        });
        return;
    }
    socket->readAll();
    socket->write(response);
    socket->disconnectFromHost();
}

// Where a connection's byte stream stands: in a request's head, or in a body of known length.
// It looks at the bytes before the HTTP layer reads them, and notes after the layer's turn how
// many it left unread, so that no byte is counted twice.
class RequestWatch : public QObject {
public:
    RequestWatch(QTcpSocket *socket, const GuardLimits &limits)
        : QObject(socket), m_socket(socket), m_limits(limits)
    {
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, &RequestWatch::deadlinePassed);
        connect(socket, &QIODevice::readyRead, this, &RequestWatch::look);
        connect(socket, &QIODevice::bytesWritten, this, [this] {
            if (m_socket->bytesToWrite() > kMaxUnsentBytes)
                m_socket->abort();
        });
        m_deadline.start(limits.headMs);
    }

    // To be connected after the HTTP layer's own slot.
    void afterLayer() { m_seenUnread = m_socket->bytesAvailable(); }

private:
    void look()
    {
        if (m_refused)
            return dropInput();
        if (m_socket->bytesToWrite() > kMaxUnsentBytes)
            return m_socket->abort();
        const qint64 available = m_socket->bytesAvailable();
        QByteArray bytes = m_socket->peek(available).mid(std::min(m_seenUnread, available));
        m_seenUnread = available;
        while (!bytes.isEmpty()) {
            if (m_bodyLeft > 0) {
                const qint64 taken = std::min<qint64>(m_bodyLeft, bytes.size());
                m_bodyLeft -= taken;
                bytes.remove(0, taken);
                if (m_bodyLeft == 0)
                    m_deadline.start(m_limits.headMs);
                continue;
            }
            m_head += bytes;
            const qsizetype end = requestHeadEnd(m_head);
            if (end < 0 ? m_head.size() > m_limits.maxHeadBytes : end > m_limits.maxHeadBytes)
                return refuse(431);
            if (end < 0)
                return;
            const HeadReading reading = readRequestHead(m_head.first(end), m_limits.maxBodyBytes);
            if (reading.status != 0)
                return refuse(reading.status);
            bytes = m_head.mid(end);
            m_head.clear();
            m_bodyLeft = reading.bodyLength;
            m_deadline.start(m_bodyLeft > 0 ? m_limits.bodyMs : m_limits.headMs);
        }
    }

    // A connection between requests is closed without a word; one in the middle of a request
    // is told why.
    void deadlinePassed()
    {
        if (m_refused) {
            // Also when the HTTP layer gave up the connection and no longer watches it.
            m_socket->abort();
            m_socket->deleteLater();
            return;
        }
        if (m_bodyLeft == 0 && m_head.isEmpty())
            return closeQuietly();
        refuse(408);
    }

    void closeQuietly()
    {
        m_refused = true;
        m_socket->disconnectFromHost();
        m_deadline.start(m_limits.headMs);
    }

    // What the client still sends reaches nobody. The layer keeps a request's bytes in a
    // transaction until the request is whole: it is ended, so that they are freed.
    void dropInput()
    {
        if (m_socket->isTransactionStarted())
            m_socket->commitTransaction();
        m_socket->readAll();
    }

    void refuse(int status)
    {
        m_refused = true;
        dropInput();
        m_socket->write(refusalResponse(status));
        closeQuietly();
    }

    QTcpSocket *m_socket;
    GuardLimits m_limits;
    QTimer m_deadline;
    QByteArray m_head;
    qint64 m_bodyLeft = 0;
    qint64 m_seenUnread = 0;
    bool m_refused = false;
};

} // namespace

ConnectionGuard::ConnectionGuard(const GuardLimits &limits, QObject *parent)
    : QTcpServer(parent), m_limits(limits)
{
}

void ConnectionGuard::setTls(const QSslConfiguration &configuration)
{
    m_tls = true;
    m_tlsConfiguration = configuration;
}

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = m_tls ? new QSslSocket(this) : new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        closeDescriptor(descriptor); // the socket did not take it over
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    if (auto *tls = qobject_cast<QSslSocket *>(socket)) {
        tls->setSslConfiguration(m_tlsConfiguration);
        tls->startServerEncryption();
    }
    if (m_served >= m_limits.maxConnections)
        return refuseBusy(socket);
    ++m_served;
    connect(socket, &QObject::destroyed, this, [this] { --m_served; });
    // What the layer may leave unread is bounded too: a whole request at most, and some more.
    socket->setReadBufferSize(m_limits.maxHeadBytes + m_limits.maxBodyBytes + 64 * 1024);
    auto *watch = new RequestWatch(socket, m_limits);
    addPendingConnection(socket); // the HTTP layer connects its reading here
    connect(socket, &QIODevice::readyRead, watch, &RequestWatch::afterLayer);
}

void ConnectionGuard::refuseBusy(QTcpSocket *socket)
{
    if (m_busy >= kMaxBusyAnswers) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++m_busy;
    connect(socket, &QObject::destroyed, this, [this] { --m_busy; });
    socket->setReadBufferSize(4096);
    answerAndClose(socket, refusalResponse(503), m_limits.headMs);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

} // namespace web
