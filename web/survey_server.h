#pragma once

#include "web/submission.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerRequest>
#include <QString>
#include <memory>
#include <vector>

// The HTTP side of a collection: each group's link is "/<secret>/", the secret its own, with
// its routes below it: "GET /<secret>/" its page, "POST /<secret>/submit" its questionnaire,
// "GET /<secret>/code?c=<code>" whether the code has answered there. Anything else is 404 with
// the same short page, so that a wrong secret says nothing about a right one, nor one group's
// link about another's.
namespace web {

class SurveyServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit SurveyServer(QObject *parent = nullptr);

    // A group served now: its page and where its questionnaires are written; `surveyId` names the
    // survey in the page's browser storage.
    void addLink(const QString &group, const QByteArray &secret, const QString &folder,
                 const QByteArray &key16, const QString &surveyId);
    // A group of the survey not served now: every route of its link says that the group's
    // collection is stopped, so that a page keeps its answers for later; nothing is written.
    void addStoppedLink(const QString &group, const QByteArray &secret);
    // "/<secret>/"
    static QByteArray linkPath(const QByteArray &secret);

signals:
    void written(const QString &group, const QString &fileName);
    void writeFailed(const QString &group, const QString &message);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    struct Link {
        QString group;
        QByteArray secret;
        QByteArray page;                            // empty for a stopped group
        std::unique_ptr<SubmissionHandler> handler; // none for a stopped group
    };
    // What a link answers below its secret; a route serves only a link whose group is served.
    struct Route {
        QHttpServerRequest::Method method;
        const char *name; // the path's part after the secret: "" is the link itself
        bool page;        // answers a browser's page (HTML) rather than the page's script (JSON)
        void (SurveyServer::*answer)(Link &, const QHttpServerRequest &, QTcpSocket *);
    };
    static const Route kRoutes[];

    Link *linkOf(const QByteArray &secret);
    void answerPage(Link &link, const QHttpServerRequest &request, QTcpSocket *socket);
    void answerSubmit(Link &link, const QHttpServerRequest &request, QTcpSocket *socket);
    void answerCode(Link &link, const QHttpServerRequest &request, QTcpSocket *socket);

    std::vector<Link> m_links;
};

} // namespace web
