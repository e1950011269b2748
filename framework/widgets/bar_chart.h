#pragma once

#include "charts/bar_chart_model.h"

#include <QFrame>
#include <QImage>
#include <QLocale>

namespace ui {

// The bar-chart control: shows its model as renderBarChart paints it at the control's size.
// The tooltip is QWidget's; a "tag" dynamic property may carry the chart's identity.
class BarChart : public QFrame {
    Q_OBJECT
public:
    explicit BarChart(QWidget *parent = nullptr);

    // Call redraw() after changing the model directly.
    BarChartModel &model();
    const BarChartModel &model() const { return m_model; }
    BarSeries &series(int index); // model().series[index], appended with defaults if missing

    void redraw(); // schedule a repaint with the current model
    // The chart exactly as shown at the widget's current size.
    QImage image() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    BarChartModel m_model;
    // The last rendering and what it was rendered for.
    mutable QImage m_cache;
    mutable QLocale m_cacheLocale;
    mutable bool m_cacheValid = false;
};

} // namespace ui
