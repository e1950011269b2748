// ocai-cli serve under a survey's peak: 200 respondents sending at the same moment, five rounds,
// on 127.0.0.1. The figures are submissions per second and the slowest answer; every
// questionnaire must be one whole file, none lost, none written twice. A second run kills the
// server (SIGKILL) in the middle of such a round: no result file may be left empty or partial.
// A third sends one request of 200 MiB without a link's secret, its length announced plainly or
// hidden in the body of a request the HTTP layer reads otherwise: the figure is the server's
// peak memory.
#include "core/c_numbers.h"
#include "result_folder.h"
#include "survey/result_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRespondents = 200;
constexpr int kRounds = 5;
constexpr int kRoundLimitMs = 60000; // a round that takes longer has failed

struct Server {
    QProcess process;
    QUrl url;
};

bool startServer(Server &server, const QString &folder)
{
    server.process.start(QStringLiteral(OCAI_CLI_PATH),
                         {"serve", folder, "--address", "127.0.0.1", "--port", "0"});
    for (int i = 0; i < 100 && !server.process.canReadLine(); ++i)
        server.process.waitForReadyRead(100);
    server.url = QUrl(QString::fromUtf8(server.process.readLine().split('\t').value(1).trimmed()));
    return server.url.isValid() && server.url.port() > 0;
}

QByteArray submission(const QByteArray &path, int respondent, int round)
{
    const QByteArray id =
        QByteArray::number(round * kRespondents + respondent).rightJustified(12, '0');
    const QByteArray body = R"({"id":"00000000-0000-4000-8000-)" + id + R"(","code":"R)" +
                            QByteArray::number(respondent) +
                            R"(","free":"","instructionSeconds":5,"answers":[)" +
                            QByteArray(R"([40,30,20,10],)").repeated(11) +
                            R"([10,20,30,40]],"seconds":[)" + QByteArray("7,").repeated(11) + "7]}";
    return "POST " + path +
           "submit HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/json\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

struct RoundResult {
    int created = 0; // 201 answers
    int other = 0;   // anything else, or no answer
    qint64 slowestMs = 0;
};

