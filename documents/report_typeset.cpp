#include "documents/report_typeset.h"

#include "charts/fonts.h"
#include "documents/typography.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <QTextTable>
#include <algorithm>
#include <optional>

namespace report {

namespace {

constexpr int kDotsPerInch = 600;
const QMarginsF kPageMarginsMm(18, 14, 18, 12);
constexpr double kFooterMm = 9;
constexpr double kBodyPoints = 10;
constexpr double kAsideGapMm = 6;
const QColor kRuleColour(150, 150, 150);
const QColor kHeadColour(232, 232, 232);
const QColor kNoteColour(80, 80, 80);

const int kPictureObject = QTextFormat::UserObject + 1;
const int kPictureIndex = QTextFormat::UserProperty + 1;

double dots(double millimetres)
{
    return millimetres * kDotsPerInch / 25.4;
}

QString pageNumber(int page, int pages)
{
    return QStringLiteral("Страница %1 из %2").arg(page).arg(pages);
}

QFont footerFont()
{
    return reportFont(8);
}

// Margins, paddings and borders of text formats: the text layout scales them from 96 dpi to
// the device's resolution itself.
double formatLength(double millimetres)
{
    return millimetres * 96 / 25.4;
}

// The document's pictures as inline objects, drawn by their own code on the page's painter.
class PictureObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    int add(const Picture &picture)
    {
        m_pictures << picture;
        return int(m_pictures.size()) - 1;
    }

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &format) override
    {
        const Picture *picture = find(format);
        if (!picture)
            return QSizeF();
        const double width = dots(picture->widthMm);
        return QSizeF(width, width * picture->size.height() / picture->size.width());
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                    const QTextFormat &format) override
    {
        const Picture *picture = find(format);
        if (!picture || !picture->paint)
            return;
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / picture->size.width(),
                       rect.height() / picture->size.height());
        painter->setClipRect(QRectF(QPointF(), picture->size), Qt::IntersectClip);
        picture->paint(*painter);
        painter->restore();
    }

private:
    const Picture *find(const QTextFormat &format) const
    {
        const int index = format.intProperty(kPictureIndex);
        if (index < 0 || index >= m_pictures.size() || m_pictures[index].size.isEmpty())
            return nullptr;
        return &m_pictures[index];
    }

    QList<Picture> m_pictures;
};

// What must not be parted from what follows it: a heading from its content, or an aside's
// two columns from each other. Kept in document order.
struct Keep {
    QTextBlock heading;
    QTextTable *aside = nullptr;
};

// Fills the text document block by block; a page break waits for the next block.
class Filler {
public:
    Filler(QTextDocument &document, PictureObjects &pictures, double widthMm)
        : m_cursor(&document), m_pictures(pictures), m_widthMm(widthMm)
    {
    }

    void add(const Block &block)
    {
        switch (block.kind) {
        case Block::Kind::Title:
            text(block.text, reportFont(17, true), 0, 2);
            break;
        case Block::Kind::Heading:
            text(block.text, reportFont(12.5, true), m_inAside ? 0 : 5, 2);
            if (!m_inAside)
                m_keeps << Keep{m_cursor.block(), nullptr};
            break;
        case Block::Kind::Paragraph:
            text(block.text, reportFont(kBodyPoints), 1, 1, Qt::black, block.lead);
            break;
        case Block::Kind::Note:
            text(block.text, reportFont(8.5), 1, 1, kNoteColour);
            break;
        case Block::Kind::Table:
            table(block.table);
            break;
        case Block::Kind::Pictures:
            pictures(block.pictures);
            break;
        case Block::Kind::PageBreak:
            m_breakBefore = true;
            break;
        case Block::Kind::Aside:
            aside(block);
            break;
        }
    }

    // The headings and asides, for keepTogether.
    const QList<Keep> &keeps() const { return m_keeps; }

private:
    QTextBlockFormat blockFormat(double topMm, double bottomMm, Qt::Alignment alignment)
    {
        QTextBlockFormat format;
        format.setTopMargin(formatLength(topMm));
        format.setBottomMargin(formatLength(bottomMm));
        format.setAlignment(alignment);
        format.setLayoutDirection(Qt::LeftToRight); // a paragraph may begin with a name
        if (m_breakBefore)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_breakBefore = false;
        return format;
    }

