// "Data": one respondent's result file to a profile.
#include "PlotOCAI.h"

#include "core/number_format.h"
#include "form_texts.h"
#include "plots/plot_a.h"
#include "survey/unit_pc1.h"
#include "widgets/bar_chart.h"
#include "widgets/dialogs.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"
#include "widgets/text_buffer.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <variant>

void TForm1::mmOpenClick()
{
    OpenDialog1.title = formtexts::kOpenIndividualTitle;
    OpenDialog1.fileName.clear();
    OpenDialog1.folder = ProgramDir + QStringLiteral("Data");
    const QString path = ui::Dialogs::instance().openFile(this, OpenDialog1);
    if (path.isEmpty())
        return;

    // The whole file is read and converted before anything on show changes, so that a
    // damaged file leaves the loaded profile exactly as it was.
    const auto loaded = loadResults(path, survey::LoadAs::File);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
        showLoadError(*error);
        return;
    }
    takeLoaded(std::get<survey::LoadedProfile>(loaded));

    meInfoABCD->show();
    paPlot->hide();
    imPlot->hide();
    SaveData1->setEntryEnabled(false);
    SavePlot1->setEntryEnabled(false);
    ChartDel->hide();
    sbShotInstr->show();
    sbShotInstr->setPanelText(formtexts::kStatusIndividual);
    paData->show();
    mmGPlotClick();
    for (QAction *entry : std::initializer_list<QAction *>{mmGPlot, mmQPlot, mmPlotC, mmSave})
        entry->setVisible(true);
    ceInfo->show();
}

QByteArray TForm1::resultFileKey() const
{
    return survey::pc1KeyBytes(keyHolder->text().left(16));
}

std::variant<survey::LoadedProfile, survey::GroupError> TForm1::loadResults(const QString &path,
                                                                            survey::LoadAs as)
{
    m_loadedText.clear();
    return survey::loadProfile(
        path, resultFileKey(), as,
        [this](const QString &, const survey::ResultText &text, const survey::AnswerTable &) {
            m_loadedText = text.plain();
        });
}

void TForm1::takeLoaded(const survey::LoadedProfile &loaded)
{
    textBuffer->setText(m_loadedText);
    ceCode->setText(loaded.code);
    ceInfo->setText(loaded.info);
    ceInfo->setCursorPosition(0); // a long line shows its beginning, where the code stands
    AnswerTable = loaded.group.means;
    ProfileScores = loaded.group.scores;
    showScores(survey::groupMeans(loaded.group, survey::MeanKind::Arithmetic));
}

void TForm1::showScores(const survey::ProfileMeans &scores)
{
    const plots::PlotAFields fields = plots::scoreFields(scores, numfmt::localeDecimalSeparator());
    for (std::size_t k = 0; k < survey::kTypeCount; ++k) {
        CurrentScoreFields[k]->setText(fields.current[k]);
        PreferredScoreFields[k]->setText(fields.preferred[k]);
    }
}

void TForm1::showLoadError(const survey::GroupError &error)
{
    const QString file = QDir::toNativeSeparators(error.path);
    QString text = error.message;
    // The reason is worded to follow a colon; on a line of its own it reads as a sentence.
    if (!error.reason.isEmpty())
        text += QLatin1Char('\n') + error.reason.at(0).toUpper() + error.reason.mid(1) +
                QLatin1Char('.');
    if (error.line > 0)
        text += QStringLiteral("\nФайл: %1, строка %2").arg(file, QString::number(error.line));
    else if (!error.message.contains(file))
        text += QStringLiteral("\nФайл: %1").arg(file);
    showError(text);
}

void TForm1::showError(const QString &message)
{
    ui::Dialogs::instance().showError(this, formtexts::kApplicationTitle, message);
}
