#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <variant>

// A survey over the local network: one link per group, each writing its finished questionnaires
// as result files into its folder. ocai-cli serve runs one; a window can start the same.
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
    quint16 port = 0;               // 0: the folder's own port, or any free one the first time
    QByteArray token;               // empty: the folder's own token, or 128 new random bits
    bool newLink = false;           // a new token on purpose: the old links stop working
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
    // one, at most once, is `dir` itself.
    std::variant<QList<SurveyLink>, StartError> start(const QStringList &groups, const QString &dir,
                                                      const ServeSettings &settings);
    // Stops listening and closes every connection; the questionnaire being written, if any, is
    // finished first (writes run in the event loop).
    void stop();

    // 32 hexadecimal digits from the system's random generator.
    static QByteArray newToken();
    // What the token may be when given: 16 to 64 letters, digits, "-" or "_".
    static bool isToken(const QByteArray &token);

signals:
    void questionnaireWritten(const QString &group, const QString &fileName);
    void writeFailed(const QString &group, const QString &message);

private:
    SurveyServer *m_server = nullptr;
    QStringList m_groups;
};

} // namespace web
