#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <variant>

// The one writer of result files: the questionnaire and every other program that records a
// respondent's result write through here.
namespace survey {

// "<code>OCAI.cry" for the first file of a code, "<code>-<copy>OCAI.cry" for the later ones.
QString resultFileName(const QString &code, int copy);

// The copy the next result of `code` would be written as in `folder` (1: the code's own name),
// or 0 when every name up to the limit is taken. Only a forecast: another writer may take it.
int freeResultCopy(const QString &folder, const QString &code);

struct ResultWriteError {
    QString message; // in Russian, naming the folder or file
};

// Writes `content` (the encrypted result) into `folder` (made when missing) under the first
// free name of `code`. An existing file is never replaced; the file appears whole or not at
// all, a crash included, and no temporary file is ever taken for a result by a load. The result
// is the written file's path. `beforeNaming` is for tests: it runs once the content is on the
// disk, before the file has its name.
std::variant<QString, ResultWriteError>
writeResultFile(const QString &folder, const QString &code, const QByteArray &content,
                const std::function<void()> &beforeNaming = {});

} // namespace survey
