#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

// The collection as the main window's status bar shows it while its dialog is closed.
namespace desk {

class CollectionRun;

// "Сбор ответов: 3 ссылки, 12 ответов".
QString collectionSummary(int links, int answers);

// True when `run` may end: nothing runs, or the consultant said yes to `question` (the
// collection's effect told after it). Asked through the dialogs' seam.
bool mayEndCollection(QWidget *parent, const CollectionRun *run, const QString &question);

// The summary and «Остановить», shown while the run is starting or running.
class CollectionStatus : public QWidget {
    Q_OBJECT
public:
    explicit CollectionStatus(QWidget *parent = nullptr);

    void follow(CollectionRun *run);
    QString text() const;

signals:
    void stopClicked();
    void linksClicked(); // the dialog with the links and codes wanted again

private:
    void refresh();

    QPointer<CollectionRun> m_run;
    QPushButton *m_summary;
    QPushButton *m_stop;
};

} // namespace desk
