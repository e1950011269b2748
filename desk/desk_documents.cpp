#include "desk_window.h"

#include "compare_view.h"
#include "core/safe_write.h"
#include "job_bar.h"
#include "report_title_dialog.h"
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
                               std::function<DocumentBytes()> make)
{
    if (path.isEmpty())
        return;
    m_jobs->start(
        caption,
        [make = std::move(make), path](const std::atomic_bool &cancelled) -> QString {
            const DocumentBytes bytes = make();
            if (const auto *problem = std::get_if<QString>(&bytes))
                return *problem;
            if (cancelled)
                return QString(); // dropped: nothing is written
            return writeDocumentFile(path, std::get<QByteArray>(bytes));
        },
        [this, path](const QString &problem) { documentWritten(path, problem); });
}

void DeskWindow::documentWritten(const QString &path, const QString &problem)
{
    if (!problem.isEmpty()) {
        statusBar()->showMessage(problem, 10000);
        if (problem != QStringLiteral("Отменено."))
            ui::Dialogs::instance().showError(this, QStringLiteral("Документ не записан"), problem);
        return;
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

void DeskWindow::writeProfilePdf()
{
    if (!askReportTitle(false))
        return;
    const Group group = currentGroup();
    const ReportTitle title = rememberedTitle(m_loader.folder()).value_or(ReportTitle{});
    const QString path =
        askSavePath(QStringLiteral("PDF-отчёт"), group.name + QStringLiteral(" — отчёт OCAI"),
                    QStringLiteral("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    writeDocument(QStringLiteral("Составляется PDF-отчёт…"), path,
                  [group, title] { return profilePdf(group, title); });
}

void DeskWindow::writeComparisonPdf()
{
    const Group a = currentGroup();
    const int other = m_compare->otherIndex();
    const Group *chosen = groupAt(other);
    const Group b = chosen ? *chosen : allGroups();
    const QString path =
        askSavePath(QStringLiteral("Сравнительный отчёт"),
                    QStringLiteral("%1 и %2 — сравнение OCAI").arg(a.name, b.name),
                    QStringLiteral("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    writeDocument(QStringLiteral("Составляется сравнительный отчёт…"), path,
                  [a, b] { return comparisonPdf(a, b); });
}

void DeskWindow::writeWorkbook()
{
    const std::vector<Group> groups = selectedGroups();
    const QString path =
        askSavePath(QStringLiteral("Книга Excel"),
                    QFileInfo(m_loader.folder()).fileName() + QStringLiteral(" — ответы OCAI"),
                    QStringLiteral("Книга Excel (*.xlsx)|*.xlsx"), QStringLiteral("xlsx"));
    writeDocument(QStringLiteral("Составляется книга Excel…"), path,
                  [groups] { return workbook(groups); });
}

void DeskWindow::writeTextReport()
{
    const Group group = currentGroup();
    const QString path =
        askSavePath(QStringLiteral("Текстовый отчёт"), group.name + QStringLiteral(" — OCAI"),
                    QStringLiteral("Текст (*.txt)|*.txt"), QStringLiteral("txt"));
    writeDocument(QStringLiteral("Составляется текстовый отчёт…"), path,
                  [group] { return textReport(group); });
}

void DeskWindow::openSurveyFolder()
{
    if (!m_loader.folder().isEmpty() && !m_shell.openPath(m_loader.folder()))
        statusBar()->showMessage(QStringLiteral("Не удаётся открыть папку «%1».")
                                     .arg(QDir::toNativeSeparators(m_loader.folder())));
}

} // namespace desk
