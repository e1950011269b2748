#pragma once

#include <QSslConfiguration>
#include <QTcpServer>
#include <atomic>

// The listening socket of the survey server, with the limits the HTTP layer lacks: it buffers
// any body whole, never closes a connection and waits for ever. Each connection's requests
// are read by the guard before the layer: a head the layer could read otherwise, too large, or
// announcing too large a body (or one of unknown length) is answered with a short page and the
// connection closed before the body is read. A request's head must arrive whole within the head
// time (counted from the connection or the previous request), its body within the body time
// after the head: a client sending a byte now and then cannot hold a connection. Past the
// connection limit a new one gets a short "busy" page.
namespace web {

struct GuardLimits {
    int maxConnections = 256;
    int maxHeadBytes = 16 * 1024;
    qint64 maxBodyBytes = 64 * 1024;
    int headMs = 10000;
    int bodyMs = 30000;
};

class ConnectionGuard : public QTcpServer {
    Q_OBJECT
public:
    explicit ConnectionGuard(const GuardLimits &limits, QObject *parent = nullptr);

    // Encrypted connections from now on (a certificate and key in `configuration`).
    void setTls(const QSslConfiguration &configuration);

    // Connections not yet closed, those refused as too many included; any thread may ask.
    int openConnections() const { return m_open; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void refuseBusy(QTcpSocket *socket);

    GuardLimits m_limits;
    bool m_tls = false;
    QSslConfiguration m_tlsConfiguration;
    std::atomic<int> m_open{0};
    int m_served = 0; // connections handed to the HTTP layer
    int m_busy = 0;   // connections being told the server is busy
};

} // namespace web
