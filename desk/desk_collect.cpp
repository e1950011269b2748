#include "desk/collection_dialog.h"
#include "desk/collection_status.h"
#include "desk/desk_window.h"
#include "widgets/dialogs.h"

#include <QFileInfo>
#include <QStatusBar>

namespace desk {

CollectionFactory &collectionFactory()
{
    static CollectionFactory factory;
    return factory;
}

DeskWindow::~DeskWindow()
{
    // Stopped while the window is whole: the collection's last word still finds it.
    endCollection();
}

void DeskWindow::collect()
{
    // One collection per survey: a second would only open other ports for the same folders.
    if (!m_collectionRun) {
        if (!collectionFactory()) {
            ui::Dialogs::instance().showError(
                this, QStringLiteral("Сбор ответов по сети"),
                QStringLiteral("Эта сборка программы не умеет собирать ответы по сети."));
            return;
        }
        m_collectionRun = std::make_unique<CollectionRun>(collectionFactory()());
        if (!m_collectionStatus) {
            m_collectionStatus = new CollectionStatus;
            statusBar()->addPermanentWidget(m_collectionStatus);
            connect(m_collectionStatus, &CollectionStatus::linksClicked, this,
                    &DeskWindow::collect);
            connect(m_collectionStatus, &CollectionStatus::stopClicked, this, [this] {
                if (mayEndCollection(this, m_collectionRun.get(),
                                     QStringLiteral("Остановить сбор ответов?")))
                    m_collectionRun->stop();
            });
        }
        m_collectionStatus->follow(m_collectionRun.get());
    }
    if (!m_collectionDialog)
        m_collectionDialog =
            new CollectionDialog(*m_collectionRun, collectionPlan(m_loader.folder()), this);
    m_collectionDialog->show();
    m_collectionDialog->raise();
    m_collectionDialog->activateWindow();
}

bool DeskWindow::leaveCollection(const QString &next)
{
    if (!next.isEmpty() && next == m_loader.folder())
        return true; // the same survey again: its collection goes on
    const QString question =
        next.isEmpty()
            ? QStringLiteral("Идёт сбор ответов. Остановить его и закрыть окно?")
            : QStringLiteral("Идёт сбор ответов в «%1». Остановить его и открыть «%2»?")
                  .arg(QFileInfo(m_loader.folder()).fileName(), QFileInfo(next).fileName());
    if (!mayEndCollection(this, m_collectionRun.get(), question))
        return false;
    endCollection();
    return true;
}

void DeskWindow::endCollection()
{
    delete m_collectionDialog;
    if (m_collectionStatus)
        m_collectionStatus->follow(nullptr);
    m_collectionRun.reset();
}

} // namespace desk
