#include "status_panel.h"

#include <QLabel>

namespace ui {

StatusPanel::StatusPanel(QWidget *parent) : QStatusBar(parent), m_panel(new QLabel(this))
{
    setSizeGripEnabled(false);
    m_panel->setAlignment(Qt::AlignCenter);
    addWidget(m_panel, 1);
}

QString StatusPanel::panelText() const
{
    return m_panel->text();
}

void StatusPanel::setPanelText(const QString &text)
{
    m_panel->setText(text);
}

} // namespace ui
