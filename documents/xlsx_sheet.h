#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>
#include <xlsxwriter.h>

// Writing worksheets with libxlsxwriter in Qt's terms, every failure kept: a workbook with a
// cell missing must never be taken for a finished one.
namespace documents {

struct Formats {
    lxw_format *header; // bold, wrapped within its column
    lxw_format *title;
    lxw_format *indented; // a text set off from the number before it
    lxw_format *wrapped;  // a long text wrapped within its column, never cut
    lxw_format *score;    // two decimals shown, the full value kept
    lxw_format *date;     // "ДД.ММ.ГГГГ"
    lxw_format *clock;    // "ЧЧ:ММ:СС", a time of day
    lxw_format *duration; // "[ч]:мм:сс", hours past 24 counted on
};

// What heads every sheet of a workbook: the client it is for and the survey's caption.
struct SheetHead {
    QString client; // empty: none named
    QString caption;
};

// The workbook's formats, made once.
Formats addFormats(lxw_workbook *workbook);

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

    // Always a text cell, whatever the text begins with: never a formula. Characters XML
    // refuses are stored as the library stores control characters, "_xHHHH_".
    void text(int row, int column, const QString &text, lxw_format *format = nullptr);
    // A numeric cell; an undefined or infinite value leaves the cell empty.
    void number(int row, int column, double value, lxw_format *format = nullptr);
    void number(int row, int column, const std::optional<double> &value,
                lxw_format *format = nullptr);
    void setWidth(int firstColumn, int lastColumn, double width);
    // A row of captions in `format`, as tall as the longest wraps within its column's width.
    void header(int row, const QStringList &captions, lxw_format *format);
    // The row made as tall as the longest of `texts` (from column 0) wraps within its column.
    void fitRow(int row, const QStringList &texts);
    void insertChart(int row, int column, lxw_chart *chart, lxw_chart_options *options);
    // The client and the caption from row 0, the client in the title's format; the next row.
    int head(const SheetHead &head, const Formats &formats);
    // The rows down to `row`, a table's header, stay in view and head every printed page.
    void freezeHeader(int row);
    // Printed on A4 with all columns shrunk onto one page's width, the pages numbered.
    void printOneWide(bool landscape);
    void autofilter(int firstRow, int lastRow, int lastColumn);

    // Chart ranges with the name quoted: the library leaves a name of letters and digits bare,
    // and "2024", "A1" or "R1C1" would read as a number or a cell.
    void setCategories(lxw_chart_series *series, int firstRow, int lastRow, int column);
    void setValues(lxw_chart_series *series, int firstRow, int lastRow, int column);
    void setSeriesName(lxw_chart_series *series, int row, int column);

private:
    void note(lxw_error error, int row, int column);

    lxw_worksheet *m_sheet = nullptr;
    QByteArray m_name;
    std::vector<double> m_widths; // as set, by column
    SheetStatus &m_status;
};

} // namespace documents
