#include "collection_dialog.h"

#include "title.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace desk {
namespace {

// Read from across a room: at least this many pixels a side.
constexpr int kQrPixels = 420;

QString answersText(int n)
{
    return QStringLiteral("Получено ответов: %1").arg(n);
}

// Every link's count shows on its tab, whichever link the projector shows.
QString tabText(const QString &name, int n)
{
    return QStringLiteral("%1 — %2").arg(name).arg(n);
}

} // namespace

CollectionDialog::CollectionDialog(std::unique_ptr<Collection> collection,
                                   const CollectionPlan &plan, QWidget *parent)
    : QDialog(parent), m_collection(std::move(collection)), m_plan(plan),
      m_pages(new QStackedWidget), m_groups(new QLineEdit(plan.groups)), m_planText(new QLabel),
      m_links(new QTabWidget), m_status(new QLabel),
      m_start(new QPushButton(QStringLiteral("&Начать сбор"))),
      m_stop(new QPushButton(QStringLiteral("&Остановить")))
{
    setWindowTitle(QStringLiteral("Сбор ответов по сети"));
    m_links->setAccessibleName(QStringLiteral("Ссылки опроса"));
    m_pages->addWidget(setupPage());
    m_pages->addWidget(m_links);
    m_status->setWordWrap(true);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &CollectionDialog::start);
    m_stop->setAccessibleName(QStringLiteral("Остановить сбор"));
    m_stop->hide();
    connect(m_stop, &QPushButton::clicked, this, &CollectionDialog::stop);
    auto *close = new QPushButton(QStringLiteral("&Закрыть"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    connect(m_collection.get(), &Collection::answerWritten, this,
            [this](const QString &group, const QString &) { written(group); });
    connect(m_collection.get(), &Collection::writeFailed, this,
            [this](const QString &group, const QString &message) {
                m_status->setText(
                    QStringLiteral("Ответ для «%1» не записан: %2").arg(shownName(group), message));
            });
    showPlan();
    m_groups->setFocus();
    resize(560, sizeHint().height());
}

CollectionDialog::~CollectionDialog()
{
    stop();
}

QWidget *CollectionDialog::setupPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *folder = new QLabel(QStringLiteral("Папка опроса: «%1».\nКаждая группа получит свою "
                                             "ссылку, а её ответы — свою папку в папке опроса; "
                                             "ответы без группы пишутся в саму папку опроса.")
                                  .arg(QDir::toNativeSeparators(m_plan.folder)));
    folder->setWordWrap(true);
    auto *label = new QLabel(QStringLiteral("&Группы через запятую:"));
    label->setBuddy(m_groups);
    m_groups->setPlaceholderText(QStringLiteral("например: Продажи, Склад; пусто — без групп"));
    connect(m_groups, &QLineEdit::textChanged, this, &CollectionDialog::showPlan);
    m_planText->setWordWrap(true);
    m_planText->setAccessibleName(QStringLiteral("Ссылки сбора"));
    layout->addWidget(folder);
    layout->addWidget(label);
    layout->addWidget(m_groups);
    layout->addWidget(m_planText);
    layout->addStretch(1);
    return page;
}

// What starting would make, or why it cannot start, as the consultant types.
void CollectionDialog::showPlan()
{
    const auto groups = collectionGroups(m_groups->text(), m_plan.ownAnswers);
    m_start->setEnabled(!std::holds_alternative<QString>(groups));
    if (const auto *problem = std::get_if<QString>(&groups)) {
        m_planText->setStyleSheet(QStringLiteral("color: #c00000;"));
        m_planText->setText(QStringLiteral("⚠ ") + *problem);
        return;
    }
    m_planText->setStyleSheet({});
    QStringList lines;
    for (const QString &group : std::get<QStringList>(groups)) {
        const bool made = QFileInfo(QDir(m_plan.folder).filePath(group)).isDir();
        lines << (group.isEmpty()
                      ? QStringLiteral("• «%1» — сама папка опроса").arg(shownName(group))
                      : QStringLiteral("• «%1»%2")
                            .arg(group, made ? QString() : QStringLiteral(" — новая папка")));
    }
    m_planText->setText(QStringLiteral("Ссылки сбора:\n") + lines.join(u'\n'));
}

