#include "survey_collection.h"

#include "connection_guard.h"
#include "core/safe_write.h"
#include "group_names.h"
#include "qr_code.h"
#include "submission.h"
#include "survey/unit_pc1.h"
#include "survey_server.h"
#include "tls_check.h"

#include <QDir>
#include <QFile>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpSocket>

namespace web {
namespace {

bool isPrivateIpv4(const QHostAddress &address)
{
    return address.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
           address.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12) ||
           address.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
}

// The address other computers use for a server bound to `bound`: itself, or for every
// interface the first address of an interface that is up, an office network's before others
// (IPv6 when bound to IPv6's alone).
QHostAddress reachableAddress(const QHostAddress &bound)
{
    const bool ipv6 = bound == QHostAddress::AnyIPv6;
    if (bound != QHostAddress::Any && bound != QHostAddress::AnyIPv4 && !ipv6)
        return bound;
    const auto protocol = ipv6 ? QAbstractSocket::IPv6Protocol : QAbstractSocket::IPv4Protocol;
    QList<QHostAddress> candidates;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            if (entry.ip().protocol() == protocol && !entry.ip().isLinkLocal())
                candidates << entry.ip();
    }
    std::stable_partition(candidates.begin(), candidates.end(), isPrivateIpv4);
    if (!candidates.isEmpty())
        return candidates.first();
    return QHostAddress(ipv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost);
}

std::optional<QString> readTls(const ServeSettings &settings, QSslConfiguration *configuration)
{
    if (!QSslSocket::supportsSsl())
        return QStringLiteral("На этом компьютере нет библиотеки TLS (OpenSSL).");
    QFile certificateFile(settings.tlsCertificate), keyFile(settings.tlsKey);
    if (!certificateFile.open(QIODevice::ReadOnly))
        return QStringLiteral("Не удалось прочитать сертификат «%1».")
            .arg(QDir::toNativeSeparators(settings.tlsCertificate));
    if (!keyFile.open(QIODevice::ReadOnly))
        return QStringLiteral("Не удалось прочитать ключ «%1».")
            .arg(QDir::toNativeSeparators(settings.tlsKey));
    const auto chain = QSslCertificate::fromData(certificateFile.read(1 << 20), QSsl::Pem);
    if (chain.isEmpty() || chain.first().isNull())
        return QStringLiteral("В файле «%1» нет сертификата PEM.")
            .arg(QDir::toNativeSeparators(settings.tlsCertificate));
    const QByteArray keyBytes = keyFile.read(1 << 20);
    QSslKey key;
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa})
        if (key = QSslKey(keyBytes, algorithm); !key.isNull())
            break;
    if (key.isNull())
        return QStringLiteral("В файле «%1» нет закрытого ключа PEM без пароля.")
            .arg(QDir::toNativeSeparators(settings.tlsKey));
    *configuration = QSslConfiguration::defaultConfiguration();
    configuration->setLocalCertificateChain(chain);
    configuration->setPrivateKey(key);
    return certificateProblem(*configuration, settings.tlsCertificate, settings.tlsKey);
}

std::optional<QString> writeQrFiles(const SurveyLink &link)
{
    const QrCode code(link.url.toEncoded());
    for (const auto &[extension, bytes] :
         {std::pair{".png", code.png()}, std::pair{".svg", code.svg()}}) {
        const QString path = link.qrStem + QLatin1String(extension);
        if (const auto failure = safewrite::replaceFile(path, bytes))
            return QStringLiteral("Не удалось записать QR-код «%1»: %2.")
                .arg(QDir::toNativeSeparators(path), *failure);
    }
    return std::nullopt;
}

} // namespace

SurveyCollection::SurveyCollection(QObject *parent) : QObject(parent) {}

SurveyCollection::~SurveyCollection()
{
    stop();
}

QByteArray SurveyCollection::newToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex();
}

bool SurveyCollection::isToken(const QByteArray &token)
{
    return token.size() >= 16 && token.size() <= 64 &&
           std::all_of(token.begin(), token.end(), [](char ch) {
               return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                      (ch >= '0' && ch <= '9') || ch == '-' || ch == '_';
           });
}

std::variant<QList<SurveyLink>, StartError> SurveyCollection::start(const QStringList &groups,
                                                                    const QString &dir,
                                                                    const ServeSettings &settings)
{
    stop();
    const QStringList named = groups.isEmpty() ? QStringList{QString()} : groups;
    // An empty name is `dir` itself, once: a window serves a survey's own files beside its groups.
    if (named.count(QString()) > 1)
        return StartError{StartError::Kind::Folder,
                          QStringLiteral("Папка опроса названа дважды среди групп.")};
    for (const QString &group : named)
        if (const QString problem = groupNameProblem(group); !group.isEmpty() && !problem.isEmpty())
            return StartError{StartError::Kind::Folder, problem};
    QSslConfiguration tls;
    const bool secure = !settings.tlsCertificate.isEmpty();
    if (secure)
        if (const auto problem = readTls(settings, &tls))
            return StartError{StartError::Kind::Tls, *problem};

    GuardLimits limits;
    limits.maxBodyBytes = kMaxBodyBytes;
    limits.headMs = settings.headMs;
    limits.bodyMs = settings.bodyMs;
    auto *guard = new ConnectionGuard(limits);
    if (secure)
        guard->setTls(tls);
    if (!guard->listen(settings.address, settings.port)) {
        const QString message = QStringLiteral("Не удалось открыть порт %1 на адресе %2: %3.")
                                    .arg(settings.port)
                                    .arg(settings.address.toString(), guard->errorString());
        delete guard;
        return StartError{StartError::Kind::Network, message};
    }
    // Folders only once the port is ours: a refused start leaves nothing behind.
    QList<SurveyLink> links;
    for (const QString &group : named) {
        const QString folder = group.isEmpty() ? dir : QDir(dir).filePath(group);
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
            delete guard;
            return StartError{StartError::Kind::Folder,
                              QStringLiteral("Не удалось создать папку «%1».")
                                  .arg(QDir::toNativeSeparators(folder))};
        }
        links.append({group, folder, {}, qrFileStem(dir, group)});
    }

    const QByteArray token = settings.token.isEmpty() ? newToken() : settings.token;
    m_server = new SurveyServer(token, this);
    m_server->bind(guard);
    const QByteArray key = survey::programKey();
    const QHostAddress host = reachableAddress(settings.address);
    for (int i = 0; i < links.size(); ++i) {
        m_server->addLink(links[i].group, links[i].folder, key);
        QUrl &url = links[i].url;
        url.setScheme(secure ? QStringLiteral("https") : QStringLiteral("http"));
        url.setHost(host.toString());
        url.setPort(guard->serverPort());
        url.setPath(QString::fromLatin1(m_server->linkPath(i + 1)));
        if (const auto failure = writeQrFiles(links[i])) {
            stop();
            return StartError{StartError::Kind::Folder, *failure};
        }
    }
    m_groups = named;
    connect(m_server, &SurveyServer::written, this, [this](int link, const QString &file) {
        emit questionnaireWritten(m_groups.value(link - 1), file);
    });
    connect(m_server, &SurveyServer::writeFailed, this, [this](int link, const QString &message) {
        emit writeFailed(m_groups.value(link - 1), message);
    });
    return links;
}

void SurveyCollection::stop()
{
    if (!m_server)
        return;
    for (QTcpServer *listener : m_server->servers()) {
        listener->close();
        for (QTcpSocket *socket : listener->findChildren<QTcpSocket *>())
            socket->abort();
    }
    delete m_server;
    m_server = nullptr;
}

} // namespace web
