#include "web/survey_server.h"

#include "web/http_replies.h"
#include "web/page.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace web {
namespace {

using Status = QHttpServerResponder::StatusCode;

// The same time for every wrong secret, however much of it is right.
bool sameSecret(const QByteArray &given, const QByteArray &secret)
{
    if (given.size() != secret.size())
        return false;
    char difference = 0;
    for (qsizetype i = 0; i < secret.size(); ++i)
        difference |= char(given[i] ^ secret[i]);
    return difference == 0;
}

// The same short page for every wrong link, whatever part of it is wrong.
void writeNotFound(QHttpServerResponder &responder)
{
    responder.write(refusalPage(404),
                    {{"Content-Type", "text/html; charset=utf-8"}, {"Cache-Control", "no-store"}},
                    Status::NotFound);
}

} // namespace

const SurveyServer::Route SurveyServer::kRoutes[] = {
    {QHttpServerRequest::Method::Get, "", true, &SurveyServer::answerPage},
    {QHttpServerRequest::Method::Post, "submit", false, &SurveyServer::answerSubmit},
    {QHttpServerRequest::Method::Get, "code", false, &SurveyServer::answerCode},
};

SurveyServer::SurveyServer(QObject *parent) : QAbstractHttpServer(parent) {}

void SurveyServer::addLink(const QString &group, const QByteArray &secret, const QString &folder,
                           const QByteArray &key16, const QString &surveyId)
{
    m_links.push_back({group, secret, surveyPage(group, surveyId),
                       std::make_unique<SubmissionHandler>(folder, key16)});
}

void SurveyServer::addStoppedLink(const QString &group, const QByteArray &secret)
{
    m_links.push_back({group, secret, {}, nullptr});
}

QByteArray SurveyServer::linkPath(const QByteArray &secret)
{
    return '/' + secret + '/';
}

// Every link's secret is compared, whichever matches: the time says nothing of which did.
SurveyServer::Link *SurveyServer::linkOf(const QByteArray &secret)
{
    Link *found = nullptr;
    for (Link &link : m_links)
        if (sameSecret(secret, link.secret))
            found = &link;
    return found;
}

bool SurveyServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // "", the secret, the route
    const QList<QByteArray> parts = request.url().path(QUrl::FullyEncoded).toLatin1().split('/');
    Link *link = parts.size() == 3 && parts[0].isEmpty() ? linkOf(parts[1]) : nullptr;
    const Route *route = nullptr;
    for (const Route &each : kRoutes)
        if (link && request.method() == each.method && parts[2] == each.name)
            route = &each;
    if (!route) {
        QHttpServerResponder responder = makeResponder(request, socket);
        writeNotFound(responder);
        return true;
    }
    if (!link->handler) {
        // The group's own link, known to its respondents: saying its group is stopped tells
        // them nothing new, and their pages keep the answers until it is served again.
        QHttpServerResponder responder = makeResponder(request, socket);
        if (route->page)
            responder.write(stoppedGroupPage(link->group),
                            {{"Content-Type", "text/html; charset=utf-8"},
                             {"Cache-Control", "no-store"},
                             {"Referrer-Policy", "no-referrer"}},
                            Status::ServiceUnavailable);
        else
            responder.write(stoppedGroupJson(),
                            {{"Content-Type", "application/json"},
                             {"Cache-Control", "no-store"},
                             {"Connection", "close"}},
                            Status::ServiceUnavailable);
        if (!route->page)
            socket->disconnectFromHost();
        return true;
    }
    (this->*route->answer)(*link, request, socket);
    return true;
}

void SurveyServer::answerPage(Link &link, const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    // The secret must not leave the page through a referrer, nor the page load anything from
    // elsewhere.
    responder.write(link.page, {{"Content-Type", "text/html; charset=utf-8"},
                                {"Cache-Control", "no-store"},
                                {"Referrer-Policy", "no-referrer"},
                                {"X-Content-Type-Options", "nosniff"},
                                {"Content-Security-Policy",
                                 "default-src 'none'; style-src 'unsafe-inline'; script-src "
                                 "'unsafe-inline'; connect-src 'self'; img-src data:; "
                                 "form-action 'none'; base-uri 'none'"}});
}

// Whether a code has answered here, asked by the page before the questions.
void SurveyServer::answerCode(Link &link, const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const SubmissionReply reply =
        link.handler->codeQuery(request.url().query(QUrl::FullyEncoded).toLatin1());
    responder.write(reply.json,
                    {{"Content-Type", "application/json"}, {"Cache-Control", "no-store"}},
                    Status(reply.status));
}

void SurveyServer::answerSubmit(Link &link, const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const SubmissionReply reply = link.handler->handle(request.body());
    // A page sends once: its connection is closed at once, not held until the idle time, so that
    // a crowd of respondents finishing together does not fill the connection limit.
    responder.write(reply.json,
                    {{"Content-Type", "application/json"},
                     {"Cache-Control", "no-store"},
                     {"Connection", "close"}},
                    Status(reply.status));
    socket->disconnectFromHost();
    if (!reply.written.isEmpty())
        emit written(link.group, reply.written);
    if (!reply.failure.isEmpty())
        emit writeFailed(link.group, reply.failure);
}

} // namespace web
