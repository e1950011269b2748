#include "cli_runner.h"
#include "result_files.h"
#include "survey/profile_load.h"
#include "survey_requests.h"
#include "under_wine.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace {

// One request on a new connection to the server; the status line and the body, or an empty
// status when the server closed the connection without answering.
struct Answer {
    QByteArray status, body;
};

Answer request(const QUrl &url, const QByteArray &bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(bytes);
    QByteArray reply;
    for (int i = 0; i < 100 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        socket.waitForReadyRead(100);
        reply += socket.readAll();
        const qsizetype end = reply.indexOf("\r\n\r\n");
        const int length = reply.mid(reply.indexOf("Content-Length: ") + 16, 8).toInt();
        if (end > 0 && reply.size() >= end + 4 + length)
            break;
    }
    reply += socket.readAll();
    const qsizetype end = reply.indexOf("\r\n\r\n");
    return {reply.left(reply.indexOf("\r\n")), end < 0 ? QByteArray() : reply.mid(end + 4)};
}

QByteArray get(const QByteArray &path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n";
}

void startServeProcess(QProcess &server, const QStringList &args)
{
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OCAI_SERVE_HEAD_MS"), QStringLiteral("300"));
    server.setProcessEnvironment(env);
    server.start(QStringLiteral(OCAI_CLI_PATH),
                 QStringList{"serve", "--address", "127.0.0.1"} + args);
}

// ocai-cli serve on 127.0.0.1 with a short head time; its first `links` lines.
QList<QByteArray> startServe(QProcess &server, const QStringList &args, int links)
{
    startServeProcess(server, args);
    QList<QByteArray> lines;
    for (int i = 0; i < 100 && lines.size() < links; ++i)
        if (server.waitForReadyRead(100) || server.canReadLine())
            while (server.canReadLine())
                lines << server.readLine().trimmed();
    return lines;
}

TEST(WebServe, WritesGroupFilesAndKeepsItsLimits)
{
    QTemporaryDir dir;
    QProcess server;
    const QList<QByteArray> lines =
        startServe(server, {dir.path(), "--groups", "Продажи, Склад", "--port", "0"}, 2);
    ASSERT_EQ(lines.size(), 2) << server.readAllStandardError().constData();
    EXPECT_TRUE(lines[0].startsWith("Продажи\thttp://127.0.0.1:"));
    const QUrl url(QString::fromUtf8(lines[1].split('\t').value(1)));
    EXPECT_TRUE(QFile::exists(dir.filePath("Склад QR.png")));
    EXPECT_TRUE(QFile::exists(dir.filePath("Склад QR.svg")));
    const QByteArray page = get(url.path().toLatin1());
    const QByteArray wrongToken = get("/0123456789abcdef0123456789abcdef/");
    const QByteArray tooLong = "POST " + url.path().toLatin1() +
                               "submit HTTP/1.1\r\nContent-Length: 65537\r\n\r\n" +
                               QByteArray(4096, '{');

    EXPECT_EQ(request(url, testweb::post(url, testweb::kSubmission)).body,
              R"({"file":"Web-1OCAI.cry"})");
    EXPECT_EQ(request(url, testweb::post(url, testweb::kSubmission)).status, "HTTP/1.1 200 OK");
    const Answer wrong = request(url, wrongToken);
    EXPECT_EQ(wrong.status, "HTTP/1.1 404 Not Found");
    EXPECT_TRUE(wrong.body.contains("Такой страницы нет"));
    // The same page whatever is wrong: nothing tells a right token from a wrong one.
    for (const QByteArray &other :
         {get(url.path().toLatin1() + "submit"), get(url.path().toLatin1() + "x"),
          get(url.path().toLatin1().chopped(2) + "x/"), get(url.path().toLatin1() + "2/")})
        EXPECT_EQ(request(url, other).body, wrong.body) << other.constData();
    EXPECT_EQ(request(url, page).status, "HTTP/1.1 200 OK");
    EXPECT_EQ(request(url, tooLong).status, "HTTP/1.1 413 Payload Too Large");
    EXPECT_TRUE(request(url, page).body.contains("<!DOCTYPE html>"));
    QTcpSocket idle; // says nothing: closed after the idle time
    idle.connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
    ASSERT_TRUE(idle.waitForConnected(5000));
    EXPECT_TRUE(idle.state() == QAbstractSocket::UnconnectedState ||
                idle.waitForDisconnected(10000));
    EXPECT_EQ(request(url, page).status, "HTTP/1.1 200 OK");

    const auto loaded = survey::loadProfile(dir.filePath("Склад"), testfiles::programKey());
    ASSERT_TRUE(std::holds_alternative<survey::LoadedProfile>(loaded));
    const survey::GroupResult &group = std::get<survey::LoadedProfile>(loaded).group;
    EXPECT_EQ(group.n, 1);
    EXPECT_EQ(group.scores, (survey::ProfileScores{40, 30, 20, 10, 10, 20, 30, 40}));
    EXPECT_EQ(group.means[11][4], 12); // the seconds of the last screen
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitCode(), 0);
    const QList<QByteArray> events = server.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(events.size(), 1); // the resent one wrote nothing
    EXPECT_TRUE(events[0].endsWith("\tСклад\tWeb-1OCAI.cry"));
}

