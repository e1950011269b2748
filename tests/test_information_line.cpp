// The information line above a saved plot: whole, centred, at the designed size when it fits.
#include "information_line.h"
#include "plot_pictures.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The columns and rows that hold black pixels, within the field's columns.
QRect ink(const QImage &image, int width = plots::kInfoFieldWidth)
{
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 0))
                found |= QRect(x, y, 1, 1);
    return found;
}

// The text at a size, drawn where nothing can cut it.
int inkWidth(const QString &text, int pixelSize)
{
    QImage wide(4000, 40, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QPainter painter(&wide);
    painter.setFont(plots::informationFont(pixelSize));
    painter.drawText(10, 30, text);
    painter.end();
    return ink(wide, wide.width()).width();
}

} // namespace

TEST(InformationLine, DrawnWholeAndCentredDownToNinePixels)
{
    // A typical line: code, name and position, date, start and duration, 120 characters.
    const QString typical = QStringLiteral("ivn01  Иванова Мария Сергеевна, начальник отдела "
                                           "логистики  12.03.2026  Начало теста: 09:07:11  "
                                           "Выполнение: 00:22:55")
                                .leftJustified(120, u'.');
    ASSERT_EQ(typical.size(), 120);
    const struct {
        QString text;
        int minSize, maxSize;
        bool whole;
    } cases[] = {
        {QStringLiteral("Отдел продаж"), 13, 13, true},
        {typical, 9, 12, true},
        {typical.repeated(3), 9, 9, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const int size = plots::fittedInformationFont(c.text).pixelSize();
        EXPECT_GE(size, c.minSize);
        EXPECT_LE(size, c.maxSize);
        const QRect line = ink(plots::informationStrip(c.text, QStringLiteral("A")));
        // Inside the field's rows (2 to 22) and columns, 2 pixels clear of its sides.
        EXPECT_GE(line.top(), 2);
        EXPECT_LE(line.bottom(), 22);
        EXPECT_GE(line.left(), 2);
        if (c.whole) {
            EXPECT_EQ(line.width(), inkWidth(c.text, size));
            EXPECT_NEAR(line.left(), plots::kInfoFieldWidth - 1 - line.right(), 3);
        } else { // only now cut, showing its start
            EXPECT_LE(line.left(), 3);
            EXPECT_GE(line.right(), plots::kInfoFieldWidth - 8);
        }
    }
}
