#pragma once

#include "desk/collection_groups.h"
#include "desk/collection_run.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;

namespace desk {

// The collection's window. First the groups, as the survey has them or as the consultant types
// them for a new one, whether the survey folder itself gets a link, the port and the network;
// then, started, each link with its QR code,
// large enough for a projector, and the answers counted as they arrive. The collection is the
// survey's: closing the window only hides it.
class CollectionDialog : public QDialog {
    Q_OBJECT
public:
    // `run` outlives the dialog.
    CollectionDialog(CollectionRun &run, const CollectionPlan &plan, QWidget *parent = nullptr);

    // Starts with the groups, port and network chosen; false, the reason shown, when the groups
    // or the folder's link are refused. Whether the start itself succeeds, the run tells later.
    bool start();
    // Asks, then starts again with a new secret: the survey's old links and codes stop working.
    void makeNewLink();
    // Asks, then stops.
    void stop();

private:
    QWidget *setupPage();
    void fillNetworks();
    void showPlan();
    void showState(CollectionRun::State state);
    void showLinks();
    QWidget *linkPage(const CollectionLink &link);
    QString shownName(const QString &group) const;
    void counted(const QString &group, int answers);
    bool startWith(bool newLink);
    void growForCodes();

    CollectionRun &m_run;
    CollectionPlan m_plan;
    QStackedWidget *m_pages;
    QLineEdit *m_groups;
    QCheckBox *m_folderLink;
    QLabel *m_planText;
    QSpinBox *m_port;
    QComboBox *m_network;
    QTabWidget *m_links;
    QLabel *m_status;
    QPushButton *m_start;
    QPushButton *m_newLink;
    QPushButton *m_stop;
    QMap<QString, QLabel *> m_countLabels;
    bool m_grown = false;
};

} // namespace desk
