#include "desk/desk_window.h"

#include "core/safe_write.h"
#include "desk/compare_view.h"
#include "desk/job_bar.h"
#include "desk/report_title_dialog.h"
#include "shell/desktop_shell.h"
#include "widgets/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStatusBar>

namespace desk {
namespace {

// A name the file systems of every desktop accept.
QString fileNamePart(QString text)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : text)
        if (forbidden.contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return text.trimmed().isEmpty() ? QStringLiteral("опрос") : text.trimmed();
}

// Writes the document in place of any earlier file of that name, or says why not, in Russian.
QString writeDocumentFile(const QString &path, const QByteArray &bytes)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (safewrite::refusalFor(path)) {
    case safewrite::Refusal::None:
        break;
    case safewrite::Refusal::Folder:
        return QStringLiteral("«%1» — это папка, а не файл.").arg(shown);
    case safewrite::Refusal::DanglingLink:
        return QStringLiteral("«%1» — ссылка, которая никуда не ведёт.").arg(shown);
    case safewrite::Refusal::Pipe:
    case safewrite::Refusal::NotRegular:
        return QStringLiteral("«%1» — не обычный файл: документ туда не записывается.").arg(shown);
    }
    if (const auto reason = safewrite::replaceFile(path, bytes))
        return QStringLiteral("Не удалось записать файл «%1»: %2.").arg(shown, *reason);
    return QString();
}

} // namespace

