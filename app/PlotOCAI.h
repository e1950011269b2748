#pragma once

#include "shell/desktop_shell.h"
#include "survey/group_mean.h"
#include "survey/profile_load.h"
#include "survey/profile_model.h"
#include "widgets/dialogs.h"

#include <QMainWindow>
#include <array>
#include <optional>
#include <variant>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class TAboutBox;

namespace ui {
class BarChart;
class MenuEntry;
class ImageCanvas;
class StatusPanel;
class TextBuffer;
} // namespace ui

// The program's one working window. Its controls are public, as the form's fields are:
// the handlers, the about box and the tests all reach them by name.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(shell::DesktopShell &shell, QWidget *parent = nullptr);
    ~TForm1() override;

    // The about box is created after the window, as the program entry does.
    void setAboutBox(TAboutBox *aboutBox) { m_aboutBox = aboutBox; }
    TAboutBox *aboutBox() const { return m_aboutBox; }

    // Handlers.
    void FormCreate();
    void FormClose();
    void WMSysCommand(quintptr wParam);
    void mmOpenClick();
    void mmGroupClick();
    void mmGPlotClick();
    void btPlotClick();
    void mmQPlotClick();
    void mmPlotCClick();
    void Chart1DblClick(QObject *sender);
    void ChartDelDblClick();
    void laADblClick(QObject *sender);
    void btSaveClick();
    void SaveData1Click();
    void Clear1Click();
    void cbABCD1colChange();
    void cbABCD2colChange();

    // Shared state of the run.
    QString ProgramDir;
    survey::AnswerTable AnswerTable{};
    survey::ProfileScores ProfileScores{};
    std::array<QLineEdit *, 4> CurrentScoreFields{};
    std::array<QLineEdit *, 4> PreferredScoreFields{};

    // Controls on the window.
    ui::ImageCanvas *imPlot = nullptr;
    QLabel *laPlot = nullptr;
    QPlainTextEdit *meInfoABCD = nullptr;
    ui::BarChart *ChartDel = nullptr;
    QFrame *paPlot = nullptr;
    ui::BarChart *Chart1 = nullptr, *Chart2 = nullptr, *Chart3 = nullptr;
    ui::BarChart *Chart4 = nullptr, *Chart5 = nullptr, *Chart6 = nullptr;
    QPlainTextEdit *meInfoQ = nullptr;
    ui::StatusPanel *sbShotInstr = nullptr;
    QLineEdit *ceInfo = nullptr;
    QFrame *paData = nullptr;
    QLabel *laA = nullptr, *laB = nullptr, *laC = nullptr, *laD = nullptr;
    QComboBox *cbABCD1col = nullptr, *cbABCD2col = nullptr;
    QLineEdit *ceCode = nullptr;

    // Menu bar.
    // Entries read and set their enabled state with isEntryEnabled / setEntryEnabled.
    ui::MenuEntry *mmOpen = nullptr, *mmGroup = nullptr, *mmGPlot = nullptr, *mmQPlot = nullptr;
    ui::MenuEntry *mmPlotC = nullptr, *SavePlot1 = nullptr, *SaveData1 = nullptr;
    ui::MenuEntry *Clear1 = nullptr;
    QAction *mmSave = nullptr; // the "Save" submenu's entry in the menu bar
    QMenu *mmSaveMenu = nullptr;

    // The file dialogs' settings; each command sets its title, folder and name, and the
    // dialogs seam shows them.
    ui::FileRequest OpenDialog1;
    ui::FileRequest SaveDialog;

    // Hidden helpers made by FormCreate: the key of the result files, and the plain text of
    // the last file a load read.
    ui::TextBuffer *textBuffer = nullptr;
    QLabel *keyHolder = nullptr;

    std::array<ui::BarChart *, 6> questionCharts() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The desktop's system commands (the system menu's «О программе») arrive here.
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void createControls();
    void createDiagramArea(QWidget *client);
    void createDifferenceArea(QWidget *client);
    void createPlotPanel(QWidget *client);
    void createInfoLines(QWidget *client);
    void createScorePanel(QWidget *client);
    void createMenu();
    QLineEdit *createScoreField(int left, int top);
    // The key a load decrypts with: the key holder's first 16 characters.
    QByteArray resultFileKey() const;
    // The one load of a file or folder, keeping the plain text of the last file read for the
    // hidden text buffer.
    std::variant<survey::LoadedProfile, survey::GroupError> loadResults(const QString &path,
                                                                        survey::LoadAs as);
    // A load's result into the shared state: code, information line, table, scores and
    // their fields, and the hidden text buffer.
    void takeLoaded(const survey::LoadedProfile &loaded);
    void showLoadError(const survey::GroupError &error);
    // The standard error box, captioned with the program's title.
    void showError(const QString &message);
    void showScores(const survey::ProfileMeans &scores);
    void setPlotCEntry(int tag);
    QRect captureRect(bool plotB) const;

    shell::DesktopShell &m_shell;
    TAboutBox *m_aboutBox = nullptr;
    std::optional<shell::WorkArea> m_savedWorkArea; // set back at close
    bool m_closed = false;
    QByteArray m_loadedText; // the last file's plain text of the latest load
};

// The value tags of the form's controls: question charts 1-6, type labels 1-4, and the
// two state tags of "Plot C" and the difference chart.
int tagOf(const QObject *object);
void setTag(QObject *object, int tag);

// The chooser's item index; -1 when its text names no item.
int colourIndex(const QComboBox *chooser);