// The page asks its own link whether a code has answered; every other way of asking gets the
// wrong link's page.
TEST(WebServe, TheCodeRouteAnswersOnItsOwnLinkOnly)
{
    QTemporaryDir dir;
    QProcess server;
    const QList<QByteArray> lines = startServe(server, {dir.path(), "--port", "0"}, 1);
    ASSERT_EQ(lines.size(), 1) << server.readAllStandardError().constData();
    const QUrl url(QString::fromUtf8(lines[0]));
    const QByteArray link = url.path().toLatin1();
    ASSERT_EQ(request(url, testweb::post(url, testweb::kSubmission)).status,
              "HTTP/1.1 201 Created");
    EXPECT_EQ(request(url, get(link + "code?c=web-1")).body, R"({"answered":true})");
    EXPECT_EQ(request(url, get(link + "code?c=Web-2")).body, R"({"answered":false})");
    EXPECT_EQ(request(url, get(link + "code?c=%D0%98%D0%B2")).body, R"({"answered":false})");
    EXPECT_EQ(request(url, get(link + "code?c=a%20b")).status, "HTTP/1.1 400 Bad Request");
    const Answer wrong = request(url, get("/0123456789abcdef0123456789abcdef/code?c=Web-1"));
    EXPECT_EQ(wrong.status, "HTTP/1.1 404 Not Found");
    for (const QByteArray &other :
         {get(link.chopped(1) + "code?c=Web-1"), get(link + "code/?c=Web-1"),
          get(link + "1/code?c=Web-1"),
          testweb::post(url, testweb::kSubmission).replace("submit", "code?c=Web-1")})
        EXPECT_EQ(request(url, other).body, wrong.body) << other.constData();
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
}

// Both kinds of key a certificate authority issues: RSA and elliptic-curve (P-256).
TEST(WebServe, ServesHttpsWithTheGivenCertificate)
{
    const struct {
        const char *certificate, *key;
    } tests[] = {{"rsa-cert.pem", "rsa-key.pem"}, {"cert.pem", "key.pem"}};
    const QString tls = QStringLiteral(OCAI_TEST_DATA_DIR "/tls/"); // test keys, nothing else
    for (const auto &test : tests) {
        SCOPED_TRACE(test.key);
        if (testwine::underWine()) {
            std::cout << testwine::kNoTlsServer;
            continue;
        }
        QTemporaryDir dir;
        QProcess server;
        const QList<QByteArray> lines = startServe(
            server, {dir.path(), "--tls-cert", tls + test.certificate, "--tls-key", tls + test.key},
            1);
        ASSERT_EQ(lines.size(), 1) << server.readAllStandardError().constData();
        const QUrl url(QString::fromUtf8(lines[0]).trimmed());
        ASSERT_EQ(url.scheme(), "https");
        QSslSocket socket;
        socket.setPeerVerifyMode(QSslSocket::VerifyNone);
        socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), quint16(url.port()));
        ASSERT_TRUE(socket.waitForEncrypted(10000)) << socket.errorString().toStdString();
        socket.write(get(url.path().toLatin1()));
        QByteArray reply;
        for (int i = 0; i < 100 && !reply.contains("\r\n"); ++i)
            if (socket.waitForReadyRead(100))
                reply += socket.readAll();
        EXPECT_TRUE(reply.startsWith("HTTP/1.1 200 OK")) << reply.left(100).constData();
        server.terminate();
        EXPECT_TRUE(server.waitForFinished(10000));
    }
}

