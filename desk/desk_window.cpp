#include "desk/desk_window.h"

#include "desk/compare_view.h"
#include "desk/documents.h"
#include "desk/group_view.h"
#include "desk/job_bar.h"
#include "desk/respondent_table.h"
#include "desk/title.h"
#include "documents/anonymity.h"
#include "shell/desktop_shell.h"
#include "survey/respondent_codes.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace desk {
namespace {

constexpr int kAllGroups = -1;
constexpr int kRecentCount = 8;
const QString kAllGroupsName = QStringLiteral("Все вместе");

// After the counts, where codes repeat: how many files repeat one and how many people the
// floor counts.
QString repeatsText(const Group &group)
{
    if (group.repeats() == 0)
        return QString();
    return QStringLiteral("; %1: %2 (разных респондентов: %3)")
        .arg(survey::kCodeRepeatMark)
        .arg(group.repeats())
        .arg(group.result.people());
}

// "✖" in red for a group that cannot be read whole (its folder, or a counted file), "⚠" for
// one whose files the reading warns of, "⚠ повтор кода" for one where a code answered twice;
// an excluded file marks nothing, being left out.
void markGroup(QListWidgetItem &item, const Group &group)
{
    QStringList why{QDir::toNativeSeparators(group.folder)};
    QString marks;
    if (!group.problem.isEmpty()) {
        marks += QStringLiteral(" ✖");
        why = QStringList{group.problem};
    } else if (const int damaged = group.damaged(); damaged > 0) {
        marks += QStringLiteral(" ✖");
        why << QStringLiteral("✖ Не читаются файлов: %1").arg(damaged);
    }
    if (const int warned = group.warned(); warned > 0 && group.problem.isEmpty()) {
        marks += QStringLiteral(" ⚠");
        why << QStringLiteral("⚠ С предупреждениями при чтении файлов: %1").arg(warned);
    }
    if (const int repeats = group.repeats(); repeats > 0 && group.problem.isEmpty()) {
        // One "⚠" before the marks, however many reasons.
        marks += marks.endsWith(QStringLiteral("⚠"))
                     ? QStringLiteral(" ") + survey::kCodeRepeatMark
                     : QStringLiteral(" ⚠ ") + survey::kCodeRepeatMark;
        why << QStringLiteral("⚠ Файлов с кодом, который уже есть в группе: %1. Все они учтены в "
                              "оценках; порог анонимности считает разных респондентов: %2.")
                   .arg(repeats)
                   .arg(group.result.people());
    }
    item.setText(item.text() + marks);
    item.setToolTip(why.join(QLatin1Char('\n')));
    if (marks.contains(QStringLiteral("✖")))
        item.setForeground(QColor(192, 0, 0));
}

} // namespace

DeskWindow::DeskWindow(shell::DesktopShell &shell, QWidget *parent)
    : QMainWindow(parent), m_shell(shell)
{
    buildLayout();
    buildActions();
    connect(&m_loader, &SurveyLoader::surveyChanged, this, &DeskWindow::surveyChanged);
    connect(&m_mover, &FileMover::finished, this, &DeskWindow::movesDone);
    connect(&m_loader, &SurveyLoader::loadStarted, this, [this] {
        if (!m_survey)
            statusBar()->showMessage(QStringLiteral("Загружается «%1»…")
                                         .arg(QDir::toNativeSeparators(m_loader.folder())));
    });
    QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray())) {
        // A 1024 x 768 screen less its taskbar and the window's frame still holds all of it.
        QSize size(1024, 700);
        if (const QScreen *screen = this->screen())
            size = size.boundedTo(screen->availableGeometry().size() * 0.95);
        resize(size);
    }
    updateTitle();
    updateActions();
}

