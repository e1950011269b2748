#pragma once

#include <QProxyStyle>

class QMenuBar;

namespace ui {

// Menu-bar entries with a glyph show the glyph and the caption side by side; Qt's own
// styles would show the glyph alone.
class MenuBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
};

// Fixes the bar's height at what it takes with glyph-carrying entries, so that neither an
// empty bar collapses nor showing entries later moves the client area down.
void keepMenuBarHeight(QMenuBar *bar);

} // namespace ui
