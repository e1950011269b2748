#include "core/number_format.h"
#include "documents/plot_pictures.h"
#include "plots/colour_for_index.h"
#include "plots/information_line.h"
#include "plots/plot_a.h"
#include "plots/raster.h"
#include "plots/text_cell.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

const QSize kWindowSize(686, 672);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// The index of the first field that is not a number, or -1.
int firstMalformedField(const plots::PlotAFields &fields, QChar separator)
{
    const auto parsed = plots::parseScoreFields(fields, separator);
    return std::holds_alternative<int>(parsed) ? std::get<int>(parsed) : -1;
}

plots::PlotAFields fieldsOf(const std::array<double, 8> &values, QChar separator = u'.')
{
    plots::PlotAFields fields;
    for (int i = 0; i < 4; ++i) {
        fields.current[i] = numfmt::formatFixed(values[i], 5, 2, separator);
        fields.preferred[i] = numfmt::formatFixed(values[4 + i], 5, 2, separator);
    }
    return fields;
}

QImage draw(const plots::PlotAFields &fields, QRgb current = kRed, QRgb preferred = kBlue,
            QSize size = kWindowSize, QChar separator = u'.')
{
    survey::ProfileScores scores{};
    QImage canvas(size, QImage::Format_RGB32);
    EXPECT_TRUE(
        plots::drawPlotA(canvas, fields, QColor(current), QColor(preferred), separator, scores));
    return canvas;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

int countIn(const QImage &image, const QRect &rect, QRgb colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += at(image, x, y) == colour;
    return n;
}

// Bounding box of the pixels of `colour` inside `area`.
QRect boxOf(const QImage &image, const QRect &area, QRgb colour)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(image, x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

QRect cellOf(const QFont &font, QPoint topLeft, const QString &text)
{
    const QFontMetrics metrics(font);
    return QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()));
}

// The text as it must appear: its cell, painted alone on a blank canvas.
struct TextItem {
    QPoint topLeft;
    QString text;
    bool bold;
    QRgb colour;
    int coveredFromY = INT_MAX; // a later text's cell covers the rows from here on
};

void expectText(const QImage &canvas, const TextItem &item)
{
    SCOPED_TRACE(item.text.toStdString());
    const QFont font = plots::plotFont(item.bold ? 19 : 16, item.bold);
    QImage expected(canvas.size(), QImage::Format_RGB32);
    expected.fill(Qt::green);
    {
        QPainter painter(&expected);
        painter.setFont(font);
        painter.setPen(QColor(item.colour));
        plots::drawTextCell(painter, item.topLeft, item.text);
    }
    QRect cell = cellOf(font, item.topLeft, item.text);
    cell.setBottom(std::min(cell.bottom(), item.coveredFromY - 1));
    ASSERT_TRUE(QRect(QPoint(0, 0), canvas.size()).contains(cell));
    EXPECT_GT(countIn(canvas, cell, item.colour), 5) << "no ink";
    EXPECT_GT(countIn(canvas, cell, kWhite), cell.width() * cell.height() / 2) << "no cell";
    EXPECT_EQ(canvas.copy(cell), expected.copy(cell));
}

