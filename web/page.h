#pragma once

#include <QByteArray>
#include <QString>

// The survey page: one HTML document with its style and script inside, in Russian, showing
// the questionnaire program's own texts.
namespace web {

// The page for one link; `group` is named in its title when not empty. The page keeps its
// unsent answers in the browser under `surveyId` and `group`, never under the link's address,
// which holds the secret token and changes when a new link is made.
QByteArray surveyPage(const QString &group, const QString &surveyId);

} // namespace web
