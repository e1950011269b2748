// "Save": the plot on show as a GIF picture, and the loaded data as a text report.
#include "PlotOCAI.h"

#include "documents/plot_pictures.h"
#include "documents/text_report.h"
#include "form_texts.h"
#include "gif/gif_writer.h"
#include "widgets/dialogs.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/save_folder.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>

namespace {

// A code read from a file becomes part of a proposed file name: it must not lead elsewhere.
QString nameSafe(QString code)
{
    for (QChar &ch : code)
        if (ch == u'/' || ch == u'\\' || ch == u':' || ch.unicode() < 0x20)
            ch = u'_';
    return code;
}

} // namespace

QRect TForm1::captureRect(bool plotB) const
{
    // The strip above the plot holds the information line and the plot letter; Plot B is
    // saved without the question memo at the foot of its panel.
    const QWidget *plot = plotB ? static_cast<const QWidget *>(paPlot) : imPlot;
    const QPoint origin = plot->mapToGlobal(QPoint(0, 0));
    const int height = plotB ? documents::kPlotBSavedRows : plot->height();
    return QRect(origin.x(), origin.y() - documents::kInfoStripHeight, plot->width(),
                 height + documents::kInfoStripHeight);
}

void TForm1::btSaveClick()
{
    const bool plotB = !paPlot->isHidden();
    const QString folder = ui::defaultSaveFolder(ProgramDir, QStringLiteral("Results"));
    SaveDialog.filter = formtexts::kGifFilter;
    SaveDialog.folder = folder;
    SaveDialog.title = plotB ? formtexts::kSavePlotBTitle : formtexts::kSavePlotATitle;
    SaveDialog.fileName = QDir::toNativeSeparators(QDir(folder).filePath(
        (plotB ? QStringLiteral("OCAI Plot B ") : QStringLiteral("OCAI Plot A ")) +
        nameSafe(ceCode->text()) + QStringLiteral(".gif")));
    QString path = ui::Dialogs::instance().saveFile(this, SaveDialog);
    if (path.isEmpty())
        return;

    if (!path.endsWith(QStringLiteral(".gif"), Qt::CaseSensitive)) {
        path += QStringLiteral(".gif");
        // The dialog asked about the name as typed; the name written is another one.
        if (QFileInfo::exists(path) && !ui::Dialogs::instance().confirmOverwrite(this, path))
            return;
    }
    // The picture is taken from the screen: let the places the dialog and the question
    // covered repaint first, with the window system's own events for them in.
    QGuiApplication::sync();
    const QImage picture = m_shell.captureScreenRect(captureRect(plotB), this);
    ui::PendingSaveFolder made(path, folder);
    QString error;
    if (!gifio::saveGif87a(picture, path, &error)) {
        showError(error);
        return;
    }
    made.keep();
}

void TForm1::SaveData1Click()
{
    if (!survey::answersPresent(AnswerTable))
        return; // nothing loaded: nothing to save, and nothing to say
    const QString folder = ui::defaultSaveFolder(ProgramDir, QStringLiteral("Данные"));
    SaveDialog.filter = formtexts::kTxtFilter;
    SaveDialog.folder = folder;
    SaveDialog.fileName = QDir::toNativeSeparators(
        QDir(folder).filePath(nameSafe(ceCode->text()) + QStringLiteral(".OCAI.txt")));
    SaveDialog.title = formtexts::kSaveDataTitle;
    const QString path = ui::Dialogs::instance().saveFile(this, SaveDialog);
    if (path.isEmpty())
        return;
    QCoreApplication::processEvents();

    documents::ReportInput input;
    input.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    input.code = ceCode->text();
    input.info = ceInfo->text();
    input.scores = ProfileScores;
    input.answers = AnswerTable;
    ui::PendingSaveFolder made(path, folder);
    QString error;
    if (!documents::writeReport(path, documents::reportText(input), &error)) {
        showError(error);
        return;
    }
    made.keep();
}
