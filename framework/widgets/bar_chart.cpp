#include "bar_chart.h"

#include <QPainter>

namespace ui {

BarChart::BarChart(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void BarChart::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void BarChart::setFootText(const QString &foot)
{
    m_foot = foot;
    update();
}

void BarChart::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    const QRect area = contentsRect().adjusted(4, 4, -4, -4);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_title);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, m_foot);
}

void BarChart::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}

} // namespace ui