// A head the HTTP layer would read otherwise than a plain counter of its length: refused before
// its body, which here would be the head of a request of 300 MB, then small requests.
TEST(WebServe, HeadsReadTwoWaysAreRefusedBeforeTheirBody)
{
    QTemporaryDir dir;
    QProcess server;
    const QList<QByteArray> lines = startServe(server, {dir.path()}, 1);
    ASSERT_EQ(lines.size(), 1) << server.readAllStandardError().constData();
    const QUrl url(QString::fromUtf8(lines[0]).trimmed());
    const QByteArray hidden = "POST / HTTP/1.1\r\nContent-Length: 300000000\r\n\r\n";
    const QByteArray length = "Content-Length: " + QByteArray::number(hidden.size()) + "\r\n";
    for (const QByteArray &headers :
         QByteArrayList{"Junk\r\n" + length, "Bad Name: x\r\n" + length, length + length,
                        "Content-Length: +47\r\n", "Content-Length: 47\r\n 0\r\n"}) {
        const QByteArray head = "POST " + url.path().toLatin1() + "submit HTTP/1.1\r\n" + headers;
        EXPECT_EQ(request(url, head + "\r\n" + hidden).status, "HTTP/1.1 400 Bad Request")
            << headers.constData();
    }
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(10000));
}

#ifdef Q_OS_UNIX
// A full pipe and POSIX signals: Windows has neither a pipe's capacity to set nor SIGTERM.
// Reads a line from `descriptor` (bounded: 10 s).
QByteArray readLine(int descriptor)
{
    QByteArray line;
    char ch = 0;
    pollfd ready{descriptor, POLLIN, 0};
    for (int i = 0; i < 100 && !line.endsWith('\n'); ++i)
        if (::poll(&ready, 1, 100) > 0 && ::read(descriptor, &ch, 1) == 1)
            line += ch;
    line.chop(line.endsWith('\n') ? 1 : 0);
    return line;
}

TEST(WebServe, ServesAndStopsWhenNobodyReadsItsOutput)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        QTemporaryDir dir;
        int ends[2];
        ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        const int capacity = ::fcntl(ends[1], F_SETPIPE_SZ, 4096);
        ASSERT_GT(capacity, 0);
        QProcess server;
        server.setChildProcessModifier([output = ends[1]] { ::dup2(output, STDOUT_FILENO); });
        startServeProcess(server, {dir.path()});
        const QUrl url(QString::fromUtf8(readLine(ends[0]).split('\t').value(1)));
        ASSERT_TRUE(url.isValid()) << server.readAllStandardError().constData();
        // The pipe full, and its reader gone to sleep.
        ASSERT_EQ(::write(ends[1], QByteArray(capacity, '.').constData(), capacity), capacity);

        const QByteArray page = get(url.path().toLatin1());
        EXPECT_EQ(request(url, testweb::post(url, testweb::kSubmission)).status,
                  "HTTP/1.1 201 Created");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(request(url, page).status, "HTTP/1.1 200 OK") << signal;
        ::kill(pid_t(server.processId()), signal);
        EXPECT_TRUE(server.waitForFinished(10000)) << signal;
        EXPECT_EQ(server.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(server.exitCode(), 0) << signal;
        EXPECT_TRUE(QFile::exists(dir.filePath("Web-1OCAI.cry")));
        ::close(ends[0]);
        ::close(ends[1]);
    }
}

#endif

TEST(WebServe, CertificatesNoBrowserWouldTakeAreRefusedAtStart)
{
    const QString tls = QStringLiteral(OCAI_TEST_DATA_DIR "/tls/");
    const struct {
        const char *certificate, *key, *named, *says;
    } cases[] = {
        {"cert.pem", "other-key.pem", "other-key.pem", "не от сертификата"},
        {"expired.pem", "key.pem", "expired.pem", "истёк 01.01.2002"},
        {"future.pem", "key.pem", "future.pem", "начнёт действовать только 01.01.2100"},
    };
    for (const auto &test : cases) {
        // The dates are read before any TLS; the key only by setting up a connection.
        if (testwine::underWine() && QByteArray(test.says) == "не от сертификата") {
            std::cout << testwine::kNoTlsServer;
            continue;
        }
        QTemporaryDir dir;
        const auto run =
            testcli::runCli({"serve", dir.path(), "--address", "127.0.0.1", "--tls-cert",
                             tls + test.certificate, "--tls-key", tls + test.key});
        EXPECT_EQ(run.exitCode, 1) << test.certificate;
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.contains(test.named)) << run.err.constData();
        EXPECT_TRUE(run.err.contains(test.says)) << run.err.constData();
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << test.certificate;
    }
}

