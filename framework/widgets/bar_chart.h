#pragma once

#include <QFrame>
#include <QString>

namespace ui {

// The bar-chart control: a title above and a foot text below the plot area. Series and
// axes are added by the charts that need them.
class BarChart : public QFrame {
    Q_OBJECT
public:
    explicit BarChart(QWidget *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString footText() const { return m_foot; }
    void setFootText(const QString &foot);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_title;
    QString m_foot;
};

} // namespace ui
