#include "desk/picture_view.h"

#include <QPainter>

namespace desk {

PictureView::PictureView(const QString &accessibleName, QWidget *parent) : QWidget(parent)
{
    setAccessibleName(accessibleName);
    setMinimumSize(200, 200);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void PictureView::setPicture(const report::Picture &picture, const QString &placeholder)
{
    m_picture = picture;
    m_placeholder = placeholder;
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.paint || m_picture.size.isEmpty()) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
        return;
    }
    const QRectF area = QRectF(rect()).adjusted(8, 8, -8, -8);
    const double scale =
        std::min(area.width() / m_picture.size.width(), area.height() / m_picture.size.height());
    if (scale <= 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(area.center() -
                      QPointF(m_picture.size.width(), m_picture.size.height()) * scale / 2);
    painter.scale(scale, scale);
    m_picture.paint(painter);
}

} // namespace desk
