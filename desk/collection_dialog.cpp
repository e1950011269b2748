#include "desk/collection_dialog.h"

#include "desk/collection_status.h"
#include "web/network_addresses.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace desk {
namespace {

// Read from across a room: at least this many pixels a side.
constexpr int kQrPixels = 420;
constexpr int kAddressRole = Qt::UserRole;
constexpr int kInterfaceRole = Qt::UserRole + 1;
const QString kNetworkKey = QStringLiteral("collection/network");

QString answersText(int n)
{
    return QStringLiteral("Получено ответов: %1").arg(n);
}

// Every link's count shows on its tab, whichever link the projector shows.
QString tabText(const QString &name, int n)
{
    return QStringLiteral("%1 — %2").arg(name).arg(n);
}

void showProblem(QLabel *label, const QString &text)
{
    label->setStyleSheet(QStringLiteral("color: #c00000;"));
    label->setText(QStringLiteral("⚠ ") + text);
}

} // namespace

CollectionDialog::CollectionDialog(CollectionRun &run, const CollectionPlan &plan, QWidget *parent)
    : QDialog(parent), m_run(run), m_plan(plan), m_pages(new QStackedWidget),
      m_groups(new QLineEdit(plan.groups)),
      m_folderLink(new QCheckBox(QStringLiteral("Ссылка и для ответов &без группы (в саму папку "
                                                "опроса)"))),
      m_planText(new QLabel), m_port(new QSpinBox), m_network(new QComboBox),
      m_links(new QTabWidget), m_status(new QLabel),
      m_start(new QPushButton(QStringLiteral("&Начать сбор"))),
      m_newLink(new QPushButton(QStringLiteral("Новая &ссылка…"))),
      m_stop(new QPushButton(QStringLiteral("&Остановить")))
{
    setWindowTitle(QStringLiteral("Сбор ответов по сети"));
    m_links->setAccessibleName(QStringLiteral("Ссылки опроса"));
    m_pages->addWidget(setupPage());
    m_pages->addWidget(m_links);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText); // names groups, which may look like markup
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &CollectionDialog::start);
    m_newLink->setToolTip(
        QStringLiteral("Прежние ссылки и QR-коды этой папки перестанут работать"));
    connect(m_newLink, &QPushButton::clicked, this, &CollectionDialog::makeNewLink);
    m_stop->setAccessibleName(QStringLiteral("Остановить сбор"));
    connect(m_stop, &QPushButton::clicked, this, &CollectionDialog::stop);
    auto *close = new QPushButton(QStringLiteral("&Закрыть"));
    close->setToolTip(QStringLiteral("Окно закроется, сбор продолжится"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_newLink);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    connect(&m_run, &CollectionRun::stateChanged, this, &CollectionDialog::showState);
    connect(&m_run, &CollectionRun::startFailed, this, [this](const QString &reason) {
        showProblem(m_planText, QStringLiteral("Сбор не начат: ") + reason);
    });
    connect(&m_run, &CollectionRun::answerCounted, this, &CollectionDialog::counted);
    connect(&m_run, &CollectionRun::writeFailed, this,
            [this](const QString &group, const QString &message) {
                m_status->setText(
                    QStringLiteral("Ответ для «%1» не записан: %2").arg(shownName(group), message));
            });
    showPlan();
    showState(m_run.state());
    m_groups->setFocus();
    resize(600, sizeHint().height());
}

QWidget *CollectionDialog::setupPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *folder = new QLabel(QStringLiteral("Папка опроса: «%1».\nКаждая группа получает свою "
                                             "ссылку, одну и ту же при каждом запуске, а её "
                                             "ответы — свою папку в папке опроса.")
                                  .arg(QDir::toNativeSeparators(m_plan.folder)));
    folder->setWordWrap(true);
    folder->setTextFormat(Qt::PlainText);
    auto *label = new QLabel(QStringLiteral("&Группы через запятую:"));
    label->setBuddy(m_groups);
    m_groups->setPlaceholderText(QStringLiteral("например: Продажи, Склад; пусто — без групп"));
    connect(m_groups, &QLineEdit::textChanged, this, &CollectionDialog::showPlan);
    // Off unless asked for: an answer meant for a group must never land beside the groups.
    m_folderLink->setToolTip(QStringLiteral("Без групп ссылка одна и пишет в саму папку опроса"));
    connect(m_folderLink, &QCheckBox::toggled, this, &CollectionDialog::showPlan);
    m_planText->setWordWrap(true);
    m_planText->setTextFormat(Qt::PlainText); // folder names, which may look like markup
    m_planText->setAccessibleName(QStringLiteral("Ссылки сбора"));
    // The folder's own port by default: its links, its codes and the firewall's rule stay valid.
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(QStringLiteral("любой свободный"));
    m_port->setValue(m_plan.port);
    m_port->setAccessibleName(QStringLiteral("Порт"));
    fillNetworks();
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("&Порт:"), m_port);
    form->addRow(QStringLiteral("С&еть:"), m_network);
    auto *hint = new QLabel(QStringLiteral("Порт и ссылки запоминаются для этой папки: при новом "
                                           "запуске QR-коды те же. Брандмауэр ноутбука должен "
                                           "пропускать входящие соединения на этот порт."));
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(folder);
    layout->addWidget(label);
    layout->addWidget(m_groups);
    layout->addWidget(m_folderLink);
    layout->addWidget(m_planText);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addStretch(1);
    return page;
}

