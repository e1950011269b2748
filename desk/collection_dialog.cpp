#include "collection_dialog.h"

#include "title.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace desk {
namespace {

// Read from across a room: at least this many pixels a side.
constexpr int kQrPixels = 420;

QString answersText(int n)
{
    return QStringLiteral("Получено ответов: %1").arg(n);
}

// Every link's count shows on its tab, whichever link the projector shows.
QString tabText(const QString &group, int n)
{
    return QStringLiteral("%1 — %2").arg(group.isEmpty() ? QStringLiteral("Опрос") : group).arg(n);
}

} // namespace

CollectionDialog::CollectionDialog(std::unique_ptr<Collection> collection,
                                   const QList<CollectionLink> &links, QWidget *parent)
    : QDialog(parent), m_collection(std::move(collection)), m_links(new QTabWidget),
      m_status(new QLabel), m_stop(new QPushButton(QStringLiteral("&Остановить")))
{
    setWindowTitle(QStringLiteral("Сбор ответов по сети"));
    m_links->setAccessibleName(QStringLiteral("Ссылки опроса"));
    for (const CollectionLink &link : links)
        m_links->addTab(linkPage(link), tabText(link.group, 0));
    m_status->setText(QStringLiteral("Сбор идёт: ответы появляются в окне опроса сразу, как "
                                     "только приходят. Остановите сбор, когда все ответят."));
    m_status->setWordWrap(true);
    m_stop->setAccessibleName(QStringLiteral("Остановить сбор"));
    connect(m_stop, &QPushButton::clicked, this, &CollectionDialog::stop);
    auto *close = new QPushButton(QStringLiteral("&Закрыть"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_stop);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_links, 1);
    layout->addLayout(buttons);
    connect(m_collection.get(), &Collection::answerWritten, this,
            [this](const QString &group, const QString &) { written(group); });
    connect(m_collection.get(), &Collection::writeFailed, this,
            [this](const QString &group, const QString &message) {
                m_status->setText(
                    QStringLiteral("Ответ для «%1» не записан: %2").arg(group, message));
            });
}

CollectionDialog::~CollectionDialog()
{
    stop();
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

void CollectionDialog::written(const QString &group)
{
    const int n = ++m_counts[group];
    if (QLabel *label = m_countLabels.value(group)) {
        label->setText(answersText(n));
        m_links->setTabText(m_links->indexOf(label->parentWidget()), tabText(group, n));
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