    // The document's first block exists already; every later one is inserted.
    void startBlock(const QTextBlockFormat &format, const QTextCharFormat &chars)
    {
        if (m_started)
            m_cursor.insertBlock(format, chars);
        else {
            m_cursor.setBlockFormat(format);
            m_cursor.setBlockCharFormat(chars);
        }
        m_started = true;
    }

    void text(const QString &text, const QFont &font, double topMm, double bottomMm,
              const QColor &colour = Qt::black, const QString &lead = QString())
    {
        QTextCharFormat chars;
        chars.setFont(font);
        chars.setForeground(colour);
        startBlock(blockFormat(topMm, bottomMm, Qt::AlignLeft), chars);
        if (!lead.isEmpty()) {
            QTextCharFormat bold = chars;
            bold.setFontWeight(QFont::Bold);
            m_cursor.insertText(documents::printedText(lead) + QLatin1Char(' '), bold);
        }
        m_cursor.insertText(documents::printedText(text), chars);
    }

    void table(const Table &table)
    {
        const int columns = int(table.head.size());
        if (columns == 0)
            return;
        QTextCharFormat plain;
        plain.setFont(reportFont(9));
        startBlock(blockFormat(1, 0, Qt::AlignLeft), plain);

        QTextTableFormat format;
        format.setBorder(formatLength(0.2));
        format.setBorderBrush(kRuleColour);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(formatLength(1.1));
        format.setCellSpacing(0);
        format.setHeaderRowCount(1);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        double total = 0;
        for (int c = 0; c < columns; ++c)
            total += table.widths.value(c, 1);
        QList<QTextLength> widths;
        for (int c = 0; c < columns; ++c)
            widths << QTextLength(QTextLength::PercentageLength,
                                  100 * table.widths.value(c, 1) / total);
        format.setColumnWidthConstraints(widths);
        if (m_breakBefore)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_breakBefore = false;

        QTextTable *cells = m_cursor.insertTable(int(table.rows.size()) + 1, columns, format);
        QTextCharFormat head = plain;
        head.setFontWeight(QFont::Bold);
        for (int r = 0; r <= table.rows.size(); ++r) {
            const QStringList &row = r == 0 ? table.head : table.rows[r - 1];
            for (int c = 0; c < columns; ++c) {
                QTextTableCell cell = cells->cellAt(r, c);
                if (r == 0) {
                    QTextTableCellFormat shaded = cell.format().toTableCellFormat();
                    shaded.setBackground(kHeadColour);
                    cell.setFormat(shaded);
                }
                QTextCursor inside = cell.firstCursorPosition();
                QTextBlockFormat align;
                align.setAlignment(c < table.textColumns ? Qt::AlignLeft : Qt::AlignRight);
                inside.setBlockFormat(align);
                inside.insertText(documents::printedText(row.value(c)), r == 0 ? head : plain);
            }
        }
        m_cursor.movePosition(QTextCursor::End);
    }

    void pictures(const QList<Picture> &pictures)
    {
        QTextCharFormat plain;
        plain.setFont(reportFont(kBodyPoints));
        startBlock(blockFormat(2, 4, Qt::AlignHCenter), plain);
        for (int i = 0; i < pictures.size(); ++i) {
            if (i > 0)
                m_cursor.insertText(QStringLiteral("    "), plain);
            QTextCharFormat object;
            object.setObjectType(kPictureObject);
            object.setProperty(kPictureIndex, m_pictures.add(pictures[i]));
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        }
    }

