// The survey server's guard in front of the HTTP layer: how it reads heads, what it refuses
// before any body is read, its deadlines and its connection limit, with an HTTP layer behind it
// in a thread of its own and clients in the test's.
#include "under_wine.h"
#include "web/connection_guard.h"
#include "web/request_head.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QSslKey>
#include <QSslSocket>
#include <QThread>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

namespace {

// Answers every request with the size of its body.
class BodySizeServer : public QAbstractHttpServer {
public:
    std::atomic<int> handled{0};

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        ++handled;
        makeResponder(request, socket)
            .write(QByteArray::number(request.body().size()), "text/plain");
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}
};

// A guard and its HTTP layer on 127.0.0.1, living in a thread of their own.
class GuardedServer {
public:
    explicit GuardedServer(const web::GuardLimits &limits, bool tls = false)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context,
            [&] {
                m_layer = new BodySizeServer;
                m_guard = new web::ConnectionGuard(limits);
                if (tls)
                    m_guard->setTls(testTls());
                m_guard->listen(QHostAddress::LocalHost, 0);
                m_port = m_guard->serverPort();
                m_layer->bind(m_guard);
            },
            Qt::BlockingQueuedConnection);
    }
    ~GuardedServer()
    {
        QMetaObject::invokeMethod(
            &m_context, [this] { delete m_layer; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    quint16 port() const { return m_port; }
    int handled() const { return m_layer->handled; }
    // The guard's count of open connections once it has come down to 0, or where it stayed.
    int openConnectionsAfterClose() const
    {
        for (int i = 0; i < 100 && m_guard->openConnections() > 0; ++i)
            QThread::msleep(50);
        return m_guard->openConnections();
    }

    static QSslConfiguration testTls()
    {
        QFile certificate(QStringLiteral(OCAI_TEST_DATA_DIR "/tls/cert.pem"));
        QFile key(QStringLiteral(OCAI_TEST_DATA_DIR "/tls/key.pem"));
        certificate.open(QIODevice::ReadOnly);
        key.open(QIODevice::ReadOnly);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(QSslCertificate(certificate.readAll()));
        configuration.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec)); // the test key is EC
        return configuration;
    }

private:
    QThread m_thread;
    QObject m_context;
    BodySizeServer *m_layer = nullptr;
    web::ConnectionGuard *m_guard = nullptr; // owned by m_layer
    quint16 m_port = 0;
};

web::GuardLimits shortLimits()
{
    web::GuardLimits limits;
    limits.maxConnections = 3;
    limits.headMs = 400;
    limits.bodyMs = 400;
    return limits;
}

std::unique_ptr<QTcpSocket> connectTo(const GuardedServer &server, bool tls = false)
{
    std::unique_ptr<QTcpSocket> socket;
    if (tls) {
        auto *secure = new QSslSocket;
        socket.reset(secure);
        secure->setPeerVerifyMode(QSslSocket::VerifyNone);
        secure->connectToHostEncrypted(QStringLiteral("127.0.0.1"), server.port());
        secure->waitForEncrypted(5000);
    } else {
        socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), server.port());
        socket->waitForConnected(5000);
    }
    return socket;
}

// All the server sends until it closes the connection (bounded: at most 10 s).
QByteArray readToClose(QTcpSocket &socket)
{
    QByteArray reply;
    for (int i = 0; i < 100 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        socket.waitForReadyRead(100);
        reply += socket.readAll();
    }
    return reply + socket.readAll();
}

QByteArray statusLine(const QByteArray &reply)
{
    return reply.left(reply.indexOf("\r\n"));
}

struct HeadCase {
    const char *name;
    QByteArray head;
    int status;
    qint64 bodyLength;
};