TEST(WebServe, GroupsThatAreNoPlainFolderNameAreUsageErrors)
{
    QTemporaryDir dir;
    for (const char *groups :
         {"", "A,,B", ".", "..", "a/b", "a\tb", "Отдел,отдел", "Отдел,Отдел"}) {
        const auto run = testcli::runCli(
            {"serve", dir.path(), "--groups", QString::fromUtf8(groups), "--address", "127.0.0.1"});
        EXPECT_EQ(run.exitCode, 2) << groups;
        EXPECT_TRUE(run.out.isEmpty()) << groups;
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// The survey's questionnaire with another page id.
QByteArray submissionWithId(int n)
{
    return QByteArray(testweb::kSubmission)
        .replace("123e4567-e89b-42d3-a456-426614174000",
                 QByteArray("123e4567-e89b-42d3-a456-") +
                     QByteArray::number(n).rightJustified(12, '0'));
}

TEST(WebServe, RestartAfterKillKeepsTheLinkAndTheFirstFile)
{
    QTemporaryDir dir;
    QProcess server;
    const QList<QByteArray> first = startServe(server, {dir.path()}, 1);
    ASSERT_EQ(first.size(), 1) << server.readAllStandardError().constData();
    const QUrl url(QString::fromUtf8(first[0]).trimmed());
    EXPECT_EQ(request(url, testweb::post(url, testweb::kSubmission)).status,
              "HTTP/1.1 201 Created");
    server.kill();
    ASSERT_TRUE(server.waitForFinished(10000));

    QProcess restarted;
    EXPECT_EQ(startServe(restarted, {dir.path()}, 1), first);
    const Answer resent = request(url, testweb::post(url, testweb::kSubmission));
    EXPECT_EQ(resent.status, "HTTP/1.1 200 OK");
    EXPECT_EQ(resent.body, R"({"file":"Web-1OCAI.cry"})");
    restarted.kill();
    restarted.waitForFinished(10000);

    QProcess renewed;
    const QList<QByteArray> other = startServe(renewed, {dir.path(), "--new-link"}, 1);
    ASSERT_EQ(other.size(), 1);
    EXPECT_NE(other, first);
    EXPECT_EQ(request(url, get(url.path().toLatin1())).status, ""); // the old port is closed
    renewed.terminate();
    renewed.waitForFinished(10000);
}

// Respondent `code`'s questionnaire with page id `n`.
QByteArray submissionOf(const QByteArray &code, int n)
{
    return submissionWithId(n).replace(R"("code":"Web-1")", R"("code":")" + code + '"');
}

QStringList resultNames(const QString &folder)
{
    return QDir(folder).entryList({"*OCAI.cry"}, QDir::Files, QDir::Name);
}

// ocai-cli serve DIR --groups GROUPS until `run` returns: its "<group>\t<url>" lines as a map.
void serveGroups(const QString &dir, const QString &groups,
                 const std::function<void(const QMap<QString, QUrl> &)> &run)
{
    QProcess server;
    const QList<QByteArray> lines =
        startServe(server, {dir, "--groups", groups}, 1 + groups.count(','));
    QMap<QString, QUrl> links;
    for (const QByteArray &line : lines)
        links.insert(QString::fromUtf8(line.split('\t')[0]),
                     QUrl(QString::fromUtf8(line.split('\t').value(1))));
    EXPECT_EQ(links.size(), 1 + groups.count(',')) << server.readAllStandardError().constData();
    run(links);
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(10000));
}

// A group's link writes into that group whatever groups a later start serves, in whatever order;
// the link of a group not served says its collection is stopped and nothing is written; no
// group's secret, whatever it is combined with, writes into another group.
TEST(WebServe, EachLinkWritesIntoItsOwnGroupWhateverTheGroupsServed)
{
    QTemporaryDir dir;
    QUrl sales, store;
    serveGroups(dir.path(), "Продажи,Склад", [&](const QMap<QString, QUrl> &links) {
        sales = links.value("Продажи");
        store = links.value("Склад");
    });
    ASSERT_NE(sales, store);
    const QByteArray salesSecret = sales.path().toLatin1().mid(1).chopped(1);
    const QByteArray storeSecret = store.path().toLatin1().mid(1).chopped(1);
    const auto posted = [](const QUrl &url, const QByteArray &path, const QByteArray &body) {
        return request(url, "POST " + path + " HTTP/1.1\r\nHost: x\r\nContent-Length: " +
                                QByteArray::number(body.size()) + "\r\n\r\n" + body);
    };

    serveGroups(dir.path(), "Склад,Продажи", [&](const QMap<QString, QUrl> &links) {
        EXPECT_EQ(links.value("Продажи"), sales);
        EXPECT_EQ(links.value("Склад"), store);
        EXPECT_EQ(request(sales, testweb::post(sales, submissionOf("A1", 1))).status,
                  "HTTP/1.1 201 Created");
        EXPECT_EQ(request(store, testweb::post(store, submissionOf("B1", 2))).status,
                  "HTTP/1.1 201 Created");
        // One group's secret with another's, or with a place in a list, opens nothing.
        int n = 10;
        for (const QByteArray &path :
             {"/" + salesSecret + "/" + storeSecret + "/submit", "/" + storeSecret + "/1/submit",
              "/" + salesSecret + "/2/submit", "/" + salesSecret + storeSecret + "/submit",
              "/" + storeSecret.left(16) + "/submit", "/" + salesSecret + "//submit"})
            EXPECT_EQ(posted(sales, path, submissionOf("X" + QByteArray::number(n), n)).status,
                      "HTTP/1.1 404 Not Found")
                << path.constData();
    });

    serveGroups(dir.path(), "Склад", [&](const QMap<QString, QUrl> &links) {
        EXPECT_EQ(links.value("Склад"), store);
        const Answer stopped = request(sales, testweb::post(sales, submissionOf("A2", 3)));
        EXPECT_EQ(stopped.status, "HTTP/1.1 503 Service Unavailable");
        EXPECT_EQ(stopped.body, R"({"error":"Ответы не отправлены: сбор ответов по этой )"
                                R"(ссылке остановлен."})");
        const Answer page = request(sales, get(sales.path().toLatin1()));
        EXPECT_EQ(page.status, "HTTP/1.1 503 Service Unavailable");
        EXPECT_TRUE(page.body.contains("Сбор ответов группы «Продажи» остановлен"));
        // Past the secret, what no route answers is as wrong as any wrong link.
        const QByteArray notFound = request(sales, get("/" + QByteArray(32, '0') + "/")).body;
        for (const QByteArray &other : {get(sales.path().toLatin1() + "submit"),
                                        testweb::post(sales, "").replace("submit", "")})
            EXPECT_EQ(request(sales, other).body, notFound) << other.constData();
        EXPECT_EQ(request(store, testweb::post(store, submissionOf("B2", 4))).status,
                  "HTTP/1.1 201 Created");
    });

    serveGroups(dir.path(), "Бухгалтерия,Продажи", [&](const QMap<QString, QUrl> &links) {
        EXPECT_EQ(links.value("Продажи"), sales);
        EXPECT_NE(links.value("Бухгалтерия"), store); // a new group, a new link
        EXPECT_NE(links.value("Бухгалтерия"), sales);
        EXPECT_EQ(request(sales, testweb::post(sales, submissionOf("A3", 5))).status,
                  "HTTP/1.1 201 Created");
        EXPECT_EQ(request(store, testweb::post(store, submissionOf("B3", 6))).status,
                  "HTTP/1.1 503 Service Unavailable");
    });

    EXPECT_EQ(resultNames(dir.filePath("Продажи")), (QStringList{"A1OCAI.cry", "A3OCAI.cry"}));
    EXPECT_EQ(resultNames(dir.filePath("Склад")), (QStringList{"B1OCAI.cry", "B2OCAI.cry"}));
    EXPECT_TRUE(resultNames(dir.filePath("Бухгалтерия")).isEmpty());
    EXPECT_TRUE(resultNames(dir.path()).isEmpty());
}

