// The bar-chart model, renderer and widget, and the Plot B / Plot C fillings and pictures.
#include "charts/bar_chart_geometry.h"
#include "charts/bar_chart_scale.h"
#include "documents/plot_pictures.h"
#include "plots/difference_chart.h"
#include "plots/question_charts.h"
#include "survey/resource.h"
#include "widgets/bar_chart.h"

#include <QPainter>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr QSize kDifferenceSize = plots::kDifferenceChart;
const QSize kQuestionSize(228, 257);
const QRgb kBlack = qRgb(0, 0, 0);

QRgb at(const QImage &image, QPoint p)
{
    return image.pixel(p) | 0xff000000u;
}

int countIn(const QImage &image, const QRect &rect, QRgb colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += at(image, {x, y}) == colour;
    return n;
}

// Black pixels on the border of `rect`.
int frameBlack(const QImage &image, const QRect &rect)
{
    return countIn(image, rect, kBlack) - countIn(image, rect.adjusted(1, 1, -1, -1), kBlack);
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(at(image, {x, y}));
    return int(colours.size());
}

ui::BarChartModel differenceChart(const std::array<double, 4> &values, bool marks,
                                  const QColor &colour = Qt::red)
{
    ui::BarChartModel chart;
    plots::setupDifferenceChart(chart);
    plots::fillDifferenceChart(chart, values, colour, plots::kWholeProfileFoot);
    chart.series[0].marksVisible = marks;
    return chart;
}

survey::AnswerTable sampleAnswers()
{
    survey::AnswerTable answers{};
    for (int q = 0; q < 6; ++q)
        for (int i = 0; i < 4; ++i) {
            answers[q][i] = 10 + 5 * ((q + i) % 4);     // current
            answers[q + 6][i] = 40 - 7 * ((q + i) % 4); // preferred
        }
    return answers;
}

TEST(FormatMarkValue, WritesHashCommaNoughtDotHashes)
{
    const QLocale en(QLocale::English, QLocale::UnitedStates), ru(QLocale::Russian);
    const struct {
        double value;
        QLocale locale;
        QString text;
    } cases[] = {
        {12.34, en, "12.34"},
        {12.34, ru, "12,34"},
        {12.3333, en, "12.333"},
        {15, en, "15"},
        {-15, ru, "-15"},
        {1234.5, en, "1,234.5"},
        {1234567, en, "1,234,567"},
        {0.0005, en, "0.001"},
        {-0.0004, en, "0"},
        {999.9996, en, "1,000"},
        {std::nan(""), en, "NAN"},
        {-1234.5, ru, QStringLiteral("-1") + ru.groupSeparator() + QStringLiteral("234,5")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ui::formatMarkValue(c.value, c.locale), c.text) << c.value;
}

TEST(DifferenceChart, BarsRiseAndFallFromZeroFilledWithTheirColour)
{
    for (const QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::black)}) {
        const ui::BarChartModel chart = differenceChart({15, 5, -5, -15}, false, colour);
        const ui::BarChartGeometry g = ui::barChartGeometry(chart, kDifferenceSize);
        const QImage image = ui::renderBarChart(chart, kDifferenceSize);
        ASSERT_EQ(g.bars.size(), 4);
        for (const ui::PlacedBar &bar : g.bars) {
            const bool rising = bar.point < 2;
            EXPECT_EQ(rising ? bar.front.bottom() : bar.front.top(), g.zeroY);
            EXPECT_TRUE(rising ? bar.front.top() < g.zeroY : bar.front.bottom() > g.zeroY);
            EXPECT_TRUE(QRect(QPoint(0, 0), kDifferenceSize).contains(bar.front));
            const QRect inside = bar.front.adjusted(1, 1, -1, -1);
            EXPECT_EQ(countIn(image, inside, colour.rgb()), inside.width() * inside.height());
        }
        // 15 and -15 are the axis ends; 5 and -5 stand a third of the way towards them.
        EXPECT_NEAR(g.zeroY - g.bars[1].front.top(), (g.zeroY - g.bars[0].front.top()) / 3.0, 1);
        EXPECT_LT(g.bars[0].front.left(), g.bars[3].front.left());
    }
}

