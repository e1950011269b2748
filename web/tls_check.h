#pragma once

#include <QSslConfiguration>
#include <QString>
#include <optional>

// What would make every browser refuse the server's certificate, found before the server
// starts: a certificate out of its dates, a key that is not the certificate's.
namespace web {

// The problem in Russian, naming the file, or nothing. `configuration` holds the certificate
// read from `certificateFile` and the key read from `keyFile`.
std::optional<QString> certificateProblem(const QSslConfiguration &configuration,
                                          const QString &certificateFile, const QString &keyFile);

} // namespace web