// The file of an earlier version numbered its links by the groups' places in one start's list:
// they are void, the start says why, and the port and the pages' storage key stay.
TEST(WebServe, AnEarlierVersionsLinksAreVoidAndTheStartSaysWhy)
{
    QTemporaryDir dir;
    QTcpServer probe; // a port free now
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    const QByteArray token = "0123456789abcdef0123456789abcdef";
    const QByteArray survey = "fedcba9876543210fedcba9876543210";
    QFile file(dir.filePath(".ocai-link"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"token":")" + token + R"(","port":)" + QByteArray::number(port) +
               R"(,"survey":")" + survey + R"("})");
    file.close();

    QProcess server;
    const QList<QByteArray> lines =
        startServe(server, {dir.path(), "--groups", "Продажи,Склад"}, 2);
    ASSERT_EQ(lines.size(), 2) << server.readAllStandardError().constData();
    const QUrl url(QString::fromUtf8(lines[0].split('\t').value(1)));
    EXPECT_EQ(url.port(), port);
    EXPECT_FALSE(url.path().contains(QString::fromLatin1(token)));
    for (const char *old : {"/1/", "/2/"}) {
        const QUrl oldLink("http://127.0.0.1:" + QString::number(port) + "/" +
                           QString::fromLatin1(token) + old);
        EXPECT_EQ(request(oldLink, testweb::post(oldLink, testweb::kSubmission)).status,
                  "HTTP/1.1 404 Not Found");
    }
    EXPECT_TRUE(request(url, get(url.path().toLatin1())).body.contains(survey));
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
    const QByteArray said = server.readAllStandardError();
    EXPECT_TRUE(said.contains("сделаны прежней версией программы")) << said.constData();
    EXPECT_EQ(said.count('\n'), 1) << said.constData();
    for (const QString &folder : {dir.path(), dir.filePath("Продажи"), dir.filePath("Склад")})
        EXPECT_TRUE(resultNames(folder).isEmpty()) << folder.toStdString();

    QProcess again; // said once: the folder's file is this version's now
    ASSERT_EQ(startServe(again, {dir.path(), "--groups", "Склад,Продажи"}, 2).size(), 2);
    again.terminate();
    ASSERT_TRUE(again.waitForFinished(10000));
    EXPECT_TRUE(again.readAllStandardError().isEmpty());
}

