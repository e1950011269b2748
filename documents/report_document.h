#pragma once

#include <QList>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>

// A report as content: what it says and in which order, with no word on where it lands on a
// page. The typesetter decides the pages.
namespace report {

// A drawing placed as one piece: `paint` draws on coordinates that run over `size` (the
// window's pixels of the plot), and the typesetter scales them to `widthMm` on paper.
struct Picture {
    QSizeF size;
    double widthMm = 0;
    std::function<void(QPainter &)> paint;
};

struct Table {
    QStringList head;
    QList<QStringList> rows;
    QList<double> widths; // relative column widths, one per column
    int textColumns = 1;  // the first columns hold words and align left; numbers align right
};

struct Block {
    // Aside: `column`'s text blocks in a left column beside one picture on the right; what
    // follows starts below the taller of the two, and the pair never splits across pages.
    enum class Kind { Title, Heading, Paragraph, Note, Table, Pictures, PageBreak, Aside };
    Kind kind = Kind::Paragraph;
    QString text;
    Table table;
    QList<Picture> pictures; // side by side; an aside's one picture
    QString lead;            // a paragraph's first words in bold
    QList<Block> column;     // an aside's text: headings, paragraphs and notes
};

struct Document {
    QString pdfTitle; // the title in the file's properties
    QString footer;   // every page's footer line, before its page number
    QList<Block> blocks;

    Document &title(const QString &text) { return add(Block::Kind::Title, text); }
    Document &heading(const QString &text) { return add(Block::Kind::Heading, text); }
    Document &paragraph(const QString &text) { return add(Block::Kind::Paragraph, text); }
    Document &note(const QString &text) { return add(Block::Kind::Note, text); }
    Document &term(const QString &lead, const QString &text)
    {
        add(Block::Kind::Paragraph, text);
        blocks.last().lead = lead;
        return *this;
    }
    Document &table(const Table &table)
    {
        add(Block::Kind::Table);
        blocks.last().table = table;
        return *this;
    }
    Document &pictures(const QList<Picture> &pictures)
    {
        add(Block::Kind::Pictures);
        blocks.last().pictures = pictures;
        return *this;
    }
    Document &pageBreak() { return add(Block::Kind::PageBreak); }
    // `text`'s blocks in a column beside `picture`.
    Document &aside(const QList<Block> &text, const Picture &picture)
    {
        add(Block::Kind::Aside);
        blocks.last().column = text;
        blocks.last().pictures = {picture};
        return *this;
    }

private:
    Document &add(Block::Kind kind, const QString &text = QString())
    {
        Block block;
        block.kind = kind;
        block.text = text;
        blocks << std::move(block);
        return *this;
    }
};

} // namespace report
