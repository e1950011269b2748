#include "bar_chart.h"

#include <QPainter>

namespace ui {

BarChart::BarChart(QWidget *parent) : QFrame(parent)
{
    // The rendering covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BarChartModel &BarChart::model()
{
    // The caller may change anything; the next image() or paint renders afresh.
    m_cacheValid = false;
    return m_model;
}

BarSeries &BarChart::series(int index)
{
    // A series asked for by number exists from then on.
    BarChartModel &chart = model();
    while (chart.series.size() <= index)
        chart.series.append(BarSeries());
    return chart.series[index];
}

void BarChart::redraw()
{
    m_cacheValid = false;
    update();
}

QImage BarChart::image() const
{
    const QLocale locale;
    if (!m_cacheValid || m_cache.size() != size() || m_cacheLocale != locale) {
        m_cache = renderBarChart(m_model, size(), locale);
        m_cacheLocale = locale;
        m_cacheValid = true;
    }
    return m_cache;
}

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image());
}

void BarChart::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}

} // namespace ui
