#include "pdf_report.h"

#include "group_statistics.h"
#include "resource.h"
#include "statistics_report.h"
#include "unit_pc1.h"
#include "window_pictures.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

namespace cli {
namespace {

constexpr int kDotsPerInch = 300;
constexpr double kMarginMm = 15;
// Information lines come from the files: a hostile one must not push Plot A off its page.
constexpr int kMaxInfoLines = 3;

int mm(double millimetres)
{
    return qRound(millimetres * kDotsPerInch / 25.4);
}

QFont pdfFont(const QString &family, double points, bool bold = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont sans(double points, bool bold = false)
{
    return pdfFont(QStringLiteral("Liberation Sans"), points, bold);
}

// `text` broken into lines at most `width` wide; past `maxLines` the last one is cut short
// with an ellipsis.
QStringList wrappedLines(const QString &text, const QFont &font, int width, int maxLines,
                         QPaintDevice *device)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines) {
            const QFontMetrics metrics(font, device);
            lines.last() = metrics.elidedText(lines.last() + text.mid(line.textStart()),
                                              Qt::ElideRight, width);
            break;
        }
        // The blank a line breaks at goes; leading blanks align columns and stay.
        QString piece = text.mid(line.textStart(), line.textLength());
        while (!piece.isEmpty() && piece.back().isSpace())
            piece.chop(1);
        lines << piece;
    }
    layout.endLayout();
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

// Places text and pictures down the page, starting a new page when one does not fit.
class PageFlow {
public:
    PageFlow(QPdfWriter &writer, QPainter &painter)
        : m_writer(writer), m_painter(painter), m_width(writer.width()), m_height(writer.height())
    {
    }

    int width() const { return m_width; }

    void newPage()
    {
        m_writer.newPage();
        m_y = 0;
    }

    void skip(double millimetres) { m_y += mm(millimetres); }

    void text(const QString &text, const QFont &font, int maxLines = 1 << 20)
    {
        m_painter.setFont(font);
        const QFontMetrics metrics(font, &m_writer);
        for (const QString &line : wrappedLines(text, font, m_width, maxLines, &m_writer)) {
            if (m_y + metrics.height() > m_height)
                newPage();
            m_painter.drawText(QRect(0, m_y, m_width, metrics.height()),
                               Qt::AlignLeft | Qt::AlignVCenter, line);
            m_y += metrics.lineSpacing();
        }
    }

    // The picture centred, `widthMm` wide.
    void picture(const QImage &image, double widthMm)
    {
        const int width = qMin(mm(widthMm), m_width);
        const int height = qRound(double(width) * image.height() / qMax(1, image.width()));
        if (m_y + height > m_height)
            newPage();
        m_painter.drawImage(QRect((m_width - width) / 2, m_y, width, height), image);
        m_y += height;
    }

