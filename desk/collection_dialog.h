#pragma once

#include "collection.h"
#include "collection_groups.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;

namespace desk {

// The collection's window. First the groups, as the survey has them or as the consultant types
// them for a new one; then, started, each link with its QR code, large enough for a projector,
// the answers counted as they arrive, and "Остановить". Closing the window stops it too.
class CollectionDialog : public QDialog {
    Q_OBJECT
public:
    CollectionDialog(std::unique_ptr<Collection> collection, const CollectionPlan &plan,
                     QWidget *parent = nullptr);
    ~CollectionDialog() override;

    // Starts with the groups typed; false, the reason shown, when they or the start fail.
    bool start();
    int answers(const QString &group) const { return m_counts.value(group); }
    bool running() const { return m_running; }
    void stop();

protected:
    void done(int result) override;

private:
    QWidget *setupPage();
    void showPlan();
    QWidget *linkPage(const CollectionLink &link);
    QString shownName(const QString &group) const;
    void written(const QString &group);

    std::unique_ptr<Collection> m_collection;
    CollectionPlan m_plan;
    QStackedWidget *m_pages;
    QLineEdit *m_groups;
    QLabel *m_planText;
    QTabWidget *m_links;
    QLabel *m_status;
    QPushButton *m_start;
    QPushButton *m_stop;
    QMap<QString, int> m_counts;
    QMap<QString, QLabel *> m_countLabels;
    bool m_running = false;
};

} // namespace desk
