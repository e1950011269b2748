#pragma once

#include "collection.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QPushButton;
class QTabWidget;

namespace desk {

// The running collection: each link with its QR code, large enough for a projector, the
// answers counted as they arrive, and "Остановить". Closing the window stops it too.
class CollectionDialog : public QDialog {
    Q_OBJECT
public:
    CollectionDialog(std::unique_ptr<Collection> collection, const QList<CollectionLink> &links,
                     QWidget *parent = nullptr);
    ~CollectionDialog() override;

    int answers(const QString &group) const { return m_counts.value(group); }
    bool running() const { return m_running; }
    void stop();

protected:
    void done(int result) override;

private:
    QWidget *linkPage(const CollectionLink &link);
    void written(const QString &group);

    std::unique_ptr<Collection> m_collection;
    QTabWidget *m_links;
    QLabel *m_status;
    QPushButton *m_stop;
    QMap<QString, int> m_counts;
    QMap<QString, QLabel *> m_countLabels;
    bool m_running = true;
};

} // namespace desk
