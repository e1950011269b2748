#include "plots/raster.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

Pixels painted(const QImage &image)
{
    Pixels result;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                result.insert({x, y});
    return result;
}

Pixels lineOn(int w, int h, QPoint p, QPoint q, int width = 1)
{
    QImage image = blank(w, h);
    plots::drawLine(image, p, q, Qt::black, width);
    return painted(image);
}

// A second, naive formulation of the same rule: step every pixel of the unclipped line,
// take the minor offset as the nearest integer (ties towards the start), keep what is
// inside the image.
Pixels referenceLine(int w, int h, QPoint p, QPoint q, int width)
{
    Pixels result;
    const qint64 dx = qint64(q.x()) - p.x(), dy = qint64(q.y()) - p.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const qint64 len = xMajor ? std::abs(dx) : std::abs(dy);
    const qint64 run = xMajor ? std::abs(dy) : std::abs(dx);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    qint64 m = 0;
    for (qint64 k = 0; k < len; ++k) {
        while (2 * k * run > (2 * m + 1) * len)
            ++m;
        const qint64 x = p.x() + sx * (xMajor ? k : m);
        const qint64 y = p.y() + sy * (xMajor ? m : k);
        for (int r = 0; r < width; ++r) {
            const qint64 px = xMajor ? x : x - r, py = xMajor ? y - r : y;
            if (px >= 0 && py >= 0 && px < w && py < h)
                result.insert({int(px), int(py)});
        }
    }
    return result;
}

TEST(Raster, LinePaintsStartAndNotEnd)
{
    EXPECT_EQ(lineOn(20, 10, {2, 5}, {6, 5}), (Pixels{{2, 5}, {3, 5}, {4, 5}, {5, 5}}));
    EXPECT_EQ(lineOn(20, 10, {6, 5}, {2, 5}), (Pixels{{6, 5}, {5, 5}, {4, 5}, {3, 5}}));
    EXPECT_EQ(lineOn(20, 10, {4, 1}, {4, 4}), (Pixels{{4, 1}, {4, 2}, {4, 3}}));
    EXPECT_EQ(lineOn(20, 10, {3, 3}, {0, 0}), (Pixels{{3, 3}, {2, 2}, {1, 1}}));
    EXPECT_TRUE(lineOn(20, 10, {4, 4}, {4, 4}).empty());
}

TEST(Raster, TiesStayOnTheStartSide)
{
    // Half way along, the ideal line is exactly between two rows.
    EXPECT_EQ(lineOn(10, 10, {0, 0}, {4, 1}), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
    EXPECT_EQ(lineOn(10, 10, {4, 1}, {0, 0}), (Pixels{{4, 1}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(lineOn(10, 10, {5, 0}, {4, 4}), (Pixels{{5, 0}, {5, 1}, {5, 2}, {4, 3}}));
}

TEST(Raster, SecondRowGoesTowardsSmallerCoordinate)
{
    // Mostly horizontal (diagonals included): also y - 1; mostly vertical: also x - 1.
    EXPECT_EQ(lineOn(20, 10, {2, 5}, {4, 5}, 2), (Pixels{{2, 5}, {3, 5}, {2, 4}, {3, 4}}));
    EXPECT_EQ(lineOn(20, 10, {4, 1}, {4, 3}, 2), (Pixels{{4, 1}, {4, 2}, {3, 1}, {3, 2}}));
    EXPECT_EQ(lineOn(20, 10, {1, 1}, {3, 3}, 2), (Pixels{{1, 1}, {2, 2}, {1, 0}, {2, 1}}));
    // The second row may be visible where the first is not.
    EXPECT_EQ(lineOn(20, 10, {2, 10}, {4, 10}, 2), (Pixels{{2, 9}, {3, 9}}));
}

TEST(Raster, PolylineLeavesOutEveryEndPointButRepaintsVertices)
{
    QImage image = blank(10, 10);
    const QPoint square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}, {1, 1}};
    plots::drawPolyline(image, square, 5, Qt::black, 1);
    EXPECT_EQ(painted(image).size(), 12u); // the 3 x 3 outline's 12 pixels, each once

    QImage open = blank(10, 10);
    const QPoint path[] = {{1, 1}, {4, 1}, {4, 4}};
    plots::drawPolyline(open, path, 3, Qt::black, 1);
    EXPECT_EQ(painted(open), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
}

TEST(Raster, ClippedLineKeepsTheUnclippedPixels)
{
    const struct {
        QPoint p, q;
    } lines[] = {
        {{-1000, -500}, {300, 200}}, {{300, 200}, {-1000, -500}}, {{-37, 95}, {140, -61}},
        {{50, -700}, {61, 900}},     {{99, 99}, {-3000, 7}},      {{120, 50}, {-20, 51}},
        {{-5, -5}, {-1, 200}},       {{0, 100}, {100, 100}},
    };
    for (const auto &line : lines) {
        for (int width : {1, 2}) {
            SCOPED_TRACE(testing::Message() << line.p.x() << "," << line.p.y() << " -> "
                                            << line.q.x() << "," << line.q.y() << " w" << width);
            EXPECT_EQ(lineOn(100, 100, line.p, line.q, width),
                      referenceLine(100, 100, line.p, line.q, width));
        }
    }
}

TEST(Raster, AbsurdCoordinatesAreClippedExactly)
{
    constexpr int far = 1 << 24;
    const struct {
        QPoint p, q;
    } lines[] = {
        {{-far, 300}, {far, 380}},      {{100, -far}, {600, far}}, {{-far, -far + 7}, {300, 310}},
        {{far, far}, {-far, -far + 3}}, {{far, 5}, {far - 10, 6}}, // entirely outside
    };
    for (const auto &line : lines) {
        SCOPED_TRACE(testing::Message() << line.p.x() << "," << line.p.y() << " -> " << line.q.x()
                                        << "," << line.q.y());
        EXPECT_EQ(lineOn(686, 672, line.p, line.q, 2), referenceLine(686, 672, line.p, line.q, 2));
    }
}

TEST(Raster, ClearWithFrameLeavesBlackBorderAndWhiteInside)
{
    QImage image = blank(5, 4);
    image.fill(Qt::red);
    plots::clearWithFrame(image);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool border = x == 0 || y == 0 || x == 4 || y == 3;
            EXPECT_EQ(image.pixel(x, y), border ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << x << "," << y;
        }
}

} // namespace
