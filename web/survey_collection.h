#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <variant>

// A survey over the local network: one link per group, each writing its finished questionnaires
// as result files into its folder. Each group keeps its own link for the life of the survey
// folder, whatever groups a start serves; the link of a group not served answers that its
// collection is stopped. ocai-cli serve runs one; a window can start the same.
namespace web {

class SurveyServer;

struct SurveyLink {
    QString group;  // empty for the link into the folder itself
    QString folder; // where its result files go
    QUrl url;       // with a host the other computers of the network can reach
    QString qrStem; // its QR code's files are this plus ".png" and ".svg"
};

struct ServeSettings {
    QHostAddress address = QHostAddress::Any;
    quint16 port = 0; // 0: the folder's own port, or any free one the first time
    // Given: each group served gets the secret derived from it and its name (HMAC-SHA-256), so
    // that one group's link tells nothing of the token or of another group's; empty: each
    // group's own secret, or 128 new random bits for a group served the first time.
    QByteArray token;
    bool newLink = false;           // new secrets on purpose: every old link stops working
    QHostAddress advertised;        // the links' host; null: the default route's address
    QString tlsCertificate, tlsKey; // both or neither: HTTPS instead of HTTP
    int headMs = 10000;             // a request's head arrives whole within this, or is refused
    int bodyMs = 30000;             // and its body within this after the head
};

struct StartError {
    enum class Kind { Folder, Tls, Network } kind;
    QString message; // in Russian, naming the folder, file or address
};

class SurveyCollection : public QObject {
    Q_OBJECT
public:
    explicit SurveyCollection(QObject *parent = nullptr);
    ~SurveyCollection() override;

    // Makes the folders (`dir`, or `dir/<group>` for each group), writes each link's QR code
    // beside them and starts listening. Groups are checked by parseGroupList's rules; an empty
    // one, at most once, is `dir` itself. The links come in the order of `groups`.
    std::variant<QList<SurveyLink>, StartError> start(const QStringList &groups, const QString &dir,
                                                      const ServeSettings &settings);
    // Stops listening and closes every connection; the questionnaire being written, if any, is
    // finished first (writes run in the event loop).
    void stop();
    // What the last start has to tell the consultant beside its links (in Russian): that the
    // folder's earlier links are void, and why; empty mostly.
    const QString &notice() const { return m_notice; }

    // 32 hexadecimal digits from the system's random generator.
    static QByteArray newToken();
    // A group's secret made from a given token: 32 hexadecimal digits.
    static QByteArray derivedSecret(const QByteArray &token, const QString &group);
    // What the token may be when given: 16 to 64 letters, digits, "-" or "_".
    static bool isToken(const QByteArray &token);

signals:
    void questionnaireWritten(const QString &group, const QString &fileName);
    void writeFailed(const QString &group, const QString &message);

private:
    SurveyServer *m_server = nullptr;
    QString m_notice;
};

} // namespace web
