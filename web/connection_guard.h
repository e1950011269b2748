#pragma once

#include <QSslConfiguration>
#include <QTcpServer>

// The listening socket of the survey server, with the limits the HTTP layer lacks: it buffers
// any body whole and never closes a connection. Each connection's requests are followed as
// they arrive: a head over kMaxHeadBytes, a body announced over the body limit or sent in
// chunks is answered with an error and the connection closed before the body is read; a
// connection silent for the idle time is closed; past kMaxConnections a new one is refused.
namespace web {

class ConnectionGuard : public QTcpServer {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 256;
    static constexpr int kMaxHeadBytes = 16 * 1024;

    ConnectionGuard(qint64 maxBodyBytes, int idleMs, QObject *parent = nullptr);

    // Encrypted connections from now on (a certificate and key in `configuration`).
    void setTls(const QSslConfiguration &configuration);

    int openConnections() const { return m_open; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    qint64 m_maxBody;
    int m_idleMs;
    bool m_tls = false;
    QSslConfiguration m_tlsConfiguration;
    int m_open = 0;
};

} // namespace web
