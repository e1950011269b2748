#include "documents/report_cover.h"

#include "documents/report_texts.h"

#include <QStringList>

namespace report {

namespace {

const QString kSeparator = QStringLiteral(" · ");

} // namespace

void addCover(Document &document, const Cover &cover, const QString &standardTitle,
              const QString &about)
{
    const QString title = cover.title.isEmpty() ? standardTitle : cover.title;
    QStringList properties{title, about};
    if (!cover.client.isEmpty()) {
        properties << cover.client;
        document.heading(cover.client);
    }
    document.pdfTitle = properties.join(QStringLiteral(" — "));
    document.title(title);
}

QString footerLine(const Cover &cover, const QString &about)
{
    QStringList parts;
    // Whole: the footer wraps a long name.
    if (!cover.client.isEmpty())
        parts << cover.client;
    parts << about << QStringLiteral("составлен ") + russianDate(cover.date);
    return parts.join(kSeparator);
}

} // namespace report