TEST(RequestHead, AnyLengthTheLayerCouldReadOtherwiseIsRefused)
{
    const QByteArray post = "POST /t/1/submit HTTP/1.1\r\nHost: x\r\n";
    const HeadCase cases[] = {
        {"get", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", 0, 0},
        {"length", post + "Content-Length: 5\r\n\r\n", 0, 5},
        {"blanks around", post + "Content-Length: \t5 \r\n\r\n", 0, 5},
        {"lf lines", "POST / HTTP/1.1\nContent-Length: 7\n\n", 0, 7},
        {"blank lines first", "\r\n\r\nPOST / HTTP/1.1\r\nContent-Length: 3\r\n\r\n", 0, 3},
        {"two lengths", post + "Content-Length: 5\r\nContent-Length: 5\r\n\r\n", 400, 0},
        {"two lengths, cases", post + "content-length: 5\r\nCONTENT-LENGTH: 9\r\n\r\n", 400, 0},
        {"negative", post + "Content-Length: -5\r\n\r\n", 400, 0},
        {"plus", post + "Content-Length: +5\r\n\r\n", 400, 0},
        {"list", post + "Content-Length: 5, 5\r\n\r\n", 400, 0},
        {"inner space", post + "Content-Length: 5 5\r\n\r\n", 400, 0},
        {"overflow", post + "Content-Length: 99999999999999999999999\r\n\r\n", 400, 0},
        {"hexadecimal", post + "Content-Length: 0x10\r\n\r\n", 400, 0},
        {"letters", post + "Content-Length: 5a\r\n\r\n", 400, 0},
        {"empty", post + "Content-Length:\r\n\r\n", 400, 0},
        {"space before colon", post + "Content-Length : 5\r\n\r\n", 400, 0},
        {"folded", post + "Content-Length: 5\r\n 0\r\n\r\n", 400, 0},
        {"nul", post + QByteArray("X: a\0b\r\n\r\n", 10), 400, 0},
        {"bare cr", post + "X: a\rContent-Length: 900\r\n\r\n", 400, 0},
        {"with chunks", post + "Content-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n", 400, 0},
        {"chunks alone", post + "Transfer-Encoding: chunked\r\n\r\n", 411, 0},
        {"too long", post + "Content-Length: 65537\r\n\r\n", 413, 0},
        {"upgrade", "GET / HTTP/1.1\r\nConnection: Upgrade\r\nUpgrade: websocket\r\n\r\n", 400, 0},
        {"no version", "GET /\r\n\r\n", 400, 0},
        {"other version", "GET / HTTP/2.0\r\n\r\n", 400, 0},
        {"no colon", "GET / HTTP/1.1\r\nHost\r\n\r\n", 400, 0},
        {"too many lines", "GET / HTTP/1.1\r\n" + QByteArray("X: y\r\n").repeated(101) + "\r\n",
         431, 0},
    };
    for (const HeadCase &test : cases) {
        const qsizetype end = web::requestHeadEnd(test.head);
        ASSERT_EQ(end, test.head.size()) << test.name;
        const web::HeadReading reading = web::readRequestHead(test.head, 64 * 1024);
        EXPECT_EQ(reading.status, test.status) << test.name;
        EXPECT_EQ(reading.bodyLength, test.bodyLength) << test.name;
    }
}

TEST(RequestHead, EndsAtTheFirstBlankLineAfterTheRequestLine)
{
    const std::pair<QByteArray, qsizetype> cases[] = {
        {"GET / HTTP/1.1\r\n\r\nbody", 18},
        {"GET / HTTP/1.1\n\nbody", 16},
        {"\r\n\nGET / HTTP/1.1\r\nA: b\n\r\nbody", 26},
        {"GET / HTTP/1.1\r\nA: b\r\n", -1},
        {"\r\n\r\n", -1},
        {"GET / HTTP/1.1", -1},
    };
    for (const auto &[bytes, end] : cases)
        EXPECT_EQ(web::requestHeadEnd(bytes), end) << bytes.constData();
}

struct RefusalCase {
    const char *name;
    QByteArray request;
    QByteArray status;
};

TEST(ConnectionGuard, RefusesBeforeTheBodyAndClosesEveryConnection)
{
    const QByteArray post = "POST / HTTP/1.1\r\nHost: x\r\n";
    const QByteArray body(4 * 1024 * 1024, 'x'); // more than the layer may ever hold
    const RefusalCase cases[] = {
        {"two lengths", post + "Content-Length: 5\r\nContent-Length: 300000000\r\n\r\n" + body,
         "HTTP/1.1 400 Bad Request"},
        {"length and chunks",
         post + "Content-Length: 300000000\r\nTransfer-Encoding: chunked\r\n\r\n" + body,
         "HTTP/1.1 400 Bad Request"},
        {"no length", post + "Transfer-Encoding: chunked\r\n\r\n" + body,
         "HTTP/1.1 411 Length Required"},
        {"too large", post + "Content-Length: 300000000\r\n\r\n" + body,
         "HTTP/1.1 413 Payload Too Large"},
        {"head too large", "GET / HTTP/1.1\r\nX: " + QByteArray(20000, 'a') + "\r\n\r\n",
         "HTTP/1.1 431 Request Header Fields Too Large"},
        {"lf head too large", "POST / HTTP/1.1\nContent-Length: 300000000\n\n" + body,
         "HTTP/1.1 413 Payload Too Large"},
    };
    GuardedServer server(shortLimits());
    for (const RefusalCase &test : cases) {
        auto socket = connectTo(server);
        socket->write(test.request);
        const QByteArray reply = readToClose(*socket);
        EXPECT_EQ(statusLine(reply), test.status) << test.name;
        EXPECT_TRUE(reply.contains("<html lang=\"ru\">")) << test.name;
        EXPECT_EQ(socket->state(), QAbstractSocket::UnconnectedState) << test.name;
    }
    auto socket = connectTo(server); // the body after an accepted head is counted, not a head
    socket->write(post + "Content-Length: 20\r\n\r\n" + "GET / HTTP/1.1\r\n\r\n\r\n");
    EXPECT_TRUE(readToClose(*socket).endsWith("\r\n\r\n20"));
    EXPECT_EQ(server.handled(), 1);
    EXPECT_EQ(server.openConnectionsAfterClose(), 0);
}

TEST(ConnectionGuard, HeadAndBodyHaveDeadlinesThatBytesDoNotPutOff)
{
    const QByteArray heads[] = {"GET / HTTP/1.1\r\n",
                                "POST / HTTP/1.1\r\nContent-Length: 900\r\n\r\n"};
    GuardedServer server(shortLimits());
    for (const QByteArray &head : heads) {
        auto socket = connectTo(server);
        socket->write(head);
        QByteArray reply;
        // A byte every 50 ms for up to 10 s; the deadline is 0.4 s.
        for (int i = 0; i < 200 && socket->state() == QAbstractSocket::ConnectedState; ++i) {
            socket->write(head.contains("POST") ? "x" : "X");
            socket->waitForReadyRead(50);
            reply += socket->readAll();
        }
        reply += readToClose(*socket);
        EXPECT_EQ(statusLine(reply), "HTTP/1.1 408 Request Timeout") << head.constData();
    }
    auto silent = connectTo(server); // closed without a word
    EXPECT_TRUE(readToClose(*silent).isEmpty());
    EXPECT_EQ(silent->state(), QAbstractSocket::UnconnectedState);
    EXPECT_EQ(server.handled(), 0);
    EXPECT_EQ(server.openConnectionsAfterClose(), 0);
}

TEST(ConnectionGuard, PastTheLimitAShortBusyPageAlsoOverTls)
{
    for (const bool tls : {false, true}) {
        if (tls && testwine::underWine()) {
            std::cout << testwine::kNoTlsServer;
            continue;
        }
        GuardedServer server(shortLimits(), tls);
        std::vector<std::unique_ptr<QTcpSocket>> held;
        for (int i = 0; i < shortLimits().maxConnections; ++i)
            held.push_back(connectTo(server, tls));
        auto refused = connectTo(server, tls);
        const QByteArray reply = readToClose(*refused);
        EXPECT_EQ(statusLine(reply), "HTTP/1.1 503 Service Unavailable") << tls;
        EXPECT_TRUE(reply.contains("Попробуйте через минуту")) << tls;
        EXPECT_LT(reply.size(), 1024) << tls;
        held.clear();
        EXPECT_EQ(server.openConnectionsAfterClose(), 0) << tls;
        auto later = connectTo(server, tls); // the limit counts open connections only
        later->write("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
        EXPECT_TRUE(readToClose(*later).startsWith("HTTP/1.1 200 OK")) << tls;
        EXPECT_EQ(server.openConnectionsAfterClose(), 0) << tls;
    }
}

} // namespace
