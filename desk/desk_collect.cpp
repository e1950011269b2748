#include "collection_dialog.h"
#include "desk_window.h"
#include "widgets/dialogs.h"

namespace desk {

CollectionFactory &collectionFactory()
{
    static CollectionFactory factory;
    return factory;
}

void DeskWindow::collect()
{
    // One collection at a time: a second would only open other ports for the same folders.
    if (m_collection) {
        m_collection->show();
        m_collection->raise();
        m_collection->activateWindow();
        return;
    }
    const QString caption = QStringLiteral("Сбор ответов по сети");
    if (!collectionFactory()) {
        ui::Dialogs::instance().showError(
            this, caption,
            QStringLiteral("Эта сборка программы не умеет собирать ответы по сети."));
        return;
    }
    auto *dialog = new CollectionDialog(collectionFactory()(),
                                        collectionPlan(m_loader.folder(), m_survey.get()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_collection = dialog;
    dialog->show();
}

} // namespace desk