TEST(PlotA, FrameAxesAndDiagonalsAtTheirPixels)
{
    const QImage c = draw(fieldsOf({0, 0, 0, 0, 0, 0, 0, 0}));
    for (QPoint p : {QPoint(0, 0), QPoint(685, 0), QPoint(0, 671), QPoint(685, 671), QPoint(100, 0),
                     QPoint(0, 500), QPoint(685, 500), QPoint(500, 671)})
        EXPECT_EQ(at(c, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(at(c, 5, 100), kWhite);
    EXPECT_EQ(at(c, 680, 120), kWhite);

    // Width 2: horizontal lines also cover the row above, vertical ones the column left.
    for (QPoint p :
         {QPoint(343, 336), QPoint(343, 335), QPoint(684, 336), QPoint(684, 335), QPoint(1, 336),
          QPoint(1, 335), QPoint(343, 670), QPoint(342, 670), QPoint(343, 1), QPoint(342, 1)})
        EXPECT_EQ(at(c, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(at(c, 684, 337), kWhite);
    EXPECT_EQ(at(c, 344, 600), kWhite);

    // Diagonals: 343 steps across for 336 down, so x advances every step.
    EXPECT_EQ(at(c, 1, 1), kBlack);   // towards (0, 0)
    EXPECT_EQ(at(c, 1, 0), kBlack);   // its second row, on the frame anyway
    EXPECT_EQ(at(c, 684, 1), kBlack); // towards (686, 0)
    EXPECT_EQ(at(c, 684, 670), kBlack);
    EXPECT_EQ(at(c, 1, 670), kBlack);
    EXPECT_EQ(at(c, 2, 3), kWhite);
}

TEST(PlotA, TicksStartOnTheDiagonalAndStopBeforeTheirEnd)
{
    const QImage c = draw(fieldsOf({0, 0, 0, 0, 0, 0, 0, 0}));
    // Quadrant A, tick 1: (312, 305) -> (296, 305); tick 10: (33, 26) -> (17, 26).
    for (QPoint p : {QPoint(312, 305), QPoint(297, 305), QPoint(312, 304), QPoint(297, 304),
                     QPoint(33, 26), QPoint(18, 26), QPoint(18, 25)})
        EXPECT_EQ(at(c, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(at(c, 296, 305), kWhite);
    EXPECT_EQ(at(c, 296, 304), kWhite);
    EXPECT_EQ(at(c, 17, 26), kWhite);
    EXPECT_EQ(at(c, 20, 27), kWhite);
    // Quadrant B, tick 1: (374, 305) -> (390, 305).
    for (QPoint p : {QPoint(374, 305), QPoint(389, 305), QPoint(389, 304)})
        EXPECT_EQ(at(c, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(at(c, 390, 305), kWhite);
    // Quadrants C and D mirror them downwards: tick 1 on row 367 (and 366).
    EXPECT_EQ(at(c, 389, 367), kBlack);
    EXPECT_EQ(at(c, 297, 366), kBlack);
    EXPECT_EQ(at(c, 390, 367), kWhite);
    EXPECT_EQ(at(c, 296, 367), kWhite);
}

// All scores 0: the kites collapse onto the centre and paint nothing; everything else
// stands where the worked figures put it.
TEST(PlotA, TextsStandAtTheirPlacesWithZeroScores)
{
    const plots::PlotAFields fields = fieldsOf({0, 0, 0, 0, 0, 0, 0, 0});
    const QImage c = draw(fields, kGreen, kBlue);
    EXPECT_EQ(countIn(c, QRect(200, 0, 486, 672), kGreen), 0);
    EXPECT_EQ(countIn(c, QRect(200, 0, 486, 672), kBlue), 0);

    std::vector<TextItem> items = {
        {{276, 295}, "10", false, kBlack},
        {{395, 295}, "10", false, kBlack},
        {{484, 16}, u"Адхократия [B]"_s, true, kRed},
        {{57, 16}, u"Клан [A]"_s, true, kRed},
        {{534, 636}, u"Рынок [C]"_s, true, kRed},
        {{57, 636}, u"Иерархия [D]"_s, true, kRed},
        {{10, 311}, u"Текущее"_s, true, kGreen},
        {{10, 337}, u"Предполагаемое"_s, true, kBlue, 357}, // below it the first score line
    };
    const char *letters[] = {"[A] ", "[B] ", "[C] ", "[D] "};
    for (int i = 0; i < 4; ++i) {
        items.push_back({{10, 231 + 20 * i}, letters[i] + fields.current[i], false, kGreen});
        items.push_back({{10, 357 + 20 * i}, letters[i] + fields.preferred[i], false, kBlue});
    }
    // Scale labels "10".."90" in every quadrant, 5 px left of the tick's end on the left,
    // 10 px on the right.
    for (int i = 1; i <= 9; ++i) {
        const QString label = QString::number(10 * i);
        const int up = 336 - 31 * i - 10, down = 336 + 31 * i - 10;
        const int left = 343 - 31 * (i + 1) - 5, right = 343 + 31 * (i + 1) - 10;
        items.push_back({{left, up}, label, false, kBlack});
        items.push_back({{right, up}, label, false, kBlack});
        items.push_back({{right, down}, label, false, kBlack});
        items.push_back({{left, down}, label, false, kBlack});
    }
    for (const TextItem &item : items)
        expectText(c, item);
    EXPECT_EQ(fields.current[0], QStringLiteral(" 0.00")); // "[A]  0.00": two blanks
}

TEST(PlotA, TextCellsCoverEarlierStrokes)
{
    // On a small canvas "Адхократия [B]" at (104, 0) lies across the vertical axis, a
    // diagonal and the frame: inside its cell only white and red remain.
    const QImage c = draw(fieldsOf({0, 0, 0, 0, 0, 0, 0, 0}), kRed, kBlue, QSize(300, 300));
    const QRect cell = cellOf(plots::plotFont(19, true), {104, 0}, u"Адхократия [B]"_s);
    ASSERT_TRUE(cell.contains(150, 5));
    EXPECT_EQ(countIn(c, cell, kWhite) + countIn(c, cell, kRed), cell.width() * cell.height());
    EXPECT_GT(countIn(c, cell, kRed), 20);
}

TEST(PlotA, KiteVerticesFollowTheScores)
{
    // Current A 50 -> (184, 180), A 100 -> (25, 25), so preferred B 100 -> (661, 25); the
    // rest 0, at the centre.
    const QImage c = draw(fieldsOf({50, 0, 0, 0, 0, 100, 0, 0}), kGreen, kBlue);
    EXPECT_EQ(at(c, 184, 180), kGreen);
    EXPECT_EQ(boxOf(c, QRect(170, 165, 30, 30), kGreen).left(), 184);
    EXPECT_EQ(boxOf(c, QRect(170, 165, 30, 30), kGreen).top(), 179); // second row above
    EXPECT_EQ(at(c, 661, 25), kBlue);
    EXPECT_EQ(boxOf(c, QRect(640, 10, 40, 30), kBlue).right(), 661);
    EXPECT_EQ(boxOf(c, QRect(640, 10, 40, 30), kBlue).top(), 24);
    // The kite is an outline: the centre of the area it encloses stays as it was.
    EXPECT_EQ(at(c, 260, 250), kWhite);
}

TEST(PlotA, KiteRoundsTiesToEven)
{
    // 3.375: 336 * 3.375 / 108 = 10.5 -> 10 down, 343 * 3.375 / 108 = 10.72 -> 11 across.
    plots::PlotAFields fields = fieldsOf({0, 0, 0, 0, 0, 0, 0, 0});
    fields.preferred[2] = QStringLiteral("3.375");
    const QImage c = draw(fields, kGreen, kBlue);
    EXPECT_EQ(at(c, 354, 346), kBlue);
    const QRect box = boxOf(c, QRect(330, 320, 40, 40), kBlue);
    EXPECT_EQ(box.right(), 354);
    EXPECT_EQ(box.bottom(), 346);
    EXPECT_EQ(countIn(c, QRect(200, 0, 486, 672), kGreen), 0);
}

TEST(PlotA, BlackChooserDrawsThatProfileInBlack)
{
    const QColor black = plots::ColorForIndex(0);
    const QImage c = draw(fieldsOf({50, 0, 0, 0, 0, 0, 0, 0}), black.rgb(), kBlue);
    EXPECT_EQ(at(c, 184, 180), kBlack);
    const QRect legend = cellOf(plots::plotFont(19, true), {10, 311}, u"Текущее"_s);
    EXPECT_GT(countIn(c, legend, kBlack), 5);
    EXPECT_EQ(countIn(c, QRect(0, 200, 200, 140), kRed), 0);
}

TEST(PlotA, OddWidthDrawsTowardsTheLastColumn)
{
    // W 687: cx is still 343, so the picture is the one of W 686 up to column 684; the
    // right-hand lines run towards x = 686, the frame's column.
    const plots::PlotAFields fields = fieldsOf({40, 60, 20, 80, 70, 30, 90, 10});
    const QImage even = draw(fields);
    const QImage odd = draw(fields, kRed, kBlue, QSize(687, 672));
    EXPECT_EQ(odd.copy(0, 0, 685, 672), even.copy(0, 0, 685, 672));
    EXPECT_EQ(countIn(odd, QRect(686, 0, 1, 672), kBlack), 672);
    for (int y : {0, 1, 335, 336, 670, 671})
        EXPECT_EQ(at(odd, 685, y), kBlack) << y;
    EXPECT_EQ(countIn(odd, QRect(685, 2, 1, 333), kWhite), 333);
}

TEST(PlotA, MalformedFieldStopsAfterErasing)
{
    QImage canvas(kWindowSize, QImage::Format_RGB32);
    survey::ProfileScores scores{};
    ASSERT_TRUE(plots::drawPlotA(canvas, fieldsOf({1, 2, 3, 4, 5, 6, 7, 8}), Qt::red, Qt::blue,
                                 u'.', scores));
    EXPECT_EQ(scores, (survey::ProfileScores{1, 2, 3, 4, 5, 6, 7, 8}));

    plots::PlotAFields fields = fieldsOf({10, 20, 30, 40, 50, 60, 70, 80});
    fields.current[2] = QStringLiteral("3O.00");
    fields.preferred[0] = QStringLiteral("x");
    EXPECT_FALSE(plots::drawPlotA(canvas, fields, Qt::red, Qt::blue, u'.', scores));
    EXPECT_EQ(scores, (survey::ProfileScores{10, 20, 3, 4, 5, 6, 7, 8}));
    QImage framed(kWindowSize, QImage::Format_RGB32);
    plots::clearWithFrame(framed);
    EXPECT_EQ(canvas, framed);
}

TEST(PlotA, FirstMalformedFieldInFieldOrder)
{
    plots::PlotAFields fields = fieldsOf({10, 20, 30, 40, 50, 60, 70, 80});
    EXPECT_EQ(std::get<survey::ProfileScores>(plots::parseScoreFields(fields, u'.'))[7], 80);
    EXPECT_EQ(firstMalformedField(fields, u'.'), -1);
    EXPECT_EQ(firstMalformedField(fields, u','), 0);
    fields.preferred[0] = QStringLiteral("abc");
    EXPECT_EQ(firstMalformedField(fields, u'.'), 4);
    fields.current[1] = QString();
    EXPECT_EQ(firstMalformedField(fields, u'.'), 1);
    fields = fieldsOf({10, 20, 30, 40, 50, 60, 70, 80});
    fields.preferred[3] = QStringLiteral("80.00 %");
    EXPECT_EQ(firstMalformedField(fields, u'.'), 7);
}

TEST(PlotA, BothDecimalSeparators)
{
    const std::array<double, 8> values = {35.5, 20, 25.25, 19.25, 3.375, 50, 100, 8};
    survey::ProfileScores point{}, comma{};
    QImage withPoint(kWindowSize, QImage::Format_RGB32), withComma = withPoint;
    ASSERT_TRUE(
        plots::drawPlotA(withPoint, fieldsOf(values, u'.'), Qt::red, Qt::blue, u'.', point));
    ASSERT_TRUE(
        plots::drawPlotA(withComma, fieldsOf(values, u','), Qt::red, Qt::blue, u',', comma));
    EXPECT_EQ(point, comma);
    EXPECT_EQ(point[4], 3.38); // the field's two decimals, not the value behind them
    EXPECT_EQ(firstMalformedField(fieldsOf(values, u','), u'.'), 0);
    // Only the score lines differ.
    const QRect lines[] = {QRect(0, 231, 200, 80), QRect(0, 357, 200, 80)};
    for (const QRect &r : lines) {
        QPainter(&withPoint).fillRect(r, Qt::white);
        QPainter(&withComma).fillRect(r, Qt::white);
    }
    EXPECT_EQ(withPoint, withComma);
}

} // namespace

TEST(InformationLine, DrawnWholeAndCentredDownToNinePixels)
{
    const auto ink = [](const QImage &image, int width) { // where the black pixels are
        QRect found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < width; ++x)
                found |= image.pixel(x, y) == kBlack ? QRect(x, y, 1, 1) : QRect();
        return found;
    };
    // Code, name and position, date, start and duration: 120 characters.
    const QString typical =
        u"ivn01  Иванова Мария Сергеевна, начальник отдела логистики  Дата: "
        u"12.03.2026  Начало: 09:07:11  Выполнение: 00:22:55"_s.leftJustified(120, u'.');
    const std::pair<QString, int> cases[] = {
        {u"Отдел продаж"_s, 13}, {typical, 11}, {typical.repeated(3), 9}};
    for (const auto &[text, size] : cases) {
        const QFont font = plots::fittedInformationFont(text);
        EXPECT_EQ(font.pixelSize(), size);
        QImage uncut(4000, 26, QImage::Format_RGB32);
        uncut.fill(Qt::white);
        QPainter painter(&uncut);
        painter.setFont(font);
        painter.drawText(10, 20, text);
        painter.end();
        const QRect line = ink(documents::informationStrip(text, u"A"_s), 672);
        const bool cut = text.size() > 120;
        EXPECT_EQ(line.width() == ink(uncut, 4000).width(), !cut);
        EXPECT_GE(line.left(), 2);                                 // clear of the field's sides
        EXPECT_NEAR(line.left(), cut ? 2 : 671 - line.right(), 2); // centred, or its start
    }
}
