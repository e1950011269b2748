#include "menu_bar_style.h"

#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionMenuItem>

namespace ui {
namespace {
constexpr int kGlyphSize = 16;
constexpr int kGap = 4;
} // namespace

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &size, const QWidget *widget) const
{
    if (type == CT_MenuBarItem) {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
            item && !item->icon.isNull() && !item->text.isEmpty()) {
            const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
            const QSize both(kGlyphSize + kGap + text.width(), qMax(kGlyphSize, text.height()));
            return QProxyStyle::sizeFromContents(type, option, both, widget);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element != CE_MenuBarItem || !item || item->icon.isNull() || item->text.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // Let the style paint the item's background, then glyph and caption ourselves.
    QStyleOptionMenuItem bare = *item;
    bare.text.clear();
    bare.icon = QIcon();
    QProxyStyle::drawControl(element, &bare, painter, widget);

    const bool enabled = item->state & State_Enabled;
    const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
    const int width = kGlyphSize + kGap + text.width();
    const QRect r = item->rect;
    const int left = r.x() + (r.width() - width) / 2;
    const QRect glyph(left, r.y() + (r.height() - kGlyphSize) / 2, kGlyphSize, kGlyphSize);
    item->icon.paint(painter, glyph, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
    const QRect caption(glyph.right() + 1 + kGap, r.y(), text.width(), r.height());
    drawItemText(painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, item->palette, enabled,
                 item->text, QPalette::ButtonText);
}

void keepMenuBarHeight(QMenuBar *bar)
{
    QMenuBar probe;
    probe.setStyle(bar->style());
    probe.setFont(bar->font());
    QPixmap glyph(kGlyphSize, kGlyphSize);
    glyph.fill(Qt::transparent);
    probe.addAction(QIcon(glyph), QStringLiteral("X"));
    bar->setFixedHeight(probe.sizeHint().height());
}

} // namespace ui
