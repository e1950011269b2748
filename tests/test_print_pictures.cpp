// The report's diagrams as a greyscale print needs them: preferred dashed over a solid
// current, one scale for the six questions, guides at ±10 on the difference chart.
#include "documents/report_pictures.h"
#include "plots/colour_for_index.h"
#include "plots/start_colours.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage rendered(const report::Picture &picture)
{
    QImage image(picture.size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.paint(painter);
    return image;
}

// Pixels near `colour` in row `y`, or in column `x` when `column` is set, between `from` and `to`.
int countNear(const QImage &image, const QColor &colour, int line, int from, int to, bool column)
{
    int count = 0;
    for (int i = from; i < to; ++i) {
        const QColor pixel = column ? image.pixelColor(line, i) : image.pixelColor(i, line);
        if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                std::abs(pixel.blue() - colour.blue()) <
            60)
            ++count;
    }
    return count;
}

const QColor kCurrent = plots::ColorForIndex(plots::kStartCurrentColour);
const QColor kPreferred = plots::ColorForIndex(plots::kStartPreferredColour);

// Equal profiles: the two kites share every edge, and the dashed preferred one leaves the
// solid current one showing in its gaps.
TEST(PrintPictures, EqualKitesBothShowAlongTheirEdge)
{
    survey::ProfileMeans equal;
    for (survey::Mean &score : equal)
        score = survey::Mean(25.0);
    const QImage image = rendered(report::plotAPicture(equal, 150));
    // The kite's upper edge: the row, below the legend, with most kite pixels between A and B
    // (x 264 to 422 on the 686-wide canvas for scores of 25).
    int best = 0, row = -1;
    for (int y = 40; y < image.height() / 2; ++y) {
        const int n = countNear(image, kCurrent, y, 270, 416, false) +
                      countNear(image, kPreferred, y, 270, 416, false);
        if (n > best)
            best = n, row = y;
    }
    ASSERT_GT(best, 100);
    int current = 0, preferred = 0;
    for (int y = row - 1; y <= row + 1; ++y) {
        current += countNear(image, kCurrent, y, 270, 416, false);
        preferred += countNear(image, kPreferred, y, 270, 416, false);
    }
    EXPECT_GT(current, 30);
    EXPECT_GT(preferred, 60);
}

// Question 1 reaches 60 points, question 6 only 20: a bar of 20 is as tall in both.
TEST(PrintPictures, TheSixQuestionsShareOneScale)
{
    survey::AnswerTable means{};
    means[0][0] = 20;  // question 1, current A
    means[6][0] = 60;  // question 1, preferred A
    means[5][0] = 20;  // question 6, current A
    means[11][0] = 10; // question 6, preferred A
    const QImage image = rendered(report::questionChartsPicture(means, 170));
    // Panels two abreast: question 1 on the left, question 6 on the right.
    const auto tallest = [&](int from, int to) {
        int most = 0;
        for (int x = from; x < to; ++x)
            most = std::max(most, countNear(image, kCurrent, x, 0, image.height(), true));
        return most;
    };
    const int half = image.width() / 2;
    const int left = tallest(0, half), right = tallest(half, image.width());
    EXPECT_GT(left, 20);
    EXPECT_NEAR(left, right, 1);
}

// The guides at ±10 are dashed rows halfway between 0 and the scale's ends at ±20.
TEST(PrintPictures, TheDifferenceChartHasGuidesAtTenEitherSide)
{
    survey::StateMeans differences{survey::Mean(13.06), survey::Mean(14.51), survey::Mean(-10.14),
                                   survey::Mean(-17.43)};
    const QImage image = rendered(report::differencePicture(differences, 78));
    // A dashed guide is a row of many dark runs covering about two thirds of the plot; text
    // is sparser, the zero line one long run.
    const auto dashedRow = [&](int y) {
        int runs = 0, pixels = 0;
        bool dark = false;
        const int from = 40, to = image.width() - 4;
        for (int x = from; x < to; ++x) {
            const bool now = qGray(image.pixel(x, y)) < 60;
            runs += now && !dark;
            pixels += now;
            dark = now;
        }
        return runs >= 8 && pixels > (to - from) * 2 / 5 && pixels < (to - from) * 4 / 5;
    };
    std::vector<int> dashed;
    for (int y = 0; y < image.height(); ++y)
        if (dashedRow(y) && (dashed.empty() || y > dashed.back() + 3))
            dashed.push_back(y);
    ASSERT_EQ(dashed.size(), 2u);
    // The zero line: the row between them with the most drawn pixels (the axis and the bars'
    // ends).
    int zero = -1, most = 0;
    for (int y = dashed[0] + 3; y < dashed[1] - 3; ++y) {
        int drawn = 0;
        for (int x = 40; x < image.width() - 4; ++x)
            drawn += qGray(image.pixel(x, y)) < 200;
        if (drawn > most)
            most = drawn, zero = y;
    }
    ASSERT_GT(most, image.width() / 2);
    EXPECT_NEAR(zero - dashed[0], dashed[1] - zero, 2);
}

} // namespace