// Rounds of questionnaires sent at once to a server killed (SIGKILL) at a random moment, then
// started again; in the end every questionnaire is sent once more. Each makes exactly one file.
TEST(WebServe, KillsAtAnyMomentCountNobodyTwice)
{
    constexpr int kRounds = 8, kPerRound = 16;
    QTemporaryDir dir;
    QRandomGenerator random(7);
    QUrl url;
    for (int round = 0; round < kRounds; ++round) {
        QProcess server;
        const QList<QByteArray> lines = startServe(server, {dir.path()}, 1);
        ASSERT_EQ(lines.size(), 1) << server.readAllStandardError().constData();
        url = QUrl(QString::fromUtf8(lines[0]).trimmed());
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < kPerRound; ++i) {
            sockets.push_back(std::make_unique<QTcpSocket>());
            sockets.back()->connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
            if (sockets.back()->waitForConnected(5000))
                sockets.back()->write(testweb::post(url, submissionWithId(round * kPerRound + i)));
            sockets.back()->flush();
        }
        QThread::msleep(random.bounded(40));
        server.kill();
        ASSERT_TRUE(server.waitForFinished(10000));
    }
    QProcess server;
    ASSERT_EQ(startServe(server, {dir.path()}, 1).size(), 1);
    QSet<QByteArray> files;
    for (int n = 0; n < kRounds * kPerRound; ++n) {
        const Answer answer = request(url, testweb::post(url, submissionWithId(n)));
        EXPECT_TRUE(answer.status == "HTTP/1.1 200 OK" || answer.status == "HTTP/1.1 201 Created")
            << answer.status.constData();
        files.insert(answer.body);
    }
    EXPECT_EQ(files.size(), kRounds * kPerRound);
    EXPECT_EQ(QDir(dir.path()).entryList({"*OCAI.cry"}, QDir::Files).size(), kRounds * kPerRound);
    server.terminate();
    server.waitForFinished(10000);
}

} // namespace
