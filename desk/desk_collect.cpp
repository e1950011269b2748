#include "collection_dialog.h"
#include "desk_window.h"
#include "widgets/dialogs.h"

#include <QDir>

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
    // One link per group folder; a survey of the folder's own files alone gets one link into it.
    QStringList groups;
    if (m_survey)
        for (const Group &group : m_survey->groups)
            if (group.folder != m_loader.folder())
                groups << QDir(group.folder).dirName();
    std::unique_ptr<Collection> collection = collectionFactory()();
    const auto started = collection->start(groups, m_loader.folder());
    if (const auto *problem = std::get_if<QString>(&started)) {
        ui::Dialogs::instance().showError(this, caption, *problem);
        return;
    }
    auto *dialog =
        new CollectionDialog(std::move(collection), std::get<QList<CollectionLink>>(started), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_collection = dialog;
    dialog->resize(720, 680);
    dialog->show();
}

} // namespace desk