void DeskWindow::buildLayout()
{
    m_groups = new QListWidget;
    m_groups->setAccessibleName(QStringLiteral("Группы опроса"));
    m_groups->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_groups->setMinimumWidth(180);
    connect(m_groups, &QListWidget::currentRowChanged, this, [this](int row) {
        const Group *group = groupAt(row);
        m_selectedFolder = group ? group->folder : QString();
        showSelectedGroup();
    });
    auto *groupsLabel = new QLabel(QStringLiteral("Гр&уппы:"));
    groupsLabel->setBuddy(m_groups);
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(groupsLabel);
    leftLayout->addWidget(m_groups);

    m_table = new RespondentTable(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_table);
    m_sorted->setSortRole(Qt::UserRole);
    m_tableView = new QTableView;
    m_tableView->setModel(m_sorted);
    m_tableView->setAccessibleName(QStringLiteral("Респонденты группы"));
    m_tableView->setSortingEnabled(true);
    m_tableView->sortByColumn(RespondentTable::File, Qt::AscendingOrder);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->verticalHeader()->hide();
    // One line per respondent, whatever the free text holds: ten thousand rows stay quick.
    m_tableView->setWordWrap(false);
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_tableView->horizontalHeader()->setDefaultSectionSize(7 * digit);
    m_tableView->setColumnWidth(RespondentTable::Code, 10 * digit);
    m_tableView->setColumnWidth(RespondentTable::FreeText, 28 * digit);
    m_tableView->setColumnWidth(RespondentTable::Date, 11 * digit);
    m_tableView->setColumnWidth(RespondentTable::Duration, 14 * digit);
    // A file name of the longest code and a second file's "-2" whole.
    m_tableView->setColumnWidth(RespondentTable::File, 30 * digit);
    // No heading cut ("Состояние" and its sort mark wider than its words).
    QHeaderView *header = m_tableView->horizontalHeader();
    for (int column = 0; column < RespondentTable::Count; ++column)
        m_tableView->setColumnWidth(
            column, std::max(m_tableView->columnWidth(column), header->sectionSizeHint(column)));
    // A damaged file's reason over the empty cells of its row, whole.
    connect(m_sorted, &QAbstractItemModel::modelReset, this, &DeskWindow::spanReasons);
    connect(m_sorted, &QAbstractItemModel::layoutChanged, this, &DeskWindow::spanReasons);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DeskWindow::updateActions);
    // A damaged file's whole reason, which its cell may cut, or a file's warnings without the
    // mouse their tooltip needs.
    connect(m_tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                const Respondent &r = m_table->respondent(m_sorted->mapToSource(current).row());
                if (!r.problem.isEmpty())
                    statusBar()->showMessage(
                        QStringLiteral("«%1» не читается: %2").arg(r.row.fileName, r.problem));
                else if (!r.warnings.isEmpty())
                    statusBar()->showMessage(
                        QStringLiteral("«%1»: %2")
                            .arg(r.row.fileName, r.warnings.join(QStringLiteral("; "))));
            });
    m_counts = new QLabel;
    auto *exclude = new QPushButton(QStringLiteral("&Исключить"));
    auto *restore = new QPushButton(QStringLiteral("&Вернуть"));
    exclude->setAccessibleName(QStringLiteral("Исключить выбранные файлы"));
    restore->setAccessibleName(QStringLiteral("Вернуть выбранные файлы"));
    connect(exclude, &QPushButton::clicked, this, &DeskWindow::excludeSelected);
    connect(restore, &QPushButton::clicked, this, &DeskWindow::returnSelected);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_counts, 1);
    buttons->addWidget(exclude);
    buttons->addWidget(restore);
    auto *respondents = new QWidget;
    auto *respondentsLayout = new QVBoxLayout(respondents);
    respondentsLayout->addWidget(m_tableView);
    respondentsLayout->addLayout(buttons);

    m_view = new GroupView;
    m_view->setAccessibleName(QStringLiteral("Вид группы"));
    m_view->insertTab(0, respondents, QStringLiteral("&Респонденты"));
    m_view->setCurrentIndex(0);
    m_compare = new CompareView;
    m_view->addTab(m_compare, QStringLiteral("Сравн&ение"));
    connect(m_compare, &CompareView::otherChanged, this, &DeskWindow::showSelectedGroup);

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 800});
    setCentralWidget(splitter);

    m_jobs = new JobBar;
    m_openDocument = new QPushButton(QStringLiteral("Открыть документ"));
    m_openDocument->setAccessibleName(QStringLiteral("Открыть записанный документ"));
    m_openDocument->hide();
    connect(m_openDocument, &QPushButton::clicked, this,
            [this] { m_shell.openPath(m_lastDocument); });
    statusBar()->addPermanentWidget(m_openDocument);
    statusBar()->addPermanentWidget(m_jobs);
    connect(m_jobs, &JobBar::busyChanged, this, &DeskWindow::updateActions);
}

