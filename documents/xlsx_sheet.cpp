#include "documents/xlsx_sheet.h"

#include "documents/xlsx_text.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace documents {

Formats addFormats(lxw_workbook *workbook)
{
    Formats formats{};
    for (lxw_format **format :
         {&formats.header, &formats.title, &formats.indented, &formats.wrapped, &formats.score,
          &formats.date, &formats.clock, &formats.duration})
        *format = workbook_add_format(workbook);
    format_set_bold(formats.header);
    format_set_text_wrap(formats.header);
    format_set_align(formats.header, LXW_ALIGN_VERTICAL_TOP);
    format_set_bold(formats.title);
    format_set_font_size(formats.title, 14);
    format_set_indent(formats.indented, 1);
    format_set_text_wrap(formats.wrapped);
    format_set_align(formats.wrapped, LXW_ALIGN_VERTICAL_TOP);
    format_set_num_format(formats.score, "0.00");
    // Stored in the file's own codes; a Russian spreadsheet shows them as ДД.ММ.ГГГГ and so on.
    format_set_num_format(formats.date, "dd.mm.yyyy");
    format_set_num_format(formats.clock, "hh:mm:ss");
    format_set_num_format(formats.duration, "[h]:mm:ss");
    return formats;
}

void SheetStatus::note(lxw_error error, const QString &what)
{
    if (error != LXW_NO_ERROR && ok())
        m_message = QStringLiteral("не удаётся записать %1 (%2)")
                        .arg(what, QString::fromUtf8(lxw_strerror(error)));
}

SheetWriter::SheetWriter(lxw_workbook *workbook, const QString &name, SheetStatus &status)
    : m_name(name.toUtf8()), m_status(status)
{
    m_sheet = workbook_add_worksheet(workbook, m_name.constData());
    if (!m_sheet)
        m_status.note(LXW_ERROR_SHEETNAME_ALREADY_USED, QStringLiteral("лист «%1»").arg(name));
}

void SheetWriter::note(lxw_error error, int row, int column)
{
    if (error != LXW_NO_ERROR)
        m_status.note(error, QStringLiteral("строку %1, столбец %2 листа «%3»")
                                 .arg(row + 1)
                                 .arg(column + 1)
                                 .arg(QString::fromUtf8(m_name)));
}