// One round: every respondent connects and sends at once; the round ends when all have their
// answer, or at the limit. `afterAnswers` > 0 runs `midway` once that many have answered.
RoundResult runRound(const QUrl &url, int round, int afterAnswers = 0,
                     const std::function<void()> &midway = {})
{
    RoundResult result;
    QEventLoop loop;
    int finished = 0;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    const QByteArray path = url.path().toLatin1();
    auto finish = [&](bool created) {
        (created ? result.created : result.other) += 1;
        result.slowestMs = std::max(result.slowestMs, clock.elapsed());
        if (++finished == afterAnswers && midway)
            midway();
        if (finished == kRespondents)
            loop.quit();
    };
    for (int i = 0; i < kRespondents; ++i) {
        auto *socket = sockets.emplace_back(std::make_unique<QTcpSocket>()).get();
        auto reply = std::make_shared<QByteArray>();
        auto done = std::make_shared<bool>(false);
        QObject::connect(socket, &QTcpSocket::connected,
                         [socket, i, round, path] { socket->write(submission(path, i, round)); });
        QObject::connect(socket, &QTcpSocket::readyRead, [=, &finish] {
            *reply += socket->readAll();
            if (!*done && reply->contains("\r\n\r\n") && reply->endsWith("}")) {
                *done = true;
                finish(reply->startsWith("HTTP/1.1 201"));
            }
        });
        QObject::connect(socket, &QAbstractSocket::errorOccurred, [=, &finish] {
            if (!*done) {
                *done = true;
                finish(false);
            }
        });
        socket->connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
    }
    QTimer::singleShot(kRoundLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    result.other += kRespondents - finished;
    return result;
}

// The result files of `folder`: how many, and how many of them are not whole.
std::pair<int, int> countFiles(const QString &folder)
{
    int files = 0, broken = 0;
    for (const QFileInfo &file :
         QDir(folder).entryInfoList({QStringLiteral("*OCAI.cry")}, QDir::Files | QDir::Hidden)) {
        ++files;
        const auto loaded = survey::loadIndividualResult(file.filePath(), benchfiles::programKey());
        broken += std::holds_alternative<survey::LoadError>(loaded) ? 1 : 0;
    }
    return {files, broken};
}

void BM_Serve200Respondents(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        Server server;
        if (!startServer(server, dir.path())) {
            state.SkipWithError("the server did not start");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        int created = 0, other = 0;
        qint64 slowest = 0;
        for (int round = 0; round < kRounds; ++round) {
            const RoundResult result = runRound(server.url, round);
            created += result.created;
            other += result.other;
            slowest = std::max(slowest, result.slowestMs);
        }
        const double seconds = clock.elapsed() / 1000.0;
        server.process.terminate();
        server.process.waitForFinished(10000);
        const auto [files, broken] = countFiles(dir.path());
        state.counters["submissions_per_s"] = created / seconds;
        state.counters["slowest_ms"] = double(slowest);
        state.counters["files"] = files;
        if (created != kRespondents * kRounds || other != 0 || files != created || broken != 0)
            state.SkipWithError(qPrintable(
                QStringLiteral("of %1 questionnaires %2 written, %3 refused or lost, %4 files, %5 "
                               "broken")
                    .arg(kRespondents * kRounds)
                    .arg(created)
                    .arg(other)
                    .arg(files)
                    .arg(broken)));
    }
}
BENCHMARK(BM_Serve200Respondents)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_KillDuringLoad(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        Server server;
        if (!startServer(server, dir.path())) {
            state.SkipWithError("the server did not start");
            return;
        }
        const RoundResult result =
            runRound(server.url, 0, kRespondents / 2, [&] { server.process.kill(); });
        server.process.waitForFinished(10000);
        const auto [files, broken] = countFiles(dir.path());
        state.counters["answered"] = result.created;
        state.counters["files"] = files;
        state.counters["broken_files"] = broken;
        if (broken != 0 || files < result.created)
            state.SkipWithError(qPrintable(QStringLiteral("%1 answered, %2 files, %3 of them empty "
                                                          "or partial")
                                               .arg(result.created)
                                               .arg(files)
                                               .arg(broken)));
    }
}
BENCHMARK(BM_KillDuringLoad)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The peak resident memory of process `pid` in MiB (Linux), 0 where unknown.
double peakRssMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// Sends `head` (its parts a moment apart, as a client may), then up to `bodyMiB` MiB of
// `filler` on one connection for as long as the server takes them (at most 60 s); the first
// status line answered.
QByteArray sendLargeRequest(const QUrl &url, const QByteArrayList &head, const QByteArray &filler,
                            int bodyMiB)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(url.port()));
    if (!socket.waitForConnected(5000))
        return {};
    QByteArray reply;
    for (const QByteArray &part : head) {
        socket.write(part);
        socket.waitForBytesWritten(1000);
        socket.waitForReadyRead(300);
        reply += socket.readAll();
    }
    const QByteArray chunk = filler.repeated(1024 * 1024 / filler.size());
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < bodyMiB && clock.elapsed() < 60000 &&
                    socket.state() == QAbstractSocket::ConnectedState;
         ++i) {
        socket.write(chunk);
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(1000))
            reply += socket.readAll();
    }
    for (int i = 0;
         i < 50 && !reply.contains("\r\n") && socket.state() == QAbstractSocket::ConnectedState;
         ++i)
        if (socket.waitForReadyRead(100))
            reply += socket.readAll();
    reply += socket.readAll();
    return reply.left(reply.indexOf("\r\n"));
}

// Arg 0: a body of 200 MiB announced plainly. Arg 1: a request of 200 MiB hidden in the body of
// a first one whose head the HTTP layer cannot read (a line without a colon) while its length
// is plain; the 200 MiB are small requests to whoever counts that length.
void BM_MemoryUnder200MiBRequest(benchmark::State &state)
{
    constexpr int kBodyMiB = 200;
    const QByteArray path = "/0123456789abcdef0123456789abcdef/submit";
    const QByteArray large = "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                             QByteArray::number(qint64(kBodyMiB) * 1024 * 1024) + "\r\n\r\n";
    const QByteArrayList head =
        state.range(0) == 0
            ? QByteArrayList{large}
            : QByteArrayList{"POST " + path + " HTTP/1.1\r\nJunk\r\nContent-Length: " +
                                 QByteArray::number(large.size()) + "\r\n\r\n",
                             large};
    const QByteArray filler = state.range(0) == 0 ? "x" : "GET / HTTP/1.1\r\n\r\n";
    for (auto _ : state) {
        QTemporaryDir dir;
        Server server;
        if (!startServer(server, dir.path())) {
            state.SkipWithError("the server did not start");
            return;
        }
        const double before = peakRssMiB(server.process.processId());
        const QByteArray status = sendLargeRequest(server.url, head, filler, kBodyMiB);
        state.counters["peak_rss_before_MiB"] = before;
        state.counters["peak_rss_MiB"] = peakRssMiB(server.process.processId());
        server.process.terminate();
        server.process.waitForFinished(10000);
        state.SetLabel(status.toStdString());
    }
}
BENCHMARK(BM_MemoryUnder200MiBRequest)
    ->ArgName("hidden")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    numfmt::keepCNumbersInTheCLibrary();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
