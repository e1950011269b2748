#pragma once

#include "zip_members.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>
#include <vector>

// A workbook read back as a spreadsheet program reads it: the parts' XML out of the zip.
namespace testxlsx {

using testzip::member;

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
};

// Every element of a part in document order; a part that is not well-formed fails the test.
inline std::vector<Element> elements(const QByteArray &xml)
{
    std::vector<Element> found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            found.push_back({reader.name().toString(), reader.attributes(), {}});
        else if (reader.isCharacters() && !found.empty())
            found.back().text += reader.text();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return found;
}

struct Cell {
    bool text = false; // a string cell; otherwise a number
    QString value;
    QString format; // the number format's code, empty for none
};

// A worksheet's cells by reference ("C2"), each with its number format from xl/styles.xml.
inline std::map<QString, Cell> cells(const QString &workbook, int sheet)
{
    std::map<QString, QString> codes;
    QStringList formats; // by style index
    bool cellStyles = false;
    for (const Element &e : elements(member(workbook, QStringLiteral("xl/styles.xml")))) {
        if (e.name == QLatin1String("cellXfs") || e.name == QLatin1String("cellStyles"))
            cellStyles = e.name == QLatin1String("cellXfs");
        if (e.name == QLatin1String("numFmt"))
            codes[e.attributes.value("numFmtId").toString()] =
                e.attributes.value("formatCode").toString();
        else if (cellStyles && e.name == QLatin1String("xf"))
            formats << codes[e.attributes.value("numFmtId").toString()];
    }
    std::map<QString, Cell> found;
    QString ref;
    for (const Element &e :
         elements(member(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet)))) {
        if (e.name == QLatin1String("c")) {
            ref = e.attributes.value("r").toString();
            found[ref] = {
                e.attributes.hasAttribute("t"), {}, formats.value(e.attributes.value("s").toInt())};
        } else if (e.name == QLatin1String("v") || e.name == QLatin1String("t")) {
            found[ref].value = e.text;
        }
    }
    return found;
}

// The workbook's sheet names in order.
inline QStringList sheetNames(const QString &workbook)
{
    QStringList names;
    for (const Element &e : elements(member(workbook, QStringLiteral("xl/workbook.xml"))))
        if (e.name == QLatin1String("sheet"))
            names << e.attributes.value("name").toString();
    return names;
}

// Every text of the workbook's parts, for what must not appear anywhere.
inline QString allText(const QString &workbook)
{
    QString text;
    for (const auto &[part, content] : testzip::members(workbook))
        text += QString::fromUtf8(content);
    return text;
}

} // namespace testxlsx