TEST(DifferenceChart, MarksShowTheValuesNearTheBarEndsOnlyWhenOn)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const ui::BarChartModel off = differenceChart({15, 5, -5, -15}, false);
    const ui::BarChartModel on = differenceChart({15, 5, -5, -15}, true);
    const ui::BarChartGeometry g = ui::barChartGeometry(on, kDifferenceSize);
    const QImage shown = ui::renderBarChart(on, kDifferenceSize);
    const QImage hidden = ui::renderBarChart(off, kDifferenceSize);
    const QStringList texts = {"15", "5", "-5", "-15"};
    ASSERT_EQ(g.bars.size(), 4);
    for (const ui::PlacedBar &bar : g.bars) {
        ASSERT_TRUE(bar.hasMark);
        EXPECT_EQ(bar.markText, texts[bar.point]);
        EXPECT_TRUE(QRect(QPoint(0, 0), kDifferenceSize).contains(bar.mark));
        // 20 pixels (the arrow) from the bar's end, above a rising and below a falling bar.
        const int gap = bar.rising ? bar.front.top() - bar.mark.bottom() - 1
                                   : bar.mark.top() - bar.front.bottom() - 1;
        EXPECT_EQ(gap, 20) << bar.point;
        const int frame = 2 * (bar.mark.width() + bar.mark.height()) - 4;
        EXPECT_GT(countIn(shown, bar.mark.adjusted(1, 1, -1, -1), kBlack), 3); // the text
        EXPECT_EQ(frameBlack(shown, bar.mark), frame);
        EXPECT_LT(frameBlack(hidden, bar.mark), frame);
    }
    EXPECT_FALSE(ui::barChartGeometry(off, kDifferenceSize).bars[0].hasMark);
}

TEST(QuestionChart, ShowsFourPairsCurrentLeftOfPreferred)
{
    const survey::AnswerTable answers = sampleAnswers();
    for (int q = 1; q <= 6; ++q) {
        ui::BarChartModel chart;
        plots::setupQuestionChart(chart);
        plots::fillQuestionChart(chart, q, answers, Qt::red, Qt::blue);
        const QImage image = ui::renderBarChart(chart, kQuestionSize);
        const int row = ui::barChartGeometry(chart, kQuestionSize).zeroY - 2;
        // Runs of the two exact colours along a row just above the floor.
        QString runs;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = at(image, {x, row});
            const QChar c = pixel == qRgb(255, 0, 0)   ? u'N'
                            : pixel == qRgb(0, 0, 255) ? u'F'
                                                       : u' ';
            if (c != u' ' && !runs.endsWith(c))
                runs += c;
            else if (c == u' ' && !runs.endsWith(u' '))
                runs += c;
        }
        EXPECT_EQ(runs.simplified().remove(u' '), "NFNFNFNF") << q;
    }
}

TEST(ValueAxis, AutomaticLimitsTakeInZero)
{
    const struct {
        std::array<double, 4> values;
        double min, max;
    } cases[] = {{{5, 10, 15, 20}, 0, 20}, {{-5, -10, -15, -20}, -20, 0}, {{-3, 7, 0, 1}, -3, 7}};
    for (const auto &c : cases) {
        const ui::BarChartModel chart = differenceChart(c.values, false);
        const ui::BarChartGeometry g = ui::barChartGeometry(chart, kDifferenceSize);
        EXPECT_EQ(g.valueMin, c.min);
        EXPECT_EQ(g.valueMax, c.max);
        EXPECT_TRUE(g.zeroY >= g.plot.top() && g.zeroY <= g.plot.bottom());
    }
}

TEST(ValueAxis, StepWidensOnlyWhereLabelsWouldNotFit)
{
    survey::AnswerTable answers{};
    answers[0] = {100, 0, 0, 0, 0};
    const struct {
        int height;
        double step;
    } cases[] = {{257, 10}, {150, 20}, {90, 50}};
    for (const auto &c : cases) {
        ui::BarChartModel chart;
        plots::setupQuestionChart(chart);
        plots::fillQuestionChart(chart, 1, answers, Qt::red, Qt::blue);
        const ui::BarChartGeometry g = ui::barChartGeometry(chart, QSize(228, c.height));
        EXPECT_EQ(g.valueStep, c.step) << c.height;
        for (qsizetype i = 1; i < g.valueLabels.size(); ++i)
            EXPECT_FALSE(g.valueLabels[i].rect.intersects(g.valueLabels[i - 1].rect));
    }
}

TEST(BottomAxis, LabelsStandUnderThePositionsAndNotAtTheEnds)
{
    const ui::BarChartGeometry g =
        ui::barChartGeometry(differenceChart({1, 2, 3, 4}, false), kDifferenceSize);
    QStringList texts;
    for (const ui::PlacedText &label : g.bottomLabels)
        texts << label.text;
    EXPECT_EQ(texts, QStringList({"A", "B", "C", "D"}));
    EXPECT_NEAR(g.bottomLabels[0].rect.center().x(), g.bars[0].front.center().x(), 1);

    ui::BarChartModel numbers; // no point labels: numbers at every step
    numbers.bottomAxis = {false, false, 0, 5, 1, true};
    const auto countLabels = [&](bool onAxis) {
        numbers.bottomAxis.labelsOnAxis = onAxis;
        return ui::barChartGeometry(numbers, kDifferenceSize).bottomLabels.size();
    };
    EXPECT_EQ(countLabels(true), 6);
    EXPECT_EQ(countLabels(false), 4);
}

