#include "web/tls_check.h"

#include <QDateTime>
#include <QDir>
#include <QSslSocket>
#include <QTcpServer>

namespace web {
namespace {

QString fileName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString day(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("dd.MM.yyyy"));
}

// Keeps the descriptor of the connection it accepts, for a socket of the caller's choosing.
class DescriptorListener : public QTcpServer {
public:
    qintptr descriptor = -1;

protected:
    void incomingConnection(qintptr accepted) override { descriptor = accepted; }
};

// Whether the TLS library takes the certificate and key together, as it does for every
// connection: the server side of a connection over 127.0.0.1 is set up with them (nothing is
// sent). Unknown (true) where no such connection can be made.
bool keyFitsCertificate(const QSslConfiguration &configuration)
{
    DescriptorListener listener;
    if (!listener.listen(QHostAddress::LocalHost, 0))
        return true;
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, listener.serverPort());
    QSslSocket server;
    if (!listener.waitForNewConnection(5000) || listener.descriptor == -1 ||
        !server.setSocketDescriptor(listener.descriptor))
        return true;
    server.setSslConfiguration(configuration);
    server.startServerEncryption();
    const auto error = server.error();
    server.abort();
    return error != QAbstractSocket::SslInvalidUserDataError &&
           error != QAbstractSocket::SslInternalError;
}

} // namespace

std::optional<QString> certificateProblem(const QSslConfiguration &configuration,
                                          const QString &certificateFile, const QString &keyFile)
{
    const QSslCertificate certificate = configuration.localCertificate();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (certificate.expiryDate() < now)
        return QStringLiteral("Срок действия сертификата «%1» истёк %2: нужен новый сертификат.")
            .arg(fileName(certificateFile), day(certificate.expiryDate()));
    if (certificate.effectiveDate() > now)
        return QStringLiteral("Сертификат «%1» начнёт действовать только %2: проверьте дату "
                              "на компьютере или возьмите другой сертификат.")
            .arg(fileName(certificateFile), day(certificate.effectiveDate()));
    if (!keyFitsCertificate(configuration))
        return QStringLiteral("Ключ «%1» не от сертификата «%2»: нужен ключ, с которым сертификат "
                              "был выпущен.")
            .arg(fileName(keyFile), fileName(certificateFile));
    return std::nullopt;
}

} // namespace web
