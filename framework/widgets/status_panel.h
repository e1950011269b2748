#pragma once

#include <QStatusBar>

class QLabel;

namespace ui {

// A status bar with one panel across its whole width, text centred, no size grip.
class StatusPanel : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget *parent = nullptr);

    QString panelText() const;
    void setPanelText(const QString &text);

private:
    QLabel *m_panel;
};

} // namespace ui