QString DeskWindow::askSavePath(const QString &title, const QString &name, const QString &filter,
                                const QString &suffix)
{
    QString path = ui::Dialogs::instance().saveFile(
        this, {title, m_loader.folder(), fileNamePart(name) + QLatin1Char('.') + suffix, filter});
    if (!path.isEmpty() && QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + suffix;
    return path;
}

void DeskWindow::writeDocument(const QString &caption, const QString &path,
                               std::function<Made(const CancelCheck &)> make)
{
    if (path.isEmpty())
        return;
    m_jobs->start(
        caption,
        [make = std::move(make), path](JobControl &job) {
            const Made made = make([&job] { return job.cancelled(); });
            if (const auto *failure = std::get_if<documents::Failure>(&made))
                return JobOutcome::failed(failure->reason);
            // Cancelled, now or before the file is begun: no file is made or replaced.
            if (std::holds_alternative<documents::Cancelled>(made) || !job.beginWriting())
                return JobOutcome::cancelled();
            const QString problem = writeDocumentFile(path, std::get<QByteArray>(made));
            return problem.isEmpty() ? JobOutcome::done() : JobOutcome::failed(problem);
        },
        [this, path](const JobOutcome &outcome) { documentWritten(path, outcome); });
}

void DeskWindow::documentWritten(const QString &path, const JobOutcome &outcome)
{
    switch (outcome.kind) {
    case JobOutcome::Kind::Cancelled:
        statusBar()->showMessage(QStringLiteral("Отменено: файл не записан."), 10000);
        return;
    case JobOutcome::Kind::Failed:
        statusBar()->showMessage(outcome.problem, 10000);
        ui::Dialogs::instance().showError(this, QStringLiteral("Документ не записан"),
                                          outcome.problem);
        return;
    case JobOutcome::Kind::Done:
        break;
    }
    m_lastDocument = path;
    statusBar()->showMessage(
        QStringLiteral("Записан файл «%1».").arg(QDir::toNativeSeparators(path)));
    m_openDocument->show();
}

bool DeskWindow::askReportTitle(bool always)
{
    const QString survey = m_loader.folder();
    const std::optional<ReportTitle> remembered = rememberedTitle(survey);
    if (remembered && !always)
        return true;
    ReportTitleDialog dialog(remembered.value_or(ReportTitle{}), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    rememberTitle(survey, dialog.title());
    return true;
}

ReportTitle DeskWindow::reportTitle() const
{
    return rememberedTitle(m_loader.folder()).value_or(ReportTitle{});
}

bool DeskWindow::refuses(const QString &problem)
{
    if (problem.isEmpty())
        return false;
    // The status bar's one line would cut the reason; the box shows it whole.
    statusBar()->showMessage(problem, 10000);
    ui::Dialogs::instance().showError(this, QStringLiteral("Документ не составлен"), problem);
    return true;
}

bool DeskWindow::readyFor(const std::function<QString(int minGroup)> &refusal)
{
    // Refused before anything is asked; asked again once the title dialog may have set the floor.
    if (refuses(refusal(reportTitle().minGroup)) || !askReportTitle(false))
        return false;
    return !refuses(refusal(reportTitle().minGroup));
}

void DeskWindow::writeProfilePdf()
{
    const Group group = currentGroup();
    if (!readyFor([&group](int minGroup) { return profileRefusal(group, minGroup); }))
        return;
    const ReportTitle title = reportTitle();
    const QString path =
        askSavePath(QStringLiteral("PDF-отчёт"), group.name + QStringLiteral(" — отчёт OCAI"),
                    QStringLiteral("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    writeDocument(QStringLiteral("Составляется PDF-отчёт…"), path,
                  [group, title](const CancelCheck &cancel) {
                      return profilePdf(group, title, QDate::currentDate(), cancel);
                  });
}

void DeskWindow::writeComparisonPdf()
{
    const auto &compared = m_compare->compared();
    if (!compared && refuses(QStringLiteral("Сравнивать не с чем: в опросе одна группа.")))
        return;
    const auto [a, b] = *compared;
    if (!readyFor([&a = a, &b = b](int minGroup) { return comparisonRefusal(a, b, minGroup); }))
        return;
    const ReportTitle title = reportTitle();
    const QString path =
        askSavePath(QStringLiteral("Сравнительный отчёт"),
                    QStringLiteral("%1 и %2 — сравнение OCAI").arg(a.name, b.name),
                    QStringLiteral("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    writeDocument(QStringLiteral("Составляется сравнительный отчёт…"), path,
                  [a = a, b = b, title](const CancelCheck &cancel) {
                      return comparisonPdf(a, b, title, QDate::currentDate(), cancel);
                  });
}

void DeskWindow::writeOrganisationPdf()
{
    const std::vector<Group> groups = selectedGroups();
    if (groups.size() < 3 &&
        refuses(QStringLiteral("Отчёт по организации — о трёх группах и больше: выберите их в "
                               "списке с Ctrl или «Все вместе» (сейчас выбрано: %1).")
                    .arg(groups.size())))
        return;
    if (!readyFor([&groups](int minGroup) { return organisationRefusal(groups, minGroup); }))
        return;
    const ReportTitle title = reportTitle();
    const QString path = askSavePath(
        QStringLiteral("Отчёт по организации"),
        QFileInfo(m_loader.folder()).fileName() + QStringLiteral(" — отчёт OCAI по группам"),
        QStringLiteral("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    writeDocument(QStringLiteral("Составляется отчёт по организации…"), path,
                  [groups, title](const CancelCheck &cancel) {
                      return organisationPdf(groups, title, QDate::currentDate(), cancel);
                  });
}

void DeskWindow::writeWorkbook()
{
    const std::vector<Group> groups = selectedGroups();
    if (!readyFor([&groups](int) { return workbookRefusal(groups); }))
        return;
    const ReportTitle title = reportTitle();
    const QString path =
        askSavePath(QStringLiteral("Книга Excel"),
                    QFileInfo(m_loader.folder()).fileName() + QStringLiteral(" — ответы OCAI"),
                    QStringLiteral("Книга Excel (*.xlsx)|*.xlsx"), QStringLiteral("xlsx"));
    writeDocument(
        QStringLiteral("Составляется книга Excel…"), path,
        [groups, title](const CancelCheck &cancel) { return workbook(groups, title, cancel); });
}

void DeskWindow::writeTextReport()
{
    const Group group = currentGroup();
    if (refuses(emptyGroupProblem(group)))
        return;
    const QString path =
        askSavePath(QStringLiteral("Текстовый отчёт"), group.name + QStringLiteral(" — OCAI"),
                    QStringLiteral("Текст (*.txt)|*.txt"), QStringLiteral("txt"));
    writeDocument(QStringLiteral("Составляется текстовый отчёт…"), path,
                  [group](const CancelCheck &) { return textReport(group); });
}

void DeskWindow::openSurveyFolder()
{
    if (!m_loader.folder().isEmpty() && !m_shell.openPath(m_loader.folder()))
        statusBar()->showMessage(QStringLiteral("Не удаётся открыть папку «%1».")
                                     .arg(QDir::toNativeSeparators(m_loader.folder())));
}

} // namespace desk