    // A borderless table of one row: the text's cell takes what the picture's leaves.
    void aside(const Block &block)
    {
        if (m_inAside || block.pictures.isEmpty())
            return;
        const Picture &picture = block.pictures.first();
        QTextCharFormat plain;
        plain.setFont(reportFont(kBodyPoints));
        // The room above a heading: the column's own heading gets none.
        startBlock(blockFormat(5, 0, Qt::AlignLeft), plain);

        QTextTableFormat format;
        format.setBorder(0);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        format.setCellPadding(0);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        const double right =
            std::min(80.0, 100 * (picture.widthMm + kAsideGapMm) / std::max(1.0, m_widthMm));
        format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 100 - right),
                                          QTextLength(QTextLength::PercentageLength, right)});
        if (m_breakBefore)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_breakBefore = false;
        QTextTable *cells = m_cursor.insertTable(1, 2, format);
        for (int c = 0; c < 2; ++c) {
            QTextTableCell cell = cells->cellAt(0, c);
            QTextTableCellFormat top = cell.format().toTableCellFormat();
            top.setVerticalAlignment(QTextCharFormat::AlignTop);
            if (c == 1)
                top.setLeftPadding(formatLength(kAsideGapMm));
            cell.setFormat(top);
        }

        const QTextCursor outside = m_cursor;
        m_inAside = true;
        m_started = false; // each cell has its first block already
        m_cursor = cells->cellAt(0, 0).firstCursorPosition();
        for (const Block &inner : block.column) {
            if (inner.kind == Block::Kind::Heading || inner.kind == Block::Kind::Paragraph ||
                inner.kind == Block::Kind::Note)
                add(inner);
        }
        m_cursor = cells->cellAt(0, 1).firstCursorPosition();
        QTextBlockFormat toRight;
        toRight.setAlignment(Qt::AlignRight);
        m_cursor.setBlockFormat(toRight);
        m_cursor.setBlockCharFormat(plain);
        QTextCharFormat object;
        object.setObjectType(kPictureObject);
        object.setProperty(kPictureIndex, m_pictures.add(picture));
        m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        m_inAside = false;
        m_started = true;
        m_cursor = outside;
        m_cursor.movePosition(QTextCursor::End);
        m_keeps << Keep{QTextBlock(), cells};
    }

    QTextCursor m_cursor;
    PictureObjects &m_pictures;
    double m_widthMm;
    bool m_started = false;
    bool m_breakBefore = false;
    bool m_inAside = false;
    QList<Keep> m_keeps;
};

// The page of a block's first line, by its middle: a line that does not fit is pushed to the
// next page inside its block, whose top stays behind.
int pageOf(QTextDocument &document, const QTextBlock &block)
{
    double y = document.documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0)
        y += layout->lineAt(0).y() + layout->lineAt(0).height() / 2;
    return int(y / document.pageSize().height());
}

// An aside that runs over a page's end goes to the next page as a whole, unless it is taller
// than a page anyway.
void keepAside(QTextDocument &document, QTextTable *aside)
{
    const QRectF place = document.documentLayout()->frameBoundingRect(aside);
    const double page = document.pageSize().height();
    const int first = int(place.top() / page);
    if (place.height() >= page || int((place.bottom() - 1) / page) == first)
        return;
    QTextTableFormat format = aside->format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    aside->setFormat(format);
}

// A heading whose content starts on the next page goes there with it, and an aside that does
// not fit goes there whole. Each move can push later ones only further down, so one pass in
// document order settles them all.
void keepTogether(QTextDocument &document, const QList<Keep> &keeps)
{
    for (const Keep &keep : keeps) {
        if (keep.aside) {
            keepAside(document, keep.aside);
            continue;
        }
        const QTextBlock &heading = keep.heading;
        QTextBlock content = heading.next();
        while (content.isValid() && content.text().isEmpty())
            content = content.next();
        if (!content.isValid() || pageOf(document, content) == pageOf(document, heading))
            continue;
        QTextBlockFormat format = heading.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).setBlockFormat(format);
    }
}

// The footer's text beside the page number: wrapped, never cut, left to right whatever the
// names in it (a right-to-left name must not turn it around).
QTextOption footerOption(Qt::Alignment alignment)
{
    QTextOption option(alignment | Qt::AlignTop);
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// The width the page number leaves the footer's text.
double footerTextWidth(const QFontMetricsF &metrics, double width, int pages)
{
    return width - metrics.horizontalAdvance(pageNumber(pages, pages)) - dots(4);
}

void drawFooter(QPainter &painter, const QRectF &place, const QString &left, const QString &right,
                int pages)
{
    painter.save();
    painter.setPen(QPen(kRuleColour, dots(0.2)));
    painter.drawLine(place.topLeft(), place.topRight());
    painter.setPen(kNoteColour);
    painter.setFont(footerFont());
    const QRectF line = place.adjusted(0, dots(1.5), 0, 0);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QRectF(line.topLeft(),
                            QSizeF(footerTextWidth(metrics, line.width(), pages), line.height())),
                     left, footerOption(Qt::AlignLeft));
    painter.drawText(line, right, footerOption(Qt::AlignRight));
    painter.restore();
}

