#pragma once

#include "documents/report_document.h"

#include <QDate>
#include <QString>

// What a report says before its content: for whom it was made, its title and its date, on
// page 1, in every page's footer and in the file's properties.
namespace report {

struct Cover {
    QString client; // the organisation the report is for; empty: none named
    QString title;  // empty: the report's standard title
    QDate date;
};

// The client's name and the title at the top of page 1, and the file's title: the title,
// `about` (whom the figures describe) and the client.
void addCover(Document &document, const Cover &cover, const QString &standardTitle,
              const QString &about);

// The footer before the page number: the client, `about` and the date.
QString footerLine(const Cover &cover, const QString &about);

} // namespace report
