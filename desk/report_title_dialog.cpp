#include "report_title_dialog.h"

#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace desk {
namespace {

// A folder's path holds the settings' group separator; its hash does not.
QString settingsGroup(const QString &surveyFolder)
{
    return QStringLiteral("surveys/") +
           QString::fromLatin1(
               QCryptographicHash::hash(surveyFolder.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

ReportTitleDialog::ReportTitleDialog(const ReportTitle &title, QWidget *parent)
    : QDialog(parent), m_organisation(new QLineEdit(title.organisation)),
      m_caption(new QLineEdit(title.caption))
{
    setWindowTitle(QStringLiteral("Заголовок отчёта"));
    m_organisation->setAccessibleName(QStringLiteral("Организация"));
    m_caption->setAccessibleName(QStringLiteral("Подпись группы"));
    m_caption->setPlaceholderText(QStringLiteral("имя папки группы"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    auto *hint = new QLabel(QStringLiteral("Организация и подпись печатаются на первой странице "
                                           "PDF-отчёта. Они запоминаются для этого опроса; "
                                           "изменить их — «Документы → Заголовок отчёта…»."));
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(QStringLiteral("&Организация:"), m_organisation);
    form->addRow(QStringLiteral("&Подпись:"), m_caption);
    form->addRow(buttons);
    setMinimumWidth(460);
}

ReportTitle ReportTitleDialog::title() const
{
    return {m_organisation->text().trimmed(), m_caption->text().trimmed()};
}

std::optional<ReportTitle> rememberedTitle(const QString &surveyFolder)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(surveyFolder));
    if (!settings.contains(QStringLiteral("organisation")))
        return std::nullopt;
    return ReportTitle{settings.value(QStringLiteral("organisation")).toString(),
                       settings.value(QStringLiteral("caption")).toString()};
}

void rememberTitle(const QString &surveyFolder, const ReportTitle &title)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(surveyFolder));
    settings.setValue(QStringLiteral("organisation"), title.organisation);
    settings.setValue(QStringLiteral("caption"), title.caption);
}

} // namespace desk