namespace {

// A spreadsheet reads "_xHHHH_" in a text as the UTF-16 unit HHHH (that is how control
// characters are stored); a text that holds such a sequence itself gets its underscore
// escaped so that it reads back as it stands. Characters XML refuses are stored so too.
QString storedText(const QString &text)
{
    static const QRegularExpression escape(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString stored = text;
    if (stored.contains(QLatin1String("_x"), Qt::CaseInsensitive))
        stored.replace(escape, QStringLiteral("_x005F_\\1"));
    if (std::none_of(stored.cbegin(), stored.cend(),
                     [](QChar c) { return c.isSurrogate() || c.isNonCharacter(); }))
        return stored;
    return mapCodePoints(stored, [](char32_t code, QStringView units) {
        if (!isUnfitForXml(code))
            return units.toString();
        QString escaped;
        for (const QChar unit : units)
            escaped +=
                QStringLiteral("_x%1_").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        return escaped;
    });
}

// The range's formula ("name!$A$1:$A$4", the name quoted or not) with `sheet` quoted always.
void quoteSheet(lxw_series_range *range, const QString &sheet)
{
    if (!range->formula)
        return;
    const QByteArray cells = std::strrchr(range->formula, '!');
    const QString quoted = QLatin1Char('\'') +
                           QString(sheet).replace(QLatin1Char('\''), QStringLiteral("''")) +
                           QLatin1Char('\'');
    free(range->formula);
    range->formula = lxw_strdup((quoted.toUtf8() + cells).constData());
}

// The lines `caption` takes when wrapped between words within `width` characters.
int wrappedLines(const QString &caption, double width)
{
    int lines = 1;
    double used = 0;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (used > 0 && used + 1 + word.size() > width) {
            ++lines;
            used = word.size();
        } else {
            used += (used > 0 ? 1 : 0) + word.size();
        }
    }
    return lines;
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
    if (m_widths.size() <= std::size_t(lastColumn))
        m_widths.resize(std::size_t(lastColumn) + 1, LXW_DEF_COL_WIDTH);
    std::fill(m_widths.begin() + firstColumn, m_widths.begin() + lastColumn + 1, width);
    if (m_sheet)
        note(worksheet_set_column(m_sheet, lxw_col_t(firstColumn), lxw_col_t(lastColumn), width,
                                  nullptr),
             0, firstColumn);
}

void SheetWriter::fitRow(int row, const QStringList &texts)
{
    int lines = 1;
    for (int column = 0; column < texts.size(); ++column) {
        // Bold letters take a little more than the width's unit: a place is kept spare.
        const double width = std::size_t(column) < m_widths.size() ? m_widths[std::size_t(column)]
                                                                   : LXW_DEF_COL_WIDTH;
        lines = std::max(lines, wrappedLines(texts[column], width - 1));
    }
    if (m_sheet && lines > 1)
        note(worksheet_set_row(m_sheet, lxw_row_t(row), LXW_DEF_ROW_HEIGHT * lines, nullptr), row,
             0);
}

void SheetWriter::header(int row, const QStringList &captions, lxw_format *format)
{
    fitRow(row, captions);
    for (int column = 0; column < captions.size(); ++column)
        text(row, column, captions[column], format);
}

void SheetWriter::insertChart(int row, int column, lxw_chart *chart, lxw_chart_options *options)
{
    if (m_sheet)
        note(worksheet_insert_chart_opt(m_sheet, lxw_row_t(row), lxw_col_t(column), chart, options),
             row, column);
}

int SheetWriter::head(const SheetHead &head, const Formats &formats)
{
    int row = 0;
    if (!head.client.isEmpty())
        text(row++, 0, head.client, formats.title);
    text(row++, 0, head.caption, head.client.isEmpty() ? formats.title : nullptr);
    return row;
}

void SheetWriter::freezeHeader(int row)
{
    if (!m_sheet)
        return;
    worksheet_freeze_panes(m_sheet, lxw_row_t(row + 1), 0);
    note(worksheet_repeat_rows(m_sheet, 0, lxw_row_t(row)), row, 0);
}

void SheetWriter::printOneWide(bool landscape)
{
    if (!m_sheet)
        return;
    if (landscape)
        worksheet_set_landscape(m_sheet);
    worksheet_set_paper(m_sheet, 9); // A4
    worksheet_fit_to_pages(m_sheet, 1, 0);
    note(worksheet_set_footer(m_sheet, "&CСтраница &P из &N"), 0, 0);
}

void SheetWriter::autofilter(int firstRow, int lastRow, int lastColumn)
{
    if (m_sheet)
        note(worksheet_autofilter(m_sheet, lxw_row_t(firstRow), 0, lxw_row_t(lastRow),
                                  lxw_col_t(lastColumn)),
             lastRow, lastColumn);
}

void SheetWriter::setCategories(lxw_chart_series *series, int firstRow, int lastRow, int column)
{
    if (!series)
        return;
    chart_series_set_categories(series, m_name.constData(), lxw_row_t(firstRow), lxw_col_t(column),
                                lxw_row_t(lastRow), lxw_col_t(column));
    quoteSheet(series->categories, QString::fromUtf8(m_name));
}

void SheetWriter::setValues(lxw_chart_series *series, int firstRow, int lastRow, int column)
{
    if (!series)
        return;
    chart_series_set_values(series, m_name.constData(), lxw_row_t(firstRow), lxw_col_t(column),
                            lxw_row_t(lastRow), lxw_col_t(column));
    quoteSheet(series->values, QString::fromUtf8(m_name));
}

void SheetWriter::setSeriesName(lxw_chart_series *series, int row, int column)
{
    if (!series)
        return;
    chart_series_set_name_range(series, m_name.constData(), lxw_row_t(row), lxw_col_t(column));
    quoteSheet(series->title.range, QString::fromUtf8(m_name));
}

} // namespace documents
