#include "connection_guard.h"

#include <QSslSocket>
#include <QTimer>

namespace web {
namespace {

// Where a connection's byte stream stands: in a request's head, or in a body of known length.
class RequestWatch : public QObject {
public:
    RequestWatch(QTcpSocket *socket, qint64 maxBody, int idleMs)
        : QObject(socket), m_socket(socket), m_maxBody(maxBody)
    {
        m_idle.setSingleShot(true);
        m_idle.setInterval(idleMs);
        connect(&m_idle, &QTimer::timeout, socket, &QAbstractSocket::abort);
        // Before the HTTP layer's own slot: the bytes are looked at before it reads them.
        connect(socket, &QIODevice::readyRead, this, &RequestWatch::look);
        connect(socket, &QIODevice::bytesWritten, this, [this] { m_idle.start(); });
        m_idle.start();
    }

private:
    void look()
    {
        m_idle.start();
        if (m_refused) {
            m_socket->readAll(); // dropped: nothing more reaches the HTTP layer
            return;
        }
        QByteArray bytes = m_socket->peek(m_socket->bytesAvailable());
        while (!bytes.isEmpty()) {
            if (m_bodyLeft > 0) {
                const qint64 taken = std::min<qint64>(m_bodyLeft, bytes.size());
                m_bodyLeft -= taken;
                bytes.remove(0, int(taken));
                continue;
            }
            const qsizetype before = m_head.size();
            m_head += bytes;
            const qsizetype end = m_head.indexOf("\r\n\r\n");
            if (end < 0) {
                if (m_head.size() > ConnectionGuard::kMaxHeadBytes)
                    return refuse("431 Request Header Fields Too Large");
                return;
            }
            if (end > ConnectionGuard::kMaxHeadBytes)
                return refuse("431 Request Header Fields Too Large");
            if (const char *status = readHead(m_head.left(end)))
                return refuse(status);
            bytes = bytes.mid(end + 4 - before);
            m_head.clear();
        }
    }

    // The body's length from the head, or the status refusing it.
    const char *readHead(const QByteArray &head)
    {
        m_bodyLeft = 0;
        for (const QByteArray &line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            if (name == "transfer-encoding")
                return "411 Length Required";
            if (name != "content-length")
                continue;
            bool ok = false;
            const qint64 length = line.mid(colon + 1).trimmed().toLongLong(&ok);
            if (!ok || length < 0)
                return "400 Bad Request";
            if (length > m_maxBody)
                return "413 Payload Too Large";
            m_bodyLeft = length;
        }
        return nullptr;
    }

    void refuse(const char *status)
    {
        m_refused = true;
        m_socket->readAll();
        m_socket->write(QByteArray("HTTP/1.1 ") + status +
                        "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        m_socket->disconnectFromHost();
    }

    QTcpSocket *m_socket;
    qint64 m_maxBody;
    QTimer m_idle;
    QByteArray m_head;
    qint64 m_bodyLeft = 0;
    bool m_refused = false;
};

} // namespace

ConnectionGuard::ConnectionGuard(qint64 maxBodyBytes, int idleMs, QObject *parent)
    : QTcpServer(parent), m_maxBody(maxBodyBytes), m_idleMs(idleMs)
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
        return;
    }
    if (m_open >= kMaxConnections) {
        socket->write("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n"
                      "Connection: close\r\n\r\n");
        socket->disconnectFromHost();
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->state() == QAbstractSocket::UnconnectedState)
            socket->deleteLater();
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    new RequestWatch(socket, m_maxBody, m_idleMs);
    if (auto *tls = qobject_cast<QSslSocket *>(socket)) {
        tls->setSslConfiguration(m_tlsConfiguration);
        tls->startServerEncryption();
    }
    addPendingConnection(socket);
}

} // namespace web
