// "Data": one respondent's result file to a profile.
#include "PlotOCAI.h"

#include "core/number_format.h"
#include "core/text_codec.h"
#include "form_texts.h"
#include "result_file.h"
#include "unit_pc1.h"
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

void TForm1::DecryptResultText()
{
    const QByteArray key = survey::pc1KeyBytes(keyHolder->text().left(16));
    textBuffer->setText(survey::Pc1Decrypt(key, textBuffer->text()));
}

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
    auto text = survey::readResultFile(path);
    if (const auto *error = std::get_if<survey::LoadError>(&text)) {
        showLoadError(path, error->message, error->line);
        return;
    }
    textBuffer->setText(std::get<QByteArray>(text));
    DecryptResultText();
    auto parsed = survey::parseIndividualResult(survey::ResultText(textBuffer->text()));
    if (const auto *error = std::get_if<survey::LoadError>(&parsed)) {
        showLoadError(path, error->message, error->line);
        return;
    }
    const survey::IndividualResult &result = std::get<survey::IndividualResult>(parsed);

    ceCode->setText(result.code);
    ceInfo->setText(result.info);
    ceInfo->setCursorPosition(0); // a long line shows its beginning, where the code stands
    AnswerTable = result.answers;
    ProfileScores = survey::profileFromAnswers(AnswerTable);
    showScores();

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

void TForm1::showScores()
{
    const QChar separator = numfmt::localeDecimalSeparator();
    for (int k = 0; k < survey::kTypeCount; ++k) {
        CurrentScoreFields[k]->setText(survey::scoreFieldText(ProfileScores[k], separator));
        PreferredScoreFields[k]->setText(
            survey::scoreFieldText(ProfileScores[k + survey::kTypeCount], separator));
    }
}

void TForm1::showLoadError(const QString &path, const QString &message, int line)
{
    const QString file = QDir::toNativeSeparators(path);
    QString text = message;
    if (line > 0)
        text += QStringLiteral("\nФайл: %1, строка %2").arg(file, QString::number(line));
    else if (!message.contains(file))
        text += QStringLiteral("\nФайл: %1").arg(file);
    showError(text);
}

void TForm1::showError(const QString &message)
{
    ui::Dialogs::instance().showError(this, formtexts::kApplicationTitle, message);
}