void DeskWindow::openSurvey(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir()) {
        statusBar()->showMessage(
            QStringLiteral("Папка «%1» не найдена.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    if (!leaveCollection(info.absoluteFilePath()))
        return;
    m_survey.reset();
    m_surveyMessage.clear();
    m_selectedFolder.clear();
    m_groups->clear();
    m_table->setRespondents({});
    m_tableFolder.clear();
    m_openDocument->hide();
    rememberRecent(info.absoluteFilePath());
    m_loader.open(info.absoluteFilePath());
    updateTitle();
    updateActions();
}

void DeskWindow::openAtStart(const QString &given)
{
    if (!given.isEmpty()) {
        openSurvey(given);
        return;
    }
    const QStringList recent = QSettings().value(QStringLiteral("recent/folders")).toStringList();
    if (recent.isEmpty() || recent.first().isEmpty())
        return;
    // A folder of a network drive not mounted yet, or moved away: no error box at start.
    if (!QFileInfo(recent.first()).isDir()) {
        statusBar()->showMessage(QStringLiteral("Папка последнего опроса «%1» не найдена. "
                                                "Откройте опрос: Ctrl+O.")
                                     .arg(QDir::toNativeSeparators(recent.first())));
        return;
    }
    openSurvey(recent.first());
}

void DeskWindow::surveyChanged()
{
    const bool first = !m_survey;
    const bool hadGroups = m_survey && !m_survey->groups.empty();
    m_survey = m_loader.survey();
    const QString keep = m_selectedFolder;
    // Several groups chosen for the workbook or the organisation report stay chosen as answers
    // arrive ("" for "Все вместе"); one selected is only the group on show, and follows it.
    QSet<QString> chosen;
    if (const QList<QListWidgetItem *> selected = m_groups->selectedItems(); selected.size() > 1)
        for (const QListWidgetItem *item : selected)
            chosen.insert(item->data(Qt::UserRole).toString());
    const QSignalBlocker blocker(m_groups);
    m_groups->clear();
    for (const Group &group : m_survey->groups) {
        // Small groups stay in the desk's own views, marked: only documents hold them back.
        QString text = QStringLiteral("%1  (%2)").arg(group.name, sizeText(group));
        auto *item = new QListWidgetItem(text, m_groups);
        item->setData(Qt::UserRole, group.folder);
        markGroup(*item, group);
    }
    new QListWidgetItem(
        QStringLiteral("%1  (N = %2)").arg(kAllGroupsName).arg(m_survey->respondents()), m_groups);
    int row = groupCount() - 1;
    for (std::size_t g = 0; g < m_survey->groups.size(); ++g)
        if (m_survey->groups[g].folder == keep)
            row = int(g);
    // One group alone is the survey: show it rather than "Все вместе", which it was only for
    // want of a group; a "Все вместе" the consultant chose stays.
    if (keep.isEmpty() && m_survey->groups.size() == 1 && !hadGroups)
        row = 0;
    QList<QListWidgetItem *> restored;
    for (int i = 0; i < m_groups->count(); ++i)
        if (chosen.contains(m_groups->item(i)->data(Qt::UserRole).toString()))
            restored << m_groups->item(i);
    if (restored.size() > 1) {
        m_groups->setCurrentRow(row, QItemSelectionModel::NoUpdate);
        for (QListWidgetItem *item : std::as_const(restored))
            item->setSelected(true);
    } else {
        m_groups->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    m_selectedFolder = groupAt(row) ? groupAt(row)->folder : QString();
    if (first) // later the splitter stays where the consultant put it
        fitGroupList();
    showSelectedGroup();
    updateTitle();
    showSurveyMessage(first);
    updateActions();
}

void DeskWindow::showSurveyMessage(bool first)
{
    QString message; // stays for as long as it holds
    if (!m_survey->problem.isEmpty())
        message = m_survey->problem;
    else if (m_survey->groups.empty())
        message = QStringLiteral("В папке пока нет файлов результатов *OCAI.cry: они появятся "
                                 "здесь, как только придут.");
    // Once it no longer holds (the first answer came, the folder is back) the counts replace
    // it; other reloads leave the status bar to what the consultant did last.
    const bool outdated =
        !m_surveyMessage.isEmpty() && statusBar()->currentMessage() == m_surveyMessage;
    if (!message.isEmpty())
        statusBar()->showMessage(message);
    else if (first || outdated)
        statusBar()->showMessage(QStringLiteral("Групп: %1, %2.")
                                     .arg(m_survey->groups.size())
                                     .arg(respondentCount(m_survey->respondents())),
                                 8000);
    m_surveyMessage = message;
}

int DeskWindow::groupCount() const
{
    return m_survey ? int(m_survey->groups.size()) + 1 : 0;
}

void DeskWindow::selectGroup(int index)
{
    // QListWidget::setCurrentRow alone adds the row to a selection of several.
    m_groups->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

const Group *DeskWindow::groupAt(int index) const
{
    if (!m_survey || index < 0 || index >= int(m_survey->groups.size()))
        return nullptr;
    return &m_survey->groups[std::size_t(index)];
}

Group DeskWindow::currentGroup() const
{
    if (const Group *group = groupAt(m_groups->currentRow()))
        return *group;
    return m_survey ? allGroups() : Group{};
}

Group DeskWindow::allGroups() const
{
    // Documents name it by the survey: "Группа «Опрос 2026» (все группы)".
    return combinedGroup(
        m_survey ? m_survey->groups : std::vector<Group>{},
        QStringLiteral("%1 (все группы)").arg(QFileInfo(m_loader.folder()).fileName()));
}

std::vector<Group> DeskWindow::selectedGroups() const
{
    std::vector<Group> groups;
    if (!m_survey)
        return groups;
    for (const QListWidgetItem *item : m_groups->selectedItems())
        if (const Group *group = groupAt(m_groups->row(item)))
            groups.push_back(*group);
    // Nothing chosen, or "Все вместе" among the chosen: every group.
    if (groups.empty() || groups.size() < std::size_t(m_groups->selectedItems().size()))
        groups = m_survey->groups;
    return groups;
}

void DeskWindow::showSelectedGroup()
{
    const Group group = currentGroup();
    // The same group again (a reload) keeps the reader's place; another starts at the top.
    const bool same = group.folder == m_tableFolder && m_table->rowCount() > 0;
    m_tableFolder = group.folder;
    if (same)
        showRespondents(group.respondents);
    else
        m_table->setRespondents(group.respondents);
    int excluded = 0;
    for (const Respondent &respondent : group.respondents)
        excluded += respondent.excluded;
    m_counts->setText(!group.problem.isEmpty()
                          ? group.problem
                          : QStringLiteral("Учтено: %1; повреждено: %2; исключено: %3; "
                                           "с предупреждениями: %4")
                                    .arg(group.result.n)
                                    .arg(group.damaged())
                                    .arg(excluded)
                                    .arg(group.warned()) +
                                repeatsText(group));
    m_view->showGroup(group);
    if (m_survey)
        m_compare->showSurvey(m_survey->groups,
                              groupAt(m_groups->currentRow()) ? m_groups->currentRow() : -1);
    updateActions();
}

void DeskWindow::spanReasons()
{
    m_tableView->clearSpans();
    for (int row = 0; row < m_sorted->rowCount(); ++row)
        if (!m_table->respondent(m_sorted->mapToSource(m_sorted->index(row, 0)).row())
                 .problem.isEmpty())
            m_tableView->setSpan(row, RespondentTable::FreeText, 1,
                                 RespondentTable::File - RespondentTable::FreeText);
}

void DeskWindow::fitGroupList()
{
    // Each group's name and marks whole, as long as the figures keep most of the window (whose
    // width is set before the splitter has laid out its sides).
    auto *splitter = qobject_cast<QSplitter *>(centralWidget());
    const QList<int> sizes = splitter->sizes();
    const int wanted = m_groups->sizeHintForColumn(0) + 2 * m_groups->frameWidth() +
                       m_groups->verticalScrollBar()->sizeHint().width();
    const int width = std::min(wanted, this->width() * 2 / 5);
    if (sizes.size() == 2 && sizes[0] < width)
        splitter->setSizes({width, std::max(sizes[0] + sizes[1] - width, 1)});
}

void DeskWindow::showRespondents(const std::vector<Respondent> &respondents)
{
    // Answers arriving while the consultant reads the table leave the selection and the
    // scrolled place as they were.
    QSet<QString> selected;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows())
        selected.insert(m_table->respondent(m_sorted->mapToSource(index).row()).path);
    const int scrolled = m_tableView->verticalScrollBar()->value();
    m_table->setRespondents(respondents);
    QItemSelection selection;
    for (int row = 0; row < m_table->rowCount() && !selected.isEmpty(); ++row)
        if (selected.contains(m_table->respondent(row).path))
            selection.select(m_table->index(row, 0),
                             m_table->index(row, RespondentTable::Count - 1));
    m_tableView->selectionModel()->select(m_sorted->mapSelectionFromSource(selection),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_tableView->verticalScrollBar()->setValue(scrolled);
}

void DeskWindow::updateTitle()
{
    const QString folder = m_loader.folder();
    setWindowTitle(desk::windowTitle(folder.isEmpty() ? QString() : QFileInfo(folder).fileName(),
                                     m_survey ? m_survey->respondents() : 0));
}

void DeskWindow::rememberRecent(const QString &folder)
{
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("recent/folders")).toStringList();
    recent.removeAll(folder);
    recent.prepend(folder);
    settings.setValue(QStringLiteral("recent/folders"), recent.mid(0, kRecentCount));
    refillRecent();
}

void DeskWindow::closeEvent(QCloseEvent *event)
{
    if (!leaveCollection(QString())) {
        event->ignore();
        return;
    }
    QSettings().setValue(QStringLiteral("window/geometry"), saveGeometry());
    QMainWindow::closeEvent(event);
}

} // namespace desk
