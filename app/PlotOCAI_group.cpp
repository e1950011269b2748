// "Group": the mean profile of every result file of a folder.
#include "PlotOCAI.h"

#include "form_texts.h"
#include "widgets/bar_chart.h"
#include "widgets/dialogs.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <variant>

namespace {

// The hourglass from the choice of the folder until the profile is in; set back on every
// way out, a failure included.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

} // namespace

void TForm1::mmGroupClick()
{
    OpenDialog1.title = formtexts::kOpenGroupTitle;
    OpenDialog1.folder = ProgramDir + QStringLiteral("Data");
    OpenDialog1.fileName.clear();
    const QString chosen = ui::Dialogs::instance().openFile(this, OpenDialog1);
    if (chosen.isEmpty())
        return;

    BusyCursor busy;
    // Every file is read and converted before anything changes: a folder without result
    // files or a damaged file leaves the loaded profile as it was.
    const auto loaded = loadResults(QFileInfo(chosen).absolutePath(), survey::LoadAs::Folder);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
        busy.restore();
        showLoadError(*error);
        return;
    }
    takeLoaded(std::get<survey::LoadedProfile>(loaded));
    sbShotInstr->show();
    sbShotInstr->setPanelText(formtexts::kStatusGroup);
    meInfoABCD->show();
    paPlot->hide();
    imPlot->hide();
    SaveData1->setEntryEnabled(true);
    SavePlot1->setEntryEnabled(false);
    ChartDel->hide();
    for (QAction *entry : std::initializer_list<QAction *>{mmGPlot, mmQPlot, mmPlotC, mmSave})
        entry->setVisible(true);
    paData->show();
    ceInfo->show();
    busy.restore();
    mmGPlotClick();
}
