#include "desk/desk_window.h"

#include "desk/respondent_table.h"
#include "widgets/dialogs.h"

#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>

namespace desk {

void DeskWindow::excludeSelected()
{
    moveSelected(true);
}

void DeskWindow::returnSelected()
{
    moveSelected(false);
}

void DeskWindow::moveSelected(bool exclude)
{
    if (m_mover.busy()) {
        statusBar()->showMessage(QStringLiteral("Файлы ещё перемещаются: подождите немного."),
                                 8000);
        return;
    }
    // Each file as the table shows it: one that changed since is left where it is.
    QList<SeenFile> files;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows()) {
        const Respondent &r = m_table->respondent(m_sorted->mapToSource(index).row());
        if (r.excluded != exclude)
            files << seenFile(r);
    }
    if (files.isEmpty()) {
        statusBar()->showMessage(exclude ? QStringLiteral("Выберите в таблице учтённые или "
                                                          "повреждённые файлы, чтобы исключить их.")
                                         : QStringLiteral("Выберите в таблице исключённые файлы, "
                                                          "чтобы вернуть их."),
                                 8000);
        return;
    }
    statusBar()->showMessage(exclude ? QStringLiteral("Файлы исключаются…")
                                     : QStringLiteral("Файлы возвращаются…"));
    m_loader.hold();
    m_mover.move(files, exclude);
}

void DeskWindow::movesDone(const MoveReport &report)
{
    statusBar()->showMessage(report.exclude
                                 ? QStringLiteral("Исключено файлов: %1 (они перенесены в "
                                                  "папку «%2» группы).")
                                       .arg(report.moved)
                                       .arg(excludedFolderName())
                                 : QStringLiteral("Возвращено файлов: %1.").arg(report.moved),
                             8000);
    // Before the dialog, which waits for the consultant: the table shows where files are now.
    m_loader.rescan(report.folders);
    if (!report.problems.isEmpty())
        ui::Dialogs::instance().showError(this, QStringLiteral("Файлы не перемещены"),
                                          report.problems.join(QLatin1Char('\n')));
}

} // namespace desk