// The footer's height for `text` wrapped beside the page number: at least kFooterMm, at most
// a quarter of the page (names are bounded before they get here; the bound only keeps a page
// for the body whatever comes).
double footerHeight(QPaintDevice *device, const QString &text, double width, double pageHeight)
{
    const QFontMetricsF metrics(footerFont(), device);
    QTextLayout layout(text, footerFont(), device);
    layout.setTextOption(footerOption(Qt::AlignLeft));
    double height = 0;
    layout.beginLayout();
    // A thousand pages' digits: room enough for the number the footer stands beside.
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(footerTextWidth(metrics, width, 1000));
        height += line.height();
    }
    layout.endLayout();
    return std::clamp(dots(3) + dots(1.5) + height + dots(1), dots(kFooterMm), pageHeight / 4);
}

// A document whose font cannot show its own text is refused rather than made with boxes: the
// names it is given are made printable before, so what is missing here is the font itself.
std::optional<documents::Failure> missingGlyphsOf(const QString &shown)
{
    for (const bool bold : {false, true}) {
        if (const QString problem = ui::fontProblem(reportFont(kBodyPoints, bold), shown);
            !problem.isEmpty())
            return documents::Failure{QStringLiteral("Документ не составлен: ") + problem};
    }
    return std::nullopt;
}

} // namespace

QFont reportFont(double points, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

bool canTypeset(char32_t c)
{
    return QFontMetricsF(reportFont(kBodyPoints)).inFontUcs4(c);
}

Made typesetPdf(const Document &document, const documents::CancelCheck &cancel)
{
    const documents::Failure failed{QStringLiteral("Не удаётся составить документ PDF.")};
    if (documents::cancelled(cancel))
        return documents::Cancelled{};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return failed;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(kPageMarginsMm, QPageLayout::Millimeter);
        writer.setTitle(document.pdfTitle);
        writer.setCreator(QStringLiteral("ocai-cli"));

        PictureObjects pictures;
        QTextDocument text;
        text.documentLayout()->setPaintDevice(&writer);
        text.documentLayout()->registerHandler(kPictureObject, &pictures);
        text.setDefaultFont(reportFont(kBodyPoints));
        text.setDocumentMargin(0);
        // A long name without blanks breaks where it must rather than run off the page.
        QTextOption wrapping = text.defaultTextOption();
        wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        text.setDefaultTextOption(wrapping);
        const QRectF body = writer.pageLayout().paintRectPixels(kDotsPerInch);
        const QString footer = documents::printedText(document.footer);
        const double footerSpace = footerHeight(&writer, footer, body.width(), body.height());
        const double pageHeight = body.height() - footerSpace;
        text.setPageSize(QSizeF(body.width(), pageHeight));
        // One edit block: the layout runs once at its end, not after every cell.
        QTextCursor batch(&text);
        batch.beginEditBlock();
        Filler filler(text, pictures,
                      writer.pageLayout().paintRect(QPageLayout::Millimeter).width());
        for (const Block &block : document.blocks)
            filler.add(block);
        batch.endEditBlock();
        keepTogether(text, filler.keeps());
        if (const auto missing = missingGlyphsOf(text.toPlainText() + footer + pageNumber(1, 1)))
            return *missing;

        QPainter painter;
        if (!painter.begin(&writer))
            return failed;
        const int pages = text.pageCount();
        for (int page = 0; page < pages; ++page) {
            if (documents::cancelled(cancel))
                return documents::Cancelled{};
            if (page > 0 && !writer.newPage())
                return failed;
            painter.save();
            painter.setClipRect(QRectF(0, 0, body.width(), pageHeight));
            painter.translate(0, -page * pageHeight);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, page * pageHeight, body.width(), pageHeight);
            context.palette.setColor(QPalette::Text, Qt::black);
            text.documentLayout()->draw(&painter, context);
            painter.restore();
            drawFooter(painter,
                       QRectF(0, pageHeight + dots(3), body.width(), footerSpace - dots(3)), footer,
                       pageNumber(page + 1, pages), pages);
        }
        if (!painter.end())
            return failed;
    }
    return bytes;
}

} // namespace report

#include "report_typeset.moc"
