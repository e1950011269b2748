#include "dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace ui {
namespace {

class RealDialogs final : public Dialogs {
public:
    QString openFile(QWidget *parent, const FileRequest &request) override
    {
        return QFileDialog::getOpenFileName(parent, request.title, startPath(request),
                                            toQtNameFilters(request.filter));
    }

    QString saveFile(QWidget *parent, const FileRequest &request) override
    {
        // QFileDialog asks before overwriting by default and is resizable.
        return QFileDialog::getSaveFileName(parent, request.title, startPath(request),
                                            toQtNameFilters(request.filter));
    }

    void showError(QWidget *parent, const QString &caption, const QString &message) override
    {
        QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, parent);
        box.exec();
    }

private:
    static QString startPath(const FileRequest &request)
    {
        if (request.fileName.isEmpty())
            return request.folder;
        return request.folder.isEmpty() ? request.fileName
                                        : request.folder + QLatin1Char('/') + request.fileName;
    }
};

Dialogs *g_installed = nullptr;

} // namespace

Dialogs &Dialogs::instance()
{
    static RealDialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::setInstance(Dialogs *dialogs)
{
    g_installed = dialogs;
}

QString toQtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

void showErrorBox(QWidget *parent, const QString &message)
{
    Dialogs::instance().showError(parent, QCoreApplication::applicationName(), message);
}

} // namespace ui
