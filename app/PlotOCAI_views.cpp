// Plot B, Plot C, the double clicks and "Clear": the commands that switch what is on show.
#include "PlotOCAI.h"

#include "form_texts.h"
#include "glyphs.h"
#include "plots/colour_for_index.h"
#include "plots/difference_chart.h"
#include "plots/question_charts.h"
#include "survey/resource.h"
#include "widgets/bar_chart.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QColor chooserColour(const QComboBox *chooser)
{
    return plots::ColorForIndex(colourIndex(chooser));
}

// The memo shows lines; the texts end theirs with CR LF.
QString memoText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void TForm1::mmQPlotClick()
{
    if (survey::answersPresent(AnswerTable)) {
        meInfoQ->setPlainText(formtexts::kPlotBHint);
        paPlot->show();
        SavePlot1->setEntryEnabled(true);
        laPlot->setText(QStringLiteral("B"));
        SavePlot1->setIcon(mmQPlot->icon());
        SavePlot1->setText(QStringLiteral("Plot B"));
        const QColor now = chooserColour(cbABCD1col);
        const QColor future = chooserColour(cbABCD2col);
        for (ui::BarChart *chart : questionCharts()) {
            plots::fillQuestionChart(chart->model(), tagOf(chart), AnswerTable, now, future);
            chart->redraw();
        }
    }
    mmQPlot->setEntryEnabled(false);
    mmGPlot->setEntryEnabled(true);
}

void TForm1::setPlotCEntry(int tag)
{
    setTag(mmPlotC, tag);
    mmPlotC->setIcon(tag == 1 ? glyphs::tableImage() : glyphs::barsImage());
    mmPlotC->setText(tag == 1 ? QStringLiteral("Info") : QStringLiteral("Plot C"));
}

void TForm1::mmPlotCClick()
{
    // The entry flips first and always, whatever is on show.
    setPlotCEntry(tagOf(mmPlotC) == 0 ? 1 : 0);
    if (!survey::scoresPresent(ProfileScores))
        return;
    if (!ChartDel->isHidden()) {
        ChartDel->hide();
        meInfoABCD->show();
        return;
    }
    ChartDel->show();
    plots::fillDifferenceChart(ChartDel->model(), plots::profileDifferences(ProfileScores),
                               chooserColour(cbABCD1col), plots::kWholeProfileFoot);
    ChartDel->redraw();
}

void TForm1::Chart1DblClick(QObject *sender)
{
    const int question = tagOf(sender);
    if (question < 1 || question > survey::kQuestionCount)
        return;
    meInfoQ->setPlainText(memoText(plots::questionDetails(question, AnswerTable)));
    ChartDel->show();
    plots::fillDifferenceChart(ChartDel->model(), plots::questionDifferences(AnswerTable, question),
                               chooserColour(cbABCD1col), survey::QuestionTitles[question - 1]);
    ChartDel->redraw();
    setPlotCEntry(1);
}

void TForm1::ChartDelDblClick()
{
    const bool marks = tagOf(ChartDel) == 0;
    setTag(ChartDel, marks ? 1 : 0);
    ChartDel->series(0).marksVisible = marks;
    ChartDel->redraw();
}

void TForm1::laADblClick(QObject *sender)
{
    meInfoABCD->setPlainText(memoText(survey::typeDescription(tagOf(sender))));
}

void TForm1::Clear1Click()
{
    for (survey::AnswerRow &row : AnswerTable)
        std::fill(row.begin(), row.begin() + survey::kTypeCount, 0.0);
    ProfileScores.fill(0);
    for (QLineEdit *field : CurrentScoreFields)
        field->setText(QStringLiteral("0"));
    for (QLineEdit *field : PreferredScoreFields)
        field->setText(QStringLiteral("0"));
    SaveData1->setEntryEnabled(false);
    SavePlot1->setEntryEnabled(false);
    paPlot->hide();
    imPlot->hide();
    ChartDel->hide();
    ceCode->clear();
    ceInfo->clear();
    sbShotInstr->setPanelText(formtexts::kStatusCleared);
    laPlot->hide();
    SavePlot1->setIcon(QIcon());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The type labels answer a double click, as the charts do through their own signal.
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const QLabel *label : {laA, laB, laC, laD}) {
            if (watched == label) {
                laADblClick(watched);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
