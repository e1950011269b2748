#include "web/survey_server.h"

#include "web/http_replies.h"
#include "web/page.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace web {
namespace {

using Status = QHttpServerResponder::StatusCode;

// The same time for every wrong token, however much of it is right.
bool sameToken(const QByteArray &given, const QByteArray &token)
{
    if (given.size() != token.size())
        return false;
    char difference = 0;
    for (qsizetype i = 0; i < token.size(); ++i)
        difference |= char(given[i] ^ token[i]);
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

SurveyServer::SurveyServer(const QByteArray &token, QObject *parent)
    : QAbstractHttpServer(parent), m_token(token)
{
}

void SurveyServer::addLink(const QString &group, const QString &folder, const QByteArray &key16,
                           const QString &surveyId)
{
    m_links.push_back(
        {surveyPage(group, surveyId), std::make_unique<SubmissionHandler>(folder, key16)});
}

QByteArray SurveyServer::linkPath(int link) const
{
    return '/' + m_token + '/' + QByteArray::number(link) + '/';
}

bool SurveyServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    // "", token, link number, "" for the page or "submit"
    const QList<QByteArray> parts = request.url().path(QUrl::FullyEncoded).toLatin1().split('/');
    bool numbered = false;
    const int link = parts.size() == 4 ? parts[2].toInt(&numbered) : 0;
    if (!numbered || link < 1 || link > int(m_links.size()) ||
        parts[2] != QByteArray::number(link) || !parts[0].isEmpty() ||
        !sameToken(parts[1], m_token)) {
        writeNotFound(responder);
        return true;
    }
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    Link &target = m_links[std::size_t(link - 1)];
    if (parts[3].isEmpty() && get) {
        // The token must not leave the page through a referrer, nor the page load anything
        // from elsewhere.
        responder.write(target.page, {{"Content-Type", "text/html; charset=utf-8"},
                                      {"Cache-Control", "no-store"},
                                      {"Referrer-Policy", "no-referrer"},
                                      {"X-Content-Type-Options", "nosniff"},
                                      {"Content-Security-Policy",
                                       "default-src 'none'; style-src 'unsafe-inline'; script-src "
                                       "'unsafe-inline'; connect-src 'self'; img-src data:; "
                                       "form-action 'none'; base-uri 'none'"}});
        return true;
    }
    if (parts[3] == "code" && get) {
        // Whether a code has answered here, asked by the page before the questions.
        const SubmissionReply reply =
            target.handler->codeQuery(request.url().query(QUrl::FullyEncoded).toLatin1());
        responder.write(reply.json,
                        {{"Content-Type", "application/json"}, {"Cache-Control", "no-store"}},
                        Status(reply.status));
        return true;
    }
    if (parts[3] != "submit" || !post) {
        writeNotFound(responder);
        return true;
    }
    const SubmissionReply reply = target.handler->handle(request.body());
    // A page sends once: its connection is closed at once, not held until the idle time, so that
    // a crowd of respondents finishing together does not fill the connection limit.
    responder.write(reply.json,
                    {{"Content-Type", "application/json"},
                     {"Cache-Control", "no-store"},
                     {"Connection", "close"}},
                    Status(reply.status));
    socket->disconnectFromHost();
    if (!reply.written.isEmpty())
        emit written(link, reply.written);
    if (!reply.failure.isEmpty())
        emit writeFailed(link, reply.failure);
    return true;
}

} // namespace web
