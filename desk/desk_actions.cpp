#include "desk/desk_window.h"

#include "desk/compare_view.h"
#include "desk/group_view.h"
#include "desk/job_bar.h"
#include "desk/respondent_table.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QToolBar>

namespace desk {

void DeskWindow::buildActions()
{
    QStyle *style = QApplication::style();
    const auto add = [this](QMenu *menu, const QString &text, const QKeySequence &keys, auto slot) {
        QAction *action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction *open = add(file, QStringLiteral("&Открыть папку опроса…"),
                        QKeySequence(Qt::CTRL | Qt::Key_O), &DeskWindow::chooseSurvey);
    open->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
    m_recent = file->addMenu(QStringLiteral("&Недавние папки"));
    refillRecent();
    QAction *showFolder =
        add(file, QStringLiteral("Открыть &папку в проводнике"), {}, &DeskWindow::openSurveyFolder);
    file->addSeparator();
    add(file, QStringLiteral("В&ыход"), QKeySequence(Qt::CTRL | Qt::Key_Q), &QWidget::close);

    QMenu *group = menuBar()->addMenu(QStringLiteral("&Группа"));
    m_exclude = add(group, QStringLiteral("&Исключить"), QKeySequence(Qt::Key_Delete),
                    &DeskWindow::excludeSelected);
    m_return = add(group, QStringLiteral("&Вернуть"), QKeySequence(Qt::CTRL | Qt::Key_R),
                   &DeskWindow::returnSelected);
    group->addSeparator();
    QAction *compare =
        add(group, QStringLiteral("&Сравнить с…"), QKeySequence(Qt::CTRL | Qt::Key_K), [this] {
            m_view->setCurrentWidget(m_compare);
            m_compare->focusChoice();
        });

    QMenu *documents = menuBar()->addMenu(QStringLiteral("&Документы"));
    QAction *pdf = add(documents, QStringLiteral("&PDF-отчёт…"), QKeySequence(Qt::CTRL | Qt::Key_P),
                       &DeskWindow::writeProfilePdf);
    pdf->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    QAction *comparison = add(documents, QStringLiteral("&Сравнительный отчёт…"), {},
                              &DeskWindow::writeComparisonPdf);
    QAction *organisation = add(documents, QStringLiteral("Отчёт по &организации…"), {},
                                &DeskWindow::writeOrganisationPdf);
    organisation->setStatusTip(QStringLiteral("Один отчёт о трёх группах и больше, выбранных в "
                                              "списке групп («Все вместе» — обо всех)"));
    QAction *excel = add(documents, QStringLiteral("&Excel…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                         &DeskWindow::writeWorkbook);
    excel->setIcon(style->standardIcon(QStyle::SP_FileDialogDetailedView));
    QAction *text =
        add(documents, QStringLiteral("&Текстовый отчёт…"), {}, &DeskWindow::writeTextReport);
    documents->addSeparator();
    documents->addAction(showFolder);
    QAction *title =
        add(documents, QStringLiteral("&Заголовок отчёта…"), {}, [this] { askReportTitle(true); });

    QMenu *network = menuBar()->addMenu(QStringLiteral("С&бор"));
    QAction *collect = add(network, QStringLiteral("Собрать ответы по &сети…"),
                           QKeySequence(Qt::CTRL | Qt::Key_N), &DeskWindow::collect);
    collect->setIcon(style->standardIcon(QStyle::SP_DriveNetIcon));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Спр&авка"));
    add(help, QStringLiteral("&О программе"), QKeySequence(Qt::Key_F1), &DeskWindow::showAbout);

    QToolBar *bar = addToolBar(QStringLiteral("Главная"));
    bar->setObjectName(QStringLiteral("main-toolbar"));
    bar->setAccessibleName(QStringLiteral("Панель инструментов"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(open);
    bar->addSeparator();
    bar->addAction(pdf);
    bar->addAction(excel);
    bar->addAction(compare);
    bar->addSeparator();
    bar->addAction(collect);

    m_surveyActions = {showFolder, compare, pdf,   comparison, organisation,
                       excel,      text,    title, collect};
    m_documentActions = {pdf, comparison, organisation, excel, text};
    m_tableView->addActions({m_exclude, m_return});
    m_tableView->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_exclude->setShortcutContext(Qt::WidgetWithChildrenShortcut);
}

void DeskWindow::refillRecent()
{
    if (!m_recent)
        return;
    m_recent->clear();
    const QStringList folders = QSettings().value(QStringLiteral("recent/folders")).toStringList();
    for (int i = 0; i < folders.size(); ++i) {
        const QString folder = folders[i];
        QAction *action = m_recent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder)));
        connect(action, &QAction::triggered, this, [this, folder] { openSurvey(folder); });
    }
    m_recent->setEnabled(!folders.isEmpty());
}

void DeskWindow::chooseSurvey()
{
    const QString start = m_loader.folder().isEmpty() ? QDir::homePath() : m_loader.folder();
    const QString folder =
        ui::Dialogs::instance().chooseFolder(this, QStringLiteral("Открыть папку опроса"), start);
    if (!folder.isEmpty())
        openSurvey(folder);
}

void DeskWindow::updateActions()
{
    const bool open = !m_loader.folder().isEmpty();
    for (QAction *action : std::as_const(m_surveyActions))
        action->setEnabled(open);
    // A document waits for the survey's first load, and for the document in the making.
    if (m_jobs->busy() || !m_survey)
        for (QAction *action : std::as_const(m_documentActions))
            action->setEnabled(false);
    bool counted = false, excluded = false;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows()) {
        const Respondent &r = m_table->respondent(m_sorted->mapToSource(index).row());
        (r.excluded ? excluded : counted) = true;
    }
    if (m_exclude) {
        m_exclude->setEnabled(counted);
        m_return->setEnabled(excluded);
    }
}

void DeskWindow::showAbout()
{
    QMessageBox::about(
        this, QStringLiteral("О программе"),
        QStringLiteral("<h3>OCAI: анализ опроса</h3><p>Версия %1</p><p>Рабочее место "
                       "консультанта: группы опроса и их респонденты, профиль организационной "
                       "культуры по методике OCAI (К. Камерон, Р. Куинн), статистика и "
                       "документы — PDF-отчёт, сравнительный отчёт, книга Excel.</p>")
            .arg(QStringLiteral(OCAI_VERSION)));
}

} // namespace desk