// The default route's network first, or the one chosen last time when it is still there.
void CollectionDialog::fillNetworks()
{
    m_network->setAccessibleName(QStringLiteral("Сеть ссылок"));
    const QString chosen = QSettings().value(kNetworkKey).toString();
    for (const web::NetworkChoice &choice : web::networkChoices()) {
        const int index = m_network->count();
        m_network->addItem(choice.defaultRoute ? QStringLiteral("%1 (основная)").arg(choice.label)
                                               : choice.label);
        m_network->setItemData(index, choice.address.toString(), kAddressRole);
        m_network->setItemData(index, choice.interfaceName, kInterfaceRole);
        if (choice.interfaceName == chosen && m_network->findData(chosen, kInterfaceRole) == index)
            m_network->setCurrentIndex(index);
    }
    if (m_network->count() == 0) {
        m_network->addItem(QStringLiteral("сеть не найдена: ссылки откроются только на этом "
                                          "компьютере"));
        m_network->setEnabled(false);
    }
}

// What starting would make, or why it cannot start, as the consultant types.
void CollectionDialog::showPlan()
{
    const auto groups = collectionGroups(m_groups->text(), m_folderLink->isChecked());
    const bool valid = !std::holds_alternative<QString>(groups);
    // A damaged link file leaves only a new link: the old one cannot be told.
    m_start->setEnabled(valid && m_plan.linkProblem.isEmpty() && !m_run.active());
    m_newLink->setEnabled(valid && m_run.state() != CollectionRun::State::Starting);
    if (const auto *problem = std::get_if<QString>(&groups)) {
        showProblem(m_planText, *problem);
        return;
    }
    if (!m_plan.linkProblem.isEmpty()) {
        showProblem(m_planText, m_plan.linkProblem);
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
    // A group left out is never silently so: its link answers that its collection is stopped.
    QStringList resting;
    for (const QString &group : std::as_const(m_plan.linked))
        if (!std::get<QStringList>(groups).contains(group))
            resting << shownName(group);
    // The notes a blank line below the links, to be read as what they are.
    if (!m_plan.unlisted.isEmpty())
        lines << QString()
              << QStringLiteral("Папки, имя которых не годится для списка групп (запятая, "
                                "пробел по краям или знак, недопустимый в имени группы), в "
                                "сбор не входят: «%1».")
                     .arg(m_plan.unlisted.join(QStringLiteral("», «")));
    if (!resting.isEmpty())
        lines << QString()
              << QStringLiteral("Не входят в этот сбор: «%1». Их ссылки остаются прежними, но "
                                "ответов не принимают: респондент увидит, что сбор остановлен, "
                                "а его ответы подождут в браузере.")
                     .arg(resting.join(QStringLiteral("», «")));
    if (!m_plan.linkNotice.isEmpty())
        lines << QString() << m_plan.linkNotice;
    m_planText->setText(QStringLiteral("Ссылки сбора:\n") + lines.join(u'\n'));
}

void CollectionDialog::showState(CollectionRun::State state)
{
    const bool stopped = state == CollectionRun::State::Stopped;
    for (QWidget *input : {static_cast<QWidget *>(m_groups), static_cast<QWidget *>(m_folderLink),
                           static_cast<QWidget *>(m_port)})
        input->setEnabled(stopped);
    m_network->setEnabled(stopped && !m_network->itemData(0, kAddressRole).isNull());
    m_start->setVisible(state != CollectionRun::State::Running);
    // A folder that has never had a link has no old one to replace.
    m_newLink->setVisible(m_plan.port != 0 || !m_plan.linkProblem.isEmpty() ||
                          !m_run.links().isEmpty());
    m_stop->setVisible(state == CollectionRun::State::Running);
    showPlan();
    switch (state) {
    case CollectionRun::State::Stopped:
        m_pages->setCurrentIndex(0);
        if (!m_run.links().isEmpty())
            m_status->setText(
                QStringLiteral("Сбор остановлен. Получено ответов: %1.").arg(m_run.answers()));
        break;
    case CollectionRun::State::Starting:
        m_status->setText(QStringLiteral("Сбор начинается…"));
        break;
    case CollectionRun::State::Running: {
        m_plan.linkProblem.clear(); // the folder's link is whole again
        m_plan.linkNotice.clear();  // and the earlier version's links are gone
        m_plan.linked = collectionPlan(m_plan.folder).linked;
        showLinks();
        const int port = m_run.links().isEmpty() ? 0 : m_run.links().first().url.port();
        m_port->setValue(std::max(port, 0));
        m_status->setText(QStringLiteral("Сбор идёт, порт %1: ответы появляются в окне опроса, "
                                         "как только приходят. Окно можно закрыть — сбор "
                                         "продолжится.")
                              .arg(port));
        break;
    }
    }
}

void CollectionDialog::showLinks()
{
    while (m_links->count() > 0) {
        QWidget *page = m_links->widget(0);
        m_links->removeTab(0);
        delete page;
    }
    m_countLabels.clear();
    for (const CollectionLink &link : m_run.links())
        m_links->addTab(linkPage(link), tabText(shownName(link.group), m_run.answers(link.group)));
    m_pages->setCurrentWidget(m_links);
    growForCodes();
}

// The codes need room to be read from across the room, the groups' line did not: grown about the
// same centre, inside the screen, once.
void CollectionDialog::growForCodes()
{
    if (m_grown)
        return;
    m_grown = true;
    QRect frame(QPoint(), size().expandedTo(QSize(720, 680)));
    frame.moveCenter(geometry().center());
    if (const QScreen *screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        frame.setSize(frame.size().boundedTo(free.size()));
        frame.moveTopLeft({std::clamp(frame.left(), free.left(), free.right() - frame.width()),
                           std::clamp(frame.top(), free.top(), free.bottom() - frame.height())});
    }
    setGeometry(frame);
}

bool CollectionDialog::start()
{
    if (m_run.active())
        return true;
    return m_plan.linkProblem.isEmpty() && startWith(false);
}

void CollectionDialog::makeNewLink()
{
    const QString question =
        QStringLiteral("Сделать новую ссылку для опроса «%1»?\n\nПрежние ссылки и QR-коды этой "
                       "папки, в том числе разосланные и напечатанные, перестанут открывать "
                       "анкету.")
            .arg(shownName(QString()));
    if (ui::Dialogs::instance().askYesNo(this, windowTitle(), question))
        startWith(true);
}

void CollectionDialog::stop()
{
    if (mayEndCollection(this, &m_run, QStringLiteral("Остановить сбор ответов?")))
        m_run.stop();
}

bool CollectionDialog::startWith(bool newLink)
{
    const auto groups = collectionGroups(m_groups->text(), m_folderLink->isChecked());
    if (const auto *problem = std::get_if<QString>(&groups)) {
        showProblem(m_planText, QStringLiteral("Сбор не начат: ") + *problem);
        return false;
    }
    CollectionOptions options;
    options.port = quint16(m_port->value());
    options.advertised = QHostAddress(m_network->currentData(kAddressRole).toString());
    options.newLink = newLink;
    if (!options.advertised.isNull())
        QSettings().setValue(kNetworkKey, m_network->currentData(kInterfaceRole));
    m_run.start(std::get<QStringList>(groups), m_plan.folder, options);
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
    auto *count = new QLabel(answersText(m_run.answers(link.group)));
    count->setFont(large);
    count->setAlignment(Qt::AlignCenter);
    m_countLabels.insert(link.group, count);
    auto *copy = new QPushButton(QStringLiteral("&Копировать ссылку"));
    connect(copy, &QPushButton::clicked, this,
            [url = link.url] { QApplication::clipboard()->setText(url.toString()); });
    auto *folder = new QLabel(QStringLiteral("Ответы записываются в папку «%1».")
                                  .arg(QDir::toNativeSeparators(link.folder)));
    folder->setWordWrap(true);
    folder->setTextFormat(Qt::PlainText);
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

void CollectionDialog::counted(const QString &group, int answers)
{
    if (QLabel *label = m_countLabels.value(group)) {
        label->setText(answersText(answers));
        m_links->setTabText(m_links->indexOf(label->parentWidget()),
                            tabText(shownName(group), answers));
    }
}

} // namespace desk
