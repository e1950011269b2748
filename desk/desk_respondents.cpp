#include "desk_window.h"

#include "respondent_table.h"
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
    QStringList paths;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows()) {
        const Respondent &r = m_table->respondent(m_sorted->mapToSource(index).row());
        if (r.excluded != exclude)
            paths << r.path;
    }
    if (paths.isEmpty()) {
        statusBar()->showMessage(exclude ? QStringLiteral("Выберите в таблице учтённые или "
                                                          "повреждённые файлы, чтобы исключить их.")
                                         : QStringLiteral("Выберите в таблице исключённые файлы, "
                                                          "чтобы вернуть их."),
                                 8000);
        return;
    }
    QStringList problems;
    int moved = 0;
    for (const QString &path : std::as_const(paths)) {
        const auto done = exclude ? excludeFile(path) : returnFile(path);
        if (const auto *error = std::get_if<MoveError>(&done))
            problems << error->message;
        else
            ++moved;
    }
    statusBar()->showMessage(exclude ? QStringLiteral("Исключено файлов: %1 (они перенесены в "
                                                      "папку «%2» группы).")
                                           .arg(moved)
                                           .arg(excludedFolderName())
                                     : QStringLiteral("Возвращено файлов: %1.").arg(moved),
                             8000);
    if (!problems.isEmpty())
        ui::Dialogs::instance().showError(this, QStringLiteral("Файлы не перемещены"),
                                          problems.join(QLatin1Char('\n')));
    m_loader.rescan();
}

} // namespace desk
