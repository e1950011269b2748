#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QStringList>
#include <QTreeView>

namespace ui {
namespace {

class RealDialogs final : public Dialogs {
public:
    QString openFile(QWidget *parent, const FileRequest &request) override
    {
        return run(parent, request, QFileDialog::AcceptOpen);
    }

    QString saveFile(QWidget *parent, const FileRequest &request) override
    {
        // QFileDialog asks before overwriting by default and is resizable.
        return run(parent, request, QFileDialog::AcceptSave);
    }

    bool confirmOverwrite(QWidget *parent, const QString &path) override
    {
        const QString text = QStringLiteral("Файл «%1» уже существует.\nЗаменить его?")
                                 .arg(QDir::toNativeSeparators(path));
        return QMessageBox::question(parent, QString(), text) == QMessageBox::Yes;
    }

    QString chooseFolder(QWidget *parent, const QString &title, const QString &folder) override
    {
        QFileDialog dialog(parent, title, folder);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setOption(QFileDialog::DontUseNativeDialog, !useNativeDialogs());
        dialog.resize(860, 500);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    }

    bool askYesNo(QWidget *parent, const QString &caption, const QString &question) override
    {
        return QMessageBox::question(parent, caption, question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }

    void showError(QWidget *parent, const QString &caption, const QString &message) override
    {
        QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, parent);
        box.exec();
    }

private:
    static QString run(QWidget *parent, const FileRequest &request, QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(parent, request.title, QString(), toQtNameFilters(request.filter));
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
        // A proposed folder is made only when a file is written into it: until then the
        // dialog opens in the nearest folder that exists, the rest of the path in the name.
        const QFileInfo start(startPath(request));
        const bool named = !request.fileName.isEmpty() && !start.isDir();
        const QString shown =
            existingFolder(named ? start.absolutePath() : start.absoluteFilePath());
        dialog.setDirectory(shown);
        if (named)
            dialog.selectFile(QDir(shown).relativeFilePath(start.absoluteFilePath()));
        // Wide enough, and with columns sized to what they hold, that the name, size, type
        // and date are not cut.
        dialog.setOption(QFileDialog::DontUseNativeDialog, !useNativeDialogs());
        dialog.resize(860, 500);
        if (auto *files = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
            QHeaderView *header = files->header();
            header->setStretchLastSection(false);
            header->setSectionResizeMode(QHeaderView::ResizeToContents);
            header->setSectionResizeMode(0, QHeaderView::Stretch);
        }
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    }

    // Windows has dialogs of its own, in the user's language; elsewhere Qt's own dialog is
    // the one whose columns we can size.
    static bool useNativeDialogs()
    {
#ifdef Q_OS_WIN
        return true;
#else
        return false;
#endif
    }

    static QString existingFolder(QString path)
    {
        while (!QFileInfo(path).isDir()) {
            const QString parent = QFileInfo(path).path();
            if (parent == path)
                return QDir::homePath();
            path = parent;
        }
        return path;
    }

    static QString startPath(const FileRequest &request)
    {
        // The name may be a whole path already, as the save commands propose it.
        const QString name = QDir::fromNativeSeparators(request.fileName);
        const QString folder = QDir::fromNativeSeparators(request.folder);
        if (name.isEmpty())
            return folder;
        if (folder.isEmpty() || QDir::isAbsolutePath(name))
            return name;
        return folder + QLatin1Char('/') + name;
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

} // namespace ui
