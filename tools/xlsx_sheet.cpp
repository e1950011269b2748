#include "xlsx_sheet.h"

#include <QRegularExpression>
#include <cmath>

namespace cli {

void SheetStatus::note(lxw_error error, const QString &what)
{
    if (error != LXW_NO_ERROR && ok())
        m_message =
            QStringLiteral("cannot write %1: %2").arg(what, QString::fromUtf8(lxw_strerror(error)));
}

SheetWriter::SheetWriter(lxw_workbook *workbook, const QString &name, SheetStatus &status)
    : m_name(name.toUtf8()), m_status(status)
{
    m_sheet = workbook_add_worksheet(workbook, m_name.constData());
    if (!m_sheet)
        m_status.note(LXW_ERROR_SHEETNAME_ALREADY_USED,
                      QStringLiteral("the sheet \"%1\"").arg(name));
}

void SheetWriter::note(lxw_error error, int row, int column)
{
    if (error != LXW_NO_ERROR)
        m_status.note(error, QStringLiteral("row %1, column %2 of the sheet \"%3\"")
                                 .arg(row + 1)
                                 .arg(column + 1)
                                 .arg(QString::fromUtf8(m_name)));
}

namespace {

// A spreadsheet reads "_xHHHH_" in a text as the character HHHH (that is how control
// characters are stored); a text that holds such a sequence itself gets its underscore
// escaped so that it reads back as it stands.
QString storedText(const QString &text)
{
    if (!text.contains(QLatin1String("_x"), Qt::CaseInsensitive))
        return text;
    static const QRegularExpression escape(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString stored = text;
    return stored.replace(escape, QStringLiteral("_x005F_\\1"));
}

} // namespace

void SheetWriter::text(int row, int column, const QString &text, lxw_format *format)
{
    if (m_sheet)
        note(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column),
                                    storedText(text).toUtf8().constData(), format),
             row, column);
}

void SheetWriter::number(int row, int column, double value, lxw_format *format)
{
    if (m_sheet && std::isfinite(value))
        note(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, format), row,
             column);
}

void SheetWriter::number(int row, int column, const std::optional<double> &value,
                         lxw_format *format)
{
    if (value)
        number(row, column, *value, format);
}

void SheetWriter::setWidth(int firstColumn, int lastColumn, double width)
{
    if (m_sheet)
        note(worksheet_set_column(m_sheet, lxw_col_t(firstColumn), lxw_col_t(lastColumn), width,
                                  nullptr),
             0, firstColumn);
}

void SheetWriter::insertChart(int row, int column, lxw_chart *chart, lxw_chart_options *options)
{
    if (m_sheet)
        note(worksheet_insert_chart_opt(m_sheet, lxw_row_t(row), lxw_col_t(column), chart, options),
             row, column);
}

void SheetWriter::freezeHeader()
{
    if (!m_sheet)
        return;
    worksheet_freeze_panes(m_sheet, 1, 0);
    note(worksheet_repeat_rows(m_sheet, 0, 0), 0, 0);
}

void SheetWriter::landscape(bool oneWide)
{
    if (!m_sheet)
        return;
    worksheet_set_landscape(m_sheet);
    if (oneWide)
        worksheet_fit_to_pages(m_sheet, 1, 0);
}

void SheetWriter::autofilter(int lastRow, int lastColumn)
{
    if (m_sheet)
        note(worksheet_autofilter(m_sheet, 0, 0, lxw_row_t(lastRow), lxw_col_t(lastColumn)),
             lastRow, lastColumn);
}

} // namespace cli
