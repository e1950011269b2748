#pragma once

#include <QByteArray>
#include <QString>

// The survey server's refusals as a respondent's browser shows them: a short page in Russian
// that says what happened and what to do, and nothing about the server or the link.
namespace web {

// The page for the status: 400, 404, 408, 411, 413, 431 or 503.
QByteArray refusalPage(int status);

// A whole response with that page that closes the connection.
QByteArray refusalResponse(int status);

// What the link of a group not served now answers: the page a browser opening it shows (`group`
// empty for the link into the survey folder itself), and the survey page's sending
// {"error": why}, which the page shows, keeping the answers and sending them again later.
QByteArray stoppedGroupPage(const QString &group);
QByteArray stoppedGroupJson();

} // namespace web
