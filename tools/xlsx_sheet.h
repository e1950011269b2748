#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <xlsxwriter.h>

// Writing worksheets with libxlsxwriter in Qt's terms, every failure kept: a workbook with a
// cell missing must never be taken for a finished one.
namespace cli {

struct Formats {
    lxw_format *header;
    lxw_format *title;
    lxw_format *score; // two decimals shown, the full value kept
};

// The first failure among a workbook's writes.
class SheetStatus {
public:
    void note(lxw_error error, const QString &what);
    bool ok() const { return m_message.isEmpty(); }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// One new worksheet. Rows must be written in order (the workbook streams them to disk).
class SheetWriter {
public:
    SheetWriter(lxw_workbook *workbook, const QString &name, SheetStatus &status);

    // The name as UTF-8, for chart ranges; it lives as long as the writer.
    const char *name() const { return m_name.constData(); }

    // Always a text cell, whatever the text begins with: never a formula.
    void text(int row, int column, const QString &text, lxw_format *format = nullptr);
    // A numeric cell; an undefined or infinite value leaves the cell empty.
    void number(int row, int column, double value, lxw_format *format = nullptr);
    void number(int row, int column, const std::optional<double> &value,
                lxw_format *format = nullptr);
    void setWidth(int firstColumn, int lastColumn, double width);
    void insertChart(int row, int column, lxw_chart *chart, lxw_chart_options *options);
    // The header row stays in view and heads every printed page.
    void freezeHeader();
    // Printed across the page; `oneWide` shrinks all columns onto one page's width.
    void landscape(bool oneWide);
    void autofilter(int lastRow, int lastColumn);

private:
    void note(lxw_error error, int row, int column);

    lxw_worksheet *m_sheet = nullptr;
    QByteArray m_name;
    SheetStatus &m_status;
};

} // namespace cli
