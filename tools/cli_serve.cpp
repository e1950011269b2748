// ocai-cli serve: the questionnaire over the local network until SIGINT or SIGTERM.
#include "cli_common.h"
#include "cli_io.h"
#include "web/group_names.h"
#include "web/qr_code.h"
#include "web/survey_collection.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#ifdef Q_OS_WIN
#include "core/windows_text.h"

#include <QAbstractNativeEventFilter>
#include <io.h>
#define isatty _isatty
#define STDOUT_FILENO 1
#else
#include <unistd.h>
#endif

namespace cli {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

void onStopSignal(int)
{
    g_stopSignal = 1;
}

// SIGINT and SIGTERM end the event loop between two requests: a questionnaire being written is
// always finished first, as writes run in the loop, and nothing the loop does waits on a reader
// of the output. A second signal ends the program at once. The flag is looked at five times a
// second, the one way a signal handler may talk to the loop on every system.
void quitOnSignals()
{
#ifdef Q_OS_WIN
    std::signal(SIGINT, onStopSignal); // reset to the default by the system once called
    std::signal(SIGTERM, onStopSignal);
    // Windows stops a console program gently with a close message to its thread instead.
    struct CloseFilter : QAbstractNativeEventFilter {
        bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
        {
            if (wintext::isCloseRequest(message))
                g_stopSignal = 1;
            return false;
        }
    };
    static CloseFilter closeFilter;
    QCoreApplication::instance()->installNativeEventFilter(&closeFilter);
#else
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A reader that went away makes a write fail rather than end the server.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    auto *poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [] {
        if (g_stopSignal)
            QCoreApplication::quit();
    });
    poll->start(200);
}

// The settings from the options, or the usage error's message.
std::variant<web::ServeSettings, QString> serveSettings(const ParsedArgs &args)
{
    web::ServeSettings settings;
    if (args.isSet("address") && !settings.address.setAddress(args.value("address")))
        return QStringLiteral("serve: --address — адрес IPv4 или IPv6, но не '%1'")
            .arg(args.value("address"));
    if (args.isSet("port")) {
        bool ok = false;
        const uint port = args.value("port").toUInt(&ok);
        if (!ok || port > 65535)
            return QStringLiteral("serve: --port — число от 0 до 65535, но не '%1'")
                .arg(args.value("port"));
        settings.port = quint16(port);
    }
    if (args.isSet("token")) {
        settings.token = args.value("token").toLatin1();
        if (!web::SurveyCollection::isToken(settings.token) ||
            QString::fromLatin1(settings.token) != args.value("token"))
            return QStringLiteral("serve: --token — от 16 до 64 латинских букв, цифр, '-' или '_'");
    }
    settings.newLink = args.isSet("new-link");
    if (args.isSet("tls-cert") != args.isSet("tls-key"))
        return QStringLiteral("serve: --tls-cert и --tls-key задаются вместе");
    settings.tlsCertificate = args.value("tls-cert");
    settings.tlsKey = args.value("tls-key");
    // Not options: tests set short deadlines instead of waiting the real ones.
    if (const int ms = qEnvironmentVariableIntValue("OCAI_SERVE_HEAD_MS"); ms > 0)
        settings.headMs = ms;
    if (const int ms = qEnvironmentVariableIntValue("OCAI_SERVE_BODY_MS"); ms > 0)
        settings.bodyMs = ms;
    return settings;
}

// What a server prints may wait this long for a reader; past it, lines are dropped.
constexpr qsizetype kMaxQueuedOutput = 1024 * 1024;

} // namespace

int runServe(const ParsedArgs &args)
{
    const auto settings = serveSettings(args);
    if (const auto *error = std::get_if<QString>(&settings))
        return usageError(*error);
    QStringList groups;
    if (args.isSet("groups")) {
        const auto parsed = web::parseGroupList(args.value("groups"));
        if (const auto *error = std::get_if<QString>(&parsed))
            return usageError(QStringLiteral("serve: --groups: ") + *error);
        groups = std::get<QStringList>(parsed);
    }
    quitOnSignals();

    web::SurveyCollection collection;
    const auto started =
        collection.start(groups, args.operands.first(), std::get<web::ServeSettings>(settings));
    if (const auto *error = std::get_if<web::StartError>(&started))
        return error->kind == web::StartError::Kind::Folder
                   ? usageError(QStringLiteral("serve: ") + error->message)
                   : dataError(QStringLiteral("serve: ") + error->message);
    const auto &links = std::get<QList<web::SurveyLink>>(started);
    QueuedOutput out(1, kMaxQueuedOutput), err(2, kMaxQueuedOutput);
    if (!collection.notice().isEmpty())
        err.write("ocai-cli: serve: " + collection.notice().toUtf8() + '\n');
    const auto printLine = [&out](const QString &line) { out.write(line.toUtf8() + '\n'); };
    for (const web::SurveyLink &link : links)
        printLine(link.group + u'\t' + QString::fromLatin1(link.url.toEncoded()));
    // The codes to show on the screen; a pipe gets the lines alone.
    if (::isatty(STDOUT_FILENO))
        for (const web::SurveyLink &link : links)
            out.write('\n' + link.group.toUtf8() + (link.group.isEmpty() ? "" : "\n") +
                      web::QrCode(link.url.toEncoded()).terminalText());

    // One line per questionnaire: when, where and which file; nothing the respondent wrote.
    QObject::connect(&collection, &web::SurveyCollection::questionnaireWritten,
                     [&](const QString &group, const QString &file) {
                         printLine(
                             QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")) +
                             u'\t' + group + u'\t' + escapeControls(file));
                     });
    QObject::connect(&collection, &web::SurveyCollection::writeFailed,
                     [&err](const QString &group, const QString &message) {
                         const QString line =
                             QStringLiteral("ocai-cli: serve: %1%2")
                                 .arg(group.isEmpty() ? QString() : group + QStringLiteral(": "),
                                      message);
                         err.write(escapeControls(line).toUtf8() + '\n');
                     });
    QCoreApplication::exec();
    collection.stop();
    if (const qint64 dropped = out.dropped())
        err.write(QStringLiteral("ocai-cli: serve: не выведено байт: %1 — их никто не читал\n")
                      .arg(dropped)
                      .toUtf8());
    return kExitOk;
}

} // namespace cli
