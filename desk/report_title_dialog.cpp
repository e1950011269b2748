#include "desk/report_title_dialog.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>

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
      m_caption(new QLineEdit(title.caption)), m_minGroup(new QSpinBox),
      m_freeText(new QCheckBox(QStringLiteral("Свободный текст респондентов (имена, должности) "
                                              "в книге Excel")))
{
    m_minGroup->setRange(1, documents::kMaxMinGroup);
    m_minGroup->setValue(title.minGroup);
    m_minGroup->setAccessibleName(QStringLiteral("Наименьшая группа"));
    m_freeText->setChecked(title.freeText);
    m_freeText->setAccessibleName(QStringLiteral("Свободный текст"));
    setWindowTitle(QStringLiteral("Заголовок отчёта"));
    m_organisation->setAccessibleName(QStringLiteral("Организация"));
    m_caption->setAccessibleName(QStringLiteral("Подпись группы"));
    m_caption->setPlaceholderText(QStringLiteral("имя папки группы"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    auto *hint = new QLabel(QStringLiteral(
        "Организация и подпись печатаются на первой странице "
        "PDF-отчёта и над каждым листом книги Excel. Они запоминаются для этого опроса; "
        "изменить их — «Документы → Заголовок отчёта…»."));
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(QStringLiteral("&Организация:"), m_organisation);
    form->addRow(QStringLiteral("&Подпись:"), m_caption);
    form->addRow(QStringLiteral("&Наименьшая группа:"), m_minGroup);
    auto *privacy = new QLabel(QStringLiteral(
        "Группа, в которой меньше респондентов, не попадает в документы для клиента, чтобы по её "
        "оценкам нельзя было узнать ответы отдельных людей; на вкладках программы она видна."));
    privacy->setWordWrap(true);
    form->addRow(privacy);
    form->addRow(m_freeText);
    form->addRow(buttons);
    setMinimumWidth(460);
}

ReportTitle ReportTitleDialog::title() const
{
    return {m_organisation->text().trimmed(), m_caption->text().trimmed(), m_minGroup->value(),
            m_freeText->isChecked()};
}

std::optional<ReportTitle> rememberedTitle(const QString &surveyFolder)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(surveyFolder));
    if (!settings.contains(QStringLiteral("organisation")))
        return std::nullopt;
    // A damaged or hand-edited floor falls back to the default, never below 1.
    bool ok = false;
    int minGroup = settings.value(QStringLiteral("minGroup")).toInt(&ok);
    if (!ok || minGroup < 1 || minGroup > documents::kMaxMinGroup)
        minGroup = documents::kDefaultMinGroup;
    return ReportTitle{settings.value(QStringLiteral("organisation")).toString(),
                       settings.value(QStringLiteral("caption")).toString(), minGroup,
                       settings.value(QStringLiteral("freeText")).toBool()};
}

void rememberTitle(const QString &surveyFolder, const ReportTitle &title)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(surveyFolder));
    settings.setValue(QStringLiteral("organisation"), title.organisation);
    settings.setValue(QStringLiteral("caption"), title.caption);
    settings.setValue(QStringLiteral("minGroup"), title.minGroup);
    settings.setValue(QStringLiteral("freeText"), title.freeText);
}

} // namespace desk
