#pragma once

#include <QFont>

// The window's fonts, given as the pixel heights the layout was designed with.
namespace formfonts {

inline const QString kSans = QStringLiteral("MS Sans Serif");
inline const QString kTimes = QStringLiteral("Times New Roman");
inline const QString kCourier = QStringLiteral("Courier New");

inline QFont font(const QString &family, int pixelHeight, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

// For the texts that saved plots take from the screen (the information line and the plot
// letters): without smoothing, so that a saved picture holds few colours and matches the one
// ocai-cli draws.
inline QFont crispFont(const QString &family, int pixelHeight, bool bold = false)
{
    QFont f = font(family, pixelHeight, bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

} // namespace formfonts
