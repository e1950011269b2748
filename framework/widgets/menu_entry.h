#pragma once

#include <QAction>

namespace ui {

// A menu entry whose enabled state is its own. QAction reports a hidden action as
// disabled; the program's commands read "enabled" regardless of visibility (a hidden
// entry can be enabled and becomes usable the moment it is shown).
class MenuEntry : public QAction {
    Q_OBJECT
public:
    MenuEntry(const QIcon &glyph, const QString &caption, QObject *parent)
        : QAction(glyph, caption, parent)
    {
    }

    bool isEntryEnabled() const { return m_enabled; }
    void setEntryEnabled(bool enabled)
    {
        m_enabled = enabled;
        setEnabled(enabled);
    }

private:
    bool m_enabled = true;
};

} // namespace ui