    // Rows of cells, centred, the first row bold; each column as wide as `columnsMm` says.
    void table(const QList<QStringList> &rows, const QList<double> &columnsMm, const QFont &font)
    {
        int tableWidth = 0;
        for (const double column : columnsMm)
            tableWidth += mm(column);
        const QFontMetrics metrics(font, &m_writer);
        const int rowHeight = metrics.height() + mm(2);
        if (m_y + rowHeight * int(rows.size()) > m_height)
            newPage();
        QFont header = font;
        header.setBold(true);
        m_painter.setPen(QPen(Qt::black, mm(0.2)));
        for (int r = 0; r < rows.size(); ++r) {
            m_painter.setFont(r == 0 ? header : font);
            int x = qMax(0, (m_width - tableWidth) / 2);
            for (int c = 0; c < rows[r].size() && c < columnsMm.size(); ++c) {
                const QRect cell(x, m_y, mm(columnsMm[c]), rowHeight);
                m_painter.drawRect(cell);
                const int align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
                m_painter.drawText(cell.adjusted(mm(1.5), 0, -mm(1.5), 0), align | Qt::AlignVCenter,
                                   rows[r][c]);
                x += cell.width();
            }
            m_y += rowHeight;
        }
    }

private:
    QPdfWriter &m_writer;
    QPainter &m_painter;
    int m_width, m_height;
    int m_y = 0;
};

// Type, current, preferred and their difference, as the score fields show them.
QList<QStringList> scoreRows(const WindowProfile &profile)
{
    QList<QStringList> rows = {{QStringLiteral("Тип культуры"), QStringLiteral("Текущее"),
                                QStringLiteral("Желаемое"), QStringLiteral("Разница")}};
    for (int k = 0; k < survey::kTypeCount; ++k) {
        const auto i = std::size_t(k);
        QString difference =
            survey::fixed(profile.scores[i] - profile.scores[i + survey::kTypeCount], 2, true);
        difference.replace(QLatin1Char('.'), profile.separator);
        rows << QStringList{survey::typeLetter(k) + QStringLiteral("  ") + survey::TypeNames[i],
                            profile.fields.current[i].trimmed(),
                            profile.fields.preferred[i].trimmed(), difference};
    }
    return rows;
}

void writeProfilePage(PageFlow &flow, const WindowProfile &profile, const PlotColours &colours)
{
    flow.text(QStringLiteral("Профиль организационной культуры (OCAI)"), sans(16, true));
    flow.skip(2);
    flow.text(QStringLiteral("Код: ") + profile.code, sans(10, true), 1); // a code from a file
    flow.text(profile.info, sans(10), kMaxInfoLines);
    flow.text(QStringLiteral("Респондентов: %1; среднее: %2; отчёт от %3")
                  .arg(profile.group.n)
                  .arg(survey::meanKindCaption(profile.mean),
                       QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)),
              sans(9));
    flow.skip(3);
    flow.picture(savedPlotA(profile, colours), 150);
    flow.skip(4);
    flow.table(scoreRows(profile), {80, 30, 30, 30}, sans(10));
    flow.skip(2);
    flow.text(QStringLiteral("Разница: текущее минус желаемое, как на графике C."), sans(8));
}

void writeChartsPage(PageFlow &flow, const WindowProfile &profile, const PlotColours &colours)
{
    flow.newPage();
    flow.text(QStringLiteral("Оценки по вопросам (график B)"), sans(13, true));
    flow.skip(2);
    flow.picture(savedPlotB(profile, colours), 170);
    flow.skip(5);
    flow.text(QStringLiteral("Разница текущих и предполагаемых оценок (график C)"), sans(13, true));
    flow.skip(2);
    flow.picture(plotCChart(profile, colours.current, false), 90);
}

void writeStatistics(PageFlow &flow, const QString &statisticsText)
{
    flow.newPage();
    const QFont mono = pdfFont(QStringLiteral("Liberation Mono"), 8);
    QStringList lines = statisticsText.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString &line : lines)
        flow.text(line, mono);
}

} // namespace

QByteArray profilePdf(const WindowProfile &profile, const QString &statisticsText)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                              QPageLayout::Millimeter);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(QStringLiteral("OCAI: ") + profile.code);
        writer.setCreator(QStringLiteral("ocai-cli"));
        QPainter painter;
        if (!painter.begin(&writer))
            return QByteArray();
        // Line drawings and text in the pictures: no lossy compression.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        PageFlow flow(writer, painter);
        const PlotColours colours;
        writeProfilePage(flow, profile, colours);
        writeChartsPage(flow, profile, colours);
        writeStatistics(flow, statisticsText);
        if (!painter.end())
            return QByteArray();
    }
    return bytes;
}

std::variant<QByteArray, survey::GroupError> pdfReport(const QString &path, survey::MeanKind mean,
                                                       std::uint64_t seed)
{
    auto loaded =
        windowProfile(survey::loadProfile(path, survey::pc1KeyBytes(survey::Pc1KeyText)), mean);
    if (auto *error = std::get_if<survey::GroupError>(&loaded))
        return std::move(*error);
    const WindowProfile &profile = std::get<WindowProfile>(loaded);
    const survey::GroupStatistics statistics = survey::groupStatistics(profile.group, mean, seed);
    QByteArray pdf =
        profilePdf(profile, survey::statisticsText(statistics, QDir::toNativeSeparators(path)));
    if (pdf.isEmpty())
        return survey::GroupError{path, QStringLiteral("the PDF document cannot be made")};
    return pdf;
}

} // namespace cli
