#include "web/page.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// Group names that end or bend an inline script or its HTML when put in as they are.
const char *const kHostileNames[] = {
    "<!--",
    "<script>",
    "</script>",
    "</SCRIPT >",
    "<!--<script>",
    "\"quoted\" 'single'",
    "]]>",
    "a & b &amp;",
    "<\\/script>",
    "/*DATA*/ /*SCRIPT*/",
    "\xe2\x80\xa8 line separator",
};

// The page's data element, whole: from its opening tag to the first "</script" after it.
QByteArray dataText(const QByteArray &page)
{
    const QByteArray open = R"(<script type="application/json" id="page-data">)";
    const qsizetype start = page.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype end = page.indexOf("</script", start);
    return page.mid(start + open.size(), end - start - open.size());
}

TEST(WebPage, GroupNameStaysTextInTheData)
{
    for (const char *name : kHostileNames) {
        const QString group = QString::fromUtf8(name);
        const QByteArray page = web::surveyPage(group, QStringLiteral("0123abcd"));
        const QByteArray data = dataText(page);
        EXPECT_FALSE(data.contains('<') || data.contains('>') || data.contains('&')) << name;
        const QJsonObject parsed = QJsonDocument::fromJson(data).object();
        EXPECT_EQ(parsed.value(QStringLiteral("group")).toString(), group) << name;
        EXPECT_EQ(parsed.value(QStringLiteral("survey")).toString(), QStringLiteral("0123abcd"));
        // The data and the code: two scripts, each closed once, and no comment opened.
        EXPECT_EQ(page.count("<script"), 2) << name;
        EXPECT_EQ(page.count("</script>"), 2) << name;
        EXPECT_FALSE(page.contains("<!--")) << name;
        EXPECT_TRUE(page.contains("<style>") && page.contains("\"use strict\"")) << name;
    }
}

} // namespace