TEST(Renderer, SurvivesDegenerateAndHostileModels)
{
    ui::BarChartModel hostile = differenceChart({NAN, INFINITY, -1e308, 1e308}, true);
    hostile.series[0].arrowLength = 1 << 30;
    hostile.series[0].barWidthPercent = -5;
    hostile.leftAxis = {false, false, 10, -10, 1e-300, true};
    ui::BarChartModel tinySteps;
    tinySteps.bottomAxis.increment = 1e-300;
    tinySteps.series = {ui::BarSeries()};
    tinySteps.series[0].addXY(-1e300, 1e300, QString(), QColor());
    const ui::BarChartModel models[] = {differenceChart({0, 0, 0, 0}, true), ui::BarChartModel(),
                                        hostile, tinySteps};
    for (const ui::BarChartModel &model : models)
        for (const QSize size : {kDifferenceSize, QSize(1, 1), QSize(30, 20), QSize(0, 0)}) {
            const ui::BarChartGeometry g = ui::barChartGeometry(model, size);
            EXPECT_TRUE(std::isfinite(g.valueMin) && g.valueMax > g.valueMin);
            EXPECT_LE(g.valueLabels.size(), 1000);
            const QImage image = ui::renderBarChart(model, size);
            EXPECT_EQ(image.isNull(), size.isEmpty());
            EXPECT_EQ(image.size(), size.isEmpty() ? QSize(0, 0) : size);
        }
}

TEST(Renderer, HoldsFewColours)
{
    const survey::AnswerTable answers = sampleAnswers();
    EXPECT_LT(distinctColours(
                  ui::renderBarChart(differenceChart({15, 5, -5, -15}, true), kDifferenceSize)),
              40);
    EXPECT_LT(distinctColours(documents::savedPlotBPicture("info", answers, Qt::red, Qt::blue)),
              40);
}

TEST(DifferenceFilling, SetsPointsLabelsColourAndFootKeepingMarks)
{
    ui::BarChartModel chart = differenceChart({9, 9, 9, 9}, true);
    EXPECT_EQ(chart.title, QStringList{"Разница текущих и предполагаемых оценок"});
    EXPECT_FALSE(chart.view3D || chart.legendVisible || chart.series[0].sideBySide);
    EXPECT_EQ(chart.series[0].arrowLength, 20);

    survey::AnswerTable answers{};
    answers[3] = {50, 20, 20, 10, 99};
    answers[9] = {25, 25, 37.5, 12.5, 99};
    plots::fillDifferenceChart(chart, plots::questionDifferences(answers, 4), Qt::green,
                               survey::QuestionTitles[3]);
    const std::array<double, 4> expected = {25, -5, -17.5, -2.5};
    ASSERT_EQ(chart.series[0].points.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const ui::BarPoint &p = chart.series[0].points[i];
        EXPECT_EQ(p.x, i + 1);
        EXPECT_EQ(p.y, expected[i]);
        EXPECT_EQ(p.label, survey::DifferenceBarLetters[i]);
        EXPECT_EQ(p.colour, QColor(Qt::green));
    }
    EXPECT_EQ(chart.foot, QStringList{"4. Связующая сущность организации"});
    EXPECT_TRUE(chart.series[0].marksVisible);
    EXPECT_EQ(plots::profileDifferences({40, 30, 20, 10, 25, 25, 25, 25}),
              (std::array<double, 4>{15, 5, -5, -15}));
    EXPECT_EQ(plots::questionDifferences(answers, 7), (std::array<double, 4>{}));
}

TEST(QuestionFilling, TitleAndBothSeriesFromTheAnswerTable)
{
    const survey::AnswerTable answers = sampleAnswers();
    ui::BarChartModel chart;
    plots::setupQuestionChart(chart);
    EXPECT_EQ(chart.title, QStringList{"TChart"});
    plots::fillQuestionChart(chart, 5, answers, Qt::green, Qt::yellow);
    plots::fillQuestionChart(chart, 5, answers, Qt::green, Qt::yellow); // no doubling
    EXPECT_EQ(chart.title, QStringList{survey::QuestionTitles[4]});
    ASSERT_EQ(chart.series.size(), 2);
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(chart.series[s].points.size(), 4);
        for (int i = 0; i < 4; ++i) {
            const ui::BarPoint &p = chart.series[s].points[i];
            EXPECT_EQ(p.y, answers[4 + 6 * s][i]);
            EXPECT_EQ(p.label, survey::TypeLetters[i]);
            EXPECT_EQ(p.colour, s == 0 ? QColor(Qt::green) : QColor(Qt::yellow));
        }
    }
    EXPECT_EQ(chart.series[0].title, "Now");
    EXPECT_EQ(chart.series[1].barWidthPercent, 70);
}

