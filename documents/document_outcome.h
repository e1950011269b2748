#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <variant>

// What making a document ends in, for every maker of documents alike.
namespace documents {

// Asked between pages and between sheets: true once the user has cancelled. Empty: never.
using CancelCheck = std::function<bool()>;

// The document cannot be made; why, in Russian.
struct Failure {
    QString reason;
};

// The user cancelled before the document was finished.
struct Cancelled {};

// The document's bytes, or why there are none.
using Made = std::variant<QByteArray, Failure, Cancelled>;

inline bool cancelled(const CancelCheck &check)
{
    return check && check();
}

} // namespace documents
