#pragma once

#include <QByteArray>
#include <QString>

// The survey page: one HTML document with its style and script inside, in Russian, showing
// the questionnaire program's own texts.
namespace web {

// The page for one link; `group` is named in its title when not empty. `surveyId` is the
// folder's lasting id, which the page's storage will be keyed by.
QByteArray surveyPage(const QString &group, const QString &surveyId);

} // namespace web
