#include "fake_desktop_shell.h"
#include "shell/desktop_shell.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "shell/portable/portable_shell.h"
#include "shell/portable/screen_capture.h"
#endif

TEST(RecordingDesktopShell, CaptureRecordsTheRectangle)
{
    RecordingDesktopShell fake;
    QWidget window;
    fake.captureColour = Qt::green;
    const QImage shot = fake.captureScreenRect(QRect(336, 8, 686, 698), &window);
    EXPECT_EQ(fake.calls, QStringList({"captureScreenRect 336,8 686x698"}));
    EXPECT_EQ(fake.capturedRect, QRect(336, 8, 686, 698));
    EXPECT_EQ(fake.captureWindow, &window);
    ASSERT_EQ(shot.size(), QSize(686, 698));
    EXPECT_EQ(shot.pixel(685, 697), qRgb(0, 255, 0));
}

#ifndef Q_OS_WIN

namespace {

QWidget *patch(QWidget *parent, const QRect &geometry, const QColor &colour)
{
    auto *widget = new QWidget(parent);
    widget->setGeometry(geometry);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    return widget;
}

// Colour of each pixel by region: red left of column `split`, blue from it on.
bool splitAt(const QImage &image, int split, QRgb left, QRgb right)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != (x < split ? left : right))
                return false;
    return true;
}

// A shown window, grey, with a red patch at (20, 10) 30 x 40 and a blue one right beside it.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(200, 120);
        patch(&window, QRect(0, 0, 200, 120), QColor(200, 200, 200));
        red = patch(&window, QRect(20, 10, 30, 40), Qt::red);
        patch(&window, QRect(50, 10, 30, 40), Qt::blue);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }

    QWidget window;
    QWidget *red = nullptr;
    const QRgb redPixel = qRgb(255, 0, 0), bluePixel = qRgb(0, 0, 255);
};

} // namespace

TEST_F(CaptureTest, TakesWhatTheWindowShowsInTheRectangle)
{
    const QPoint origin = red->mapToGlobal(QPoint(0, 0));
    struct Case {
        QRect rect;
        int split;
    };
    const Case cases[] = {{QRect(origin, QSize(30, 40)), 30},
                          {QRect(origin + QPoint(25, 5), QSize(10, 20)), 5},
                          {QRect(origin + QPoint(29, 39), QSize(2, 1)), 1}};
    shell::PortableShell shell;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.x() << "," << c.rect.y());
        // Qt's grab is null where the platform cannot read the screen.
        for (const QImage &shot :
             {shell.captureScreenRect(c.rect, &window), shell::renderWindowRect(c.rect, &window),
              shell::grabScreenRect(c.rect)}) {
            if (shot.isNull())
                continue;
            ASSERT_EQ(shot.size(), c.rect.size());
            EXPECT_EQ(shot.format(), QImage::Format_RGB32);
            EXPECT_TRUE(splitAt(shot, c.split, redPixel, bluePixel));
        }
    }
}

TEST_F(CaptureTest, RenderingLeavesWhatLiesBeyondTheWindowBlack)
{
    const QPoint corner = window.mapToGlobal(QPoint(0, 0));
    const QImage shot =
        shell::renderWindowRect(QRect(corner - QPoint(10, 0), QSize(40, 30)), &window);
    ASSERT_EQ(shot.size(), QSize(40, 30));
    EXPECT_EQ(shot.pixel(9, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(10, 5), qRgb(200, 200, 200));
    EXPECT_EQ(shot.pixel(30, 15), redPixel);
    EXPECT_EQ(shell::renderWindowRect(QRect(corner, QSize(3, 2)), nullptr).pixel(2, 1),
              qRgb(0, 0, 0));
}

TEST_F(CaptureTest, EmptyRectangleGivesNullPicture)
{
    shell::PortableShell shell;
    EXPECT_TRUE(shell.captureScreenRect(QRect(10, 10, 0, 5), &window).isNull());
    EXPECT_TRUE(shell::renderWindowRect(QRect(10, 10, 5, 0), &window).isNull());
}

#endif