TEST(QuestionDetails, SevenLinesWithRoundedPointsAndAlternatives)
{
    survey::AnswerTable answers{};
    answers[3] = {12.5, 100, 0, -2.5, 0};
    answers[9] = {50, 20, 20, 10, 0};
    const QStringList lines = plots::questionDetails(4, answers).split("\r\n");
    ASSERT_EQ(lines.size(), 8); // seven lines, each ended by CR LF
    EXPECT_EQ(lines[0], "   A   B   C   D");
    EXPECT_EQ(lines[1], "  13 100   0  -3 Реальное (Red)");
    EXPECT_EQ(lines[2], "  50  20  20  10 Желаемое (Blue)");
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(lines[3 + k], survey::AlternativeTexts[12 + k]);
    EXPECT_EQ(lines[7], "");
    EXPECT_TRUE(plots::questionDetails(0, answers).isEmpty());
}

TEST(BarChartWidget, ShowsItsModelAndSignalsDoubleClicks)
{
    QLocale::setDefault(QLocale(QLocale::Russian));
    ui::BarChart chart;
    chart.resize(kDifferenceSize);
    plots::setupDifferenceChart(chart.model());
    chart.model().title = QStringList{"one", "two"};
    chart.model().foot = QStringList{"foot"};
    const QImage empty = chart.image();
    chart.series(0).addXY(1, 12.34, "A", Qt::red);
    chart.series(0).marksVisible = true;
    chart.redraw();
    EXPECT_NE(chart.image(), empty);
    EXPECT_EQ(chart.image(), ui::renderBarChart(chart.model(), kDifferenceSize));
    EXPECT_EQ(ui::barChartGeometry(chart.model(), kDifferenceSize).bars[0].markText, "12,34");
    chart.series(2); // appended on demand
    EXPECT_EQ(chart.model().series.size(), 3);

    chart.setProperty("tag", 1);
    chart.setToolTip("tip");
    chart.show();
    QSignalSpy spy(&chart, &ui::BarChart::doubleClicked);
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(chart.grab().toImage().convertToFormat(QImage::Format_RGB32), chart.image());
    EXPECT_EQ(chart.property("tag").toInt(), 1);
    QLocale::setDefault(QLocale::c());
}

TEST(PlotPictures, StripPlotsAndDifferenceChartAtTheirSavedSizes)
{
    const QColor maroon(128, 0, 0);
    const QImage strip = documents::informationStrip("Группа 1", "B");
    EXPECT_EQ(strip.size(), QSize(686, 26));
    EXPECT_GT(countIn(strip, QRect(674, 0, 11, 15), maroon.rgb()), 5);
    EXPECT_GT(countIn(strip, QRect(0, 2, 672, 21), kBlack), 20);

    QImage canvas(686, 672, QImage::Format_RGB32);
    canvas.fill(Qt::cyan);
    const QImage a = documents::savedPlotAPicture("x", canvas);
    EXPECT_EQ(a.size(), QSize(686, 698));
    EXPECT_EQ(a.copy(0, 26, 686, 672), canvas);

    const survey::AnswerTable answers = sampleAnswers();
    const QImage b = documents::savedPlotBPicture("x", answers, Qt::red, Qt::blue);
    EXPECT_EQ(b.size(), QSize(686, 543));
    ui::BarChartModel chart5;
    plots::setupQuestionChart(chart5);
    plots::fillQuestionChart(chart5, 5, answers, Qt::red, Qt::blue);
    EXPECT_EQ(b.copy(231, 259 + 26, 227, 257), ui::renderBarChart(chart5, QSize(227, 257)));

    const QImage c =
        documents::differenceChartPicture({40, 30, 20, 10, 25, 25, 25, 25}, Qt::red, true);
    EXPECT_EQ(c.size(), kDifferenceSize);
    EXPECT_GT(countIn(c, QRect(320, 4, 14, 19), maroon.rgb()), 10);
}

TEST(Resource, DifferenceBarLetters)
{
    EXPECT_EQ(survey::DifferenceBarLetters, (std::array<QString, 4>{"A", "B", "C", "D"}));
}

} // namespace