bool CollectionDialog::start()
{
    if (m_running)
        return true;
    const auto groups = collectionGroups(m_groups->text(), m_plan.ownAnswers);
    const auto *names = std::get_if<QStringList>(&groups);
    const auto started =
        names ? m_collection->start(*names, m_plan.folder)
              : std::variant<QList<CollectionLink>, QString>(std::get<QString>(groups));
    if (const auto *problem = std::get_if<QString>(&started)) {
        m_planText->setStyleSheet(QStringLiteral("color: #c00000;"));
        m_planText->setText(QStringLiteral("⚠ Сбор не начат: ") + *problem);
        return false;
    }
    for (const CollectionLink &link : std::get<QList<CollectionLink>>(started))
        m_links->addTab(linkPage(link), tabText(shownName(link.group), 0));
    m_running = true;
    m_pages->setCurrentWidget(m_links);
    // The codes need room to be read from across the room, the groups' line did not: grown
    // about the same centre, inside the screen.
    QRect frame(QPoint(), size().expandedTo(QSize(720, 680)));
    frame.moveCenter(geometry().center());
    if (const QScreen *screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        frame.setSize(frame.size().boundedTo(free.size()));
        frame.moveTopLeft({std::clamp(frame.left(), free.left(), free.right() - frame.width()),
                           std::clamp(frame.top(), free.top(), free.bottom() - frame.height())});
    }
    setGeometry(frame);
    m_start->hide();
    m_stop->show();
    m_status->setText(QStringLiteral("Сбор идёт: ответы появляются в окне опроса сразу, как "
                                     "только приходят. Остановите сбор, когда все ответят."));
    return true;
}

QWidget *CollectionDialog::linkPage(const CollectionLink &link)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    auto *url = new QLabel(link.url.toString());
    url->setFont(large);
    url->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    url->setAlignment(Qt::AlignCenter);
    url->setAccessibleName(QStringLiteral("Ссылка опроса"));
    auto *qr = new QLabel;
    qr->setAlignment(Qt::AlignCenter);
    qr->setAccessibleName(QStringLiteral("QR-код ссылки"));
    const QImage code(link.qrPng);
    if (code.isNull()) {
        qr->setText(
            QStringLiteral("QR-код не найден: %1").arg(QDir::toNativeSeparators(link.qrPng)));
    } else {
        // Whole pixels per module keep the code sharp.
        const int scale = std::max(1, kQrPixels / std::max(1, code.width()));
        qr->setPixmap(QPixmap::fromImage(
            code.scaled(code.size() * scale, Qt::KeepAspectRatio, Qt::FastTransformation)));
    }
    auto *count = new QLabel(answersText(0));
    count->setFont(large);
    count->setAlignment(Qt::AlignCenter);
    m_countLabels.insert(link.group, count);
    auto *copy = new QPushButton(QStringLiteral("&Копировать ссылку"));
    connect(copy, &QPushButton::clicked, this,
            [url = link.url] { QApplication::clipboard()->setText(url.toString()); });
    auto *folder = new QLabel(QStringLiteral("Ответы записываются в папку «%1».")
                                  .arg(QDir::toNativeSeparators(link.folder)));
    folder->setWordWrap(true);
    layout->addWidget(url);
    layout->addWidget(qr, 1);
    layout->addWidget(count);
    auto *row = new QHBoxLayout;
    row->addWidget(folder, 1);
    row->addWidget(copy);
    layout->addLayout(row);
    return page;
}

QString CollectionDialog::shownName(const QString &group) const
{
    const QString folder = QFileInfo(m_plan.folder).fileName();
    return !group.isEmpty() ? group : folder.isEmpty() ? QStringLiteral("Опрос") : folder;
}

void CollectionDialog::written(const QString &group)
{
    const int n = ++m_counts[group];
    if (QLabel *label = m_countLabels.value(group)) {
        label->setText(answersText(n));
        m_links->setTabText(m_links->indexOf(label->parentWidget()), tabText(shownName(group), n));
    }
}

void CollectionDialog::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_collection->stop();
    m_stop->setEnabled(false);
    int total = 0;
    for (int n : std::as_const(m_counts))
        total += n;
    m_status->setText(QStringLiteral("Сбор остановлен. Получено ответов: %1.").arg(total));
}

void CollectionDialog::done(int result)
{
    stop();
    QDialog::done(result);
}

} // namespace desk
