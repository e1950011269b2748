// What each command shows, hides, enables and names, driven through the window.
#include "glyphs.h"
#include "main_window_fixture.h"
#include "plots/colour_for_index.h"
#include "survey/resource.h"
#include "widgets/bar_chart.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QList<double> barValues(const ui::BarSeries &series)
{
    QList<double> values;
    for (const ui::BarPoint &point : series.points)
        values << point.y;
    return values;
}

QList<QRgb> barColours(const ui::BarSeries &series)
{
    QList<QRgb> colours;
    for (const ui::BarPoint &point : series.points)
        colours << point.colour.rgb();
    return colours;
}

QList<QRgb> fourOf(QRgb colour)
{
    return {colour, colour, colour, colour};
}

void doubleClick(QWidget *widget)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(2, 2),
                      widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void chooseColour(QComboBox *chooser, int index)
{
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
}

class WindowViewsTest : public MainWindowTest {
protected:
    QString plotCCaption() const { return form->mmPlotC->text(); }
    bool chartOnShow() const { return !form->ChartDel->isHidden(); }
};

TEST_F(WindowViewsTest, PlotBThenPlotASwapEntriesLetterAndSaveCaption)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmQPlotClick();
    EXPECT_FALSE(form->paPlot->isHidden());
    EXPECT_EQ(form->laPlot->text(), QStringLiteral("B"));
    EXPECT_EQ(form->SavePlot1->text(), QStringLiteral("Plot B"));
    EXPECT_EQ(form->SavePlot1->icon().cacheKey(), form->mmQPlot->icon().cacheKey());
    EXPECT_TRUE(form->SavePlot1->isEntryEnabled());
    EXPECT_FALSE(form->mmQPlot->isEntryEnabled());
    EXPECT_TRUE(form->mmGPlot->isEntryEnabled());
    EXPECT_EQ(form->meInfoQ->toPlainText(),
              QStringLiteral("Для вывода данных и альтернатив по вопросу два раза кликните "
                             "\"мышью\" по соответсвующему графику."));
    for (ui::BarChart *chart : form->questionCharts()) {
        const int q = tagOf(chart);
        EXPECT_EQ(chart->model().title, QStringList(survey::QuestionTitles[q - 1]));
        EXPECT_EQ(barValues(chart->series(0)), QList<double>({40, 30, 20, 10}));
        EXPECT_EQ(barValues(chart->series(1)), QList<double>({25, 25, 25, 25}));
        EXPECT_EQ(barColours(chart->series(0)), fourOf(qRgb(255, 0, 0)));
        EXPECT_EQ(barColours(chart->series(1)), fourOf(qRgb(0, 0, 255)));
    }

    form->mmGPlotClick();
    EXPECT_TRUE(form->paPlot->isHidden());
    EXPECT_FALSE(form->imPlot->isHidden());
    EXPECT_EQ(form->laPlot->text(), QStringLiteral("A"));
    EXPECT_EQ(form->SavePlot1->text(), QStringLiteral("Plot A"));
    EXPECT_TRUE(form->mmQPlot->isEntryEnabled());
    EXPECT_FALSE(form->mmGPlot->isEntryEnabled());
}

TEST_F(WindowViewsTest, PlotBDataTestLooksAtPointsOnly)
{
    form->AnswerTable[3][survey::kTimeColumn] = 120; // times alone are no data
    form->mmQPlotClick();
    EXPECT_TRUE(form->paPlot->isHidden());
    EXPECT_FALSE(form->mmQPlot->isEntryEnabled());
    EXPECT_TRUE(form->mmGPlot->isEntryEnabled());
    EXPECT_EQ(form->SavePlot1->text(), QStringLiteral("Plot A"));

    form->AnswerTable[8][2] = 5; // one preferred point is enough
    form->mmQPlotClick();
    EXPECT_FALSE(form->paPlot->isHidden());
    EXPECT_EQ(barValues(form->Chart3->series(1)), QList<double>({0, 0, 5, 0}));
}

TEST_F(WindowViewsTest, PlotCTogglesChartAndEntry)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    EXPECT_EQ(plotCCaption(), QStringLiteral("Plot C"));
    form->mmPlotCClick();
    EXPECT_TRUE(chartOnShow());
    EXPECT_EQ(plotCCaption(), QStringLiteral("Info"));
    EXPECT_EQ(tagOf(form->mmPlotC), 1);
    const auto image = [](const QIcon &icon) { return icon.pixmap(16).toImage(); };
    EXPECT_EQ(image(form->mmPlotC->icon()), image(glyphs::tableImage()));
    const ui::BarSeries &bars = form->ChartDel->series(0);
    EXPECT_EQ(barValues(bars), QList<double>({15, 5, -5, -15}));
    QStringList labels;
    for (const ui::BarPoint &point : bars.points)
        labels << point.label;
    EXPECT_EQ(labels, QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(form->ChartDel->model().foot,
              QStringList(QStringLiteral("Суммарные значения по всем шкалам")));

    form->mmPlotCClick();
    EXPECT_FALSE(chartOnShow());
    EXPECT_FALSE(form->meInfoABCD->isHidden());
    EXPECT_EQ(plotCCaption(), QStringLiteral("Plot C"));
    EXPECT_EQ(tagOf(form->mmPlotC), 0);
    EXPECT_EQ(image(form->mmPlotC->icon()), image(glyphs::barsImage()));
}

TEST_F(WindowViewsTest, PlotCWithoutScoresOnlyFlipsTheEntry)
{
    form->AnswerTable[0][survey::kTimeColumn] = 30;
    form->mmPlotCClick();
    EXPECT_EQ(plotCCaption(), QStringLiteral("Info"));
    EXPECT_FALSE(chartOnShow());
    form->mmPlotCClick();
    EXPECT_EQ(plotCCaption(), QStringLiteral("Plot C"));
    EXPECT_FALSE(chartOnShow());
}

TEST_F(WindowViewsTest, ALoadHidesTheChartButKeepsTheEntryCaption)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmPlotCClick();
    ASSERT_TRUE(chartOnShow());
    loadProfile({10, 20, 30, 40}, {25, 25, 25, 25}, QStringLiteral("r2"));
    EXPECT_FALSE(chartOnShow());
    EXPECT_FALSE(form->meInfoABCD->isHidden());
    EXPECT_EQ(plotCCaption(), QStringLiteral("Info"));
    form->mmPlotCClick(); // reads "Plot C" now and shows the new profile's differences
    EXPECT_EQ(plotCCaption(), QStringLiteral("Plot C"));
    EXPECT_TRUE(chartOnShow());
    EXPECT_EQ(barValues(form->ChartDel->series(0)), QList<double>({-15, -5, 5, 15}));
}

TEST_F(WindowViewsTest, QuestionDoubleClickShowsDetailsAndItsDifferences)
{
    auto rows = testfiles::uniformRows({50, 20, 20, 10}, {25, 25, 25, 25});
    rows[3] = {100, 0, 0, 0, 60};
    chooseResult(QStringLiteral("qOCAI.cry"),
                 testfiles::encrypt(testfiles::resultText(QStringLiteral("q"), rows)));
    form->mmOpenClick();
    form->mmQPlotClick();
    form->Chart1DblClick(form->Chart4);
    const QStringList lines = form->meInfoQ->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("   A   B   C   D"));
    EXPECT_EQ(lines[1], QStringLiteral(" 100   0   0   0 Реальное (Red)"));
    EXPECT_EQ(lines[2], QStringLiteral("  25  25  25  25 Желаемое (Blue)"));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(lines[3 + k], survey::AlternativeTexts[12 + k]);
    EXPECT_TRUE(chartOnShow());
    EXPECT_EQ(form->ChartDel->model().foot,
              QStringList(QStringLiteral("4. Связующая сущность организации")));
    EXPECT_EQ(barValues(form->ChartDel->series(0)), QList<double>({75, -25, -25, -25}));
    EXPECT_EQ(plotCCaption(), QStringLiteral("Info"));

    form->mmGPlotClick(); // back to Plot A: the question's chart stays
    EXPECT_TRUE(chartOnShow());
    form->mmPlotCClick();
    EXPECT_FALSE(chartOnShow());
    EXPECT_EQ(plotCCaption(), QStringLiteral("Plot C"));
}

TEST_F(WindowViewsTest, ChartDoubleClickTogglesMarksAcrossRefills)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmPlotCClick();
    doubleClick(form->ChartDel);
    EXPECT_EQ(tagOf(form->ChartDel), 1);
    EXPECT_TRUE(form->ChartDel->series(0).marksVisible);
    form->mmPlotCClick();
    form->mmPlotCClick(); // hidden, then refilled
    EXPECT_TRUE(form->ChartDel->series(0).marksVisible);
    doubleClick(form->ChartDel);
    EXPECT_EQ(tagOf(form->ChartDel), 0);
    EXPECT_FALSE(form->ChartDel->series(0).marksVisible);
}

TEST_F(WindowViewsTest, TypeLabelDoubleClickReplacesTheExplanation)
{
    QString expected = survey::typeDescription(2);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    doubleClick(form->laB);
    EXPECT_EQ(form->meInfoABCD->toPlainText(), expected);
    doubleClick(form->laB);
    EXPECT_EQ(form->meInfoABCD->toPlainText(), expected); // replaced, not doubled
    EXPECT_TRUE(
        form->meInfoABCD->toPlainText().startsWith(QStringLiteral("Адхократическая культура\n")));

    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmPlotCClick();
    doubleClick(form->laC); // under the chart: nothing visible changes
    EXPECT_TRUE(chartOnShow());
    EXPECT_TRUE(form->meInfoABCD->toPlainText().startsWith(QStringLiteral("Рыночная культура\n")));
}

TEST_F(WindowViewsTest, ClearResetsTheDataButKeepsTimesMenusAndPanels)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmPlotCClick();
    const QStringList menus = visibleMenuEntries();
    form->Clear1Click();
    for (int r = 0; r < survey::kAnswerRows; ++r) {
        for (int k = 0; k < survey::kTypeCount; ++k)
            EXPECT_EQ(form->AnswerTable[r][k], 0);
        EXPECT_EQ(form->AnswerTable[r][survey::kTimeColumn], 30 + r);
    }
    EXPECT_EQ(form->ProfileScores, survey::ProfileScores{});
    EXPECT_EQ(fields(), QStringLiteral("0|0|0|0|0|0|0|0"));
    EXPECT_FALSE(form->SaveData1->isEntryEnabled());
    EXPECT_FALSE(form->SavePlot1->isEntryEnabled());
    for (QWidget *hidden :
         std::initializer_list<QWidget *>{form->paPlot, form->imPlot, form->ChartDel, form->laPlot})
        EXPECT_TRUE(hidden->isHidden());
    for (QWidget *shown : std::initializer_list<QWidget *>{form->paData, form->meInfoABCD,
                                                           form->ceInfo, form->sbShotInstr})
        EXPECT_FALSE(shown->isHidden());
    EXPECT_TRUE(form->ceCode->text().isEmpty());
    EXPECT_TRUE(form->ceInfo->text().isEmpty());
    EXPECT_EQ(form->sbShotInstr->panelText(),
              QStringLiteral("Для построения профиля загрузить данные через меню [Data] или "
                             "[Group], либо ввести данные вручную [00.00], указав код [abc123]"));
    EXPECT_TRUE(form->SavePlot1->icon().isNull());
    EXPECT_EQ(visibleMenuEntries(), menus);
    EXPECT_EQ(plotCCaption(), QStringLiteral("Info"));
    EXPECT_FALSE(form->Clear1->isVisible());
    EXPECT_TRUE(form->Clear1->shortcut().isEmpty());
}

TEST_F(WindowViewsTest, ColourChangeRebuildsPlotBButNotTheDifferenceChart)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmQPlotClick();
    form->Chart1DblClick(form->Chart2);
    chooseColour(form->cbABCD1col, 2);
    EXPECT_EQ(barColours(form->Chart5->series(0)), fourOf(qRgb(0, 255, 0)));
    EXPECT_EQ(barColours(form->Chart5->series(1)), fourOf(qRgb(0, 0, 255)));
    EXPECT_TRUE(form->meInfoQ->toPlainText().startsWith(QStringLiteral("Для вывода данных")));
    EXPECT_EQ(barColours(form->ChartDel->series(0)), fourOf(qRgb(255, 0, 0)));
    form->Chart1DblClick(form->Chart2); // the details still name the fixed colours
    EXPECT_TRUE(form->meInfoQ->toPlainText().contains(QStringLiteral(" Реальное (Red)")));
    EXPECT_EQ(barColours(form->ChartDel->series(0)), fourOf(qRgb(0, 255, 0)));

    // Text typed over the chooser that names no item draws black.
    form->cbABCD2col->lineEdit()->setText(QStringLiteral("Purple"));
    emit form->cbABCD2col->lineEdit()->textEdited(QStringLiteral("Purple"));
    EXPECT_EQ(barColours(form->Chart1->series(1)), fourOf(qRgb(0, 0, 0)));
    // A change by program runs nothing.
    form->cbABCD1col->setCurrentIndex(4);
    EXPECT_EQ(barColours(form->Chart1->series(0)), fourOf(qRgb(0, 255, 0)));
}

TEST(ColourForIndex, MapsTheFiveItemsAndEverythingElseToBlack)
{
    const struct {
        int index;
        QRgb colour;
    } cases[] = {{0, qRgb(0, 0, 0)},   {1, qRgb(255, 0, 0)},   {2, qRgb(0, 255, 0)},
                 {3, qRgb(0, 0, 255)}, {4, qRgb(255, 255, 0)}, {5, qRgb(0, 0, 0)},
                 {-1, qRgb(0, 0, 0)}};
    for (const auto &c : cases)
        EXPECT_EQ(plots::ColorForIndex(c.index).rgb(), c.colour) << c.index;
}

TEST_F(WindowViewsTest, AboutBoxClosedWithoutOkShowsNoEntries)
{
    desktop.sendSystemCommand(1025);
    ASSERT_TRUE(about->isVisible());
    about->close();
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(visibleMenuEntries().isEmpty());
    EXPECT_EQ(about->Panel2->geometry(), QRect(8, 8, 281, 185));
}

TEST_F(WindowViewsTest, MenuBarKeepsItsHeightWhenEntriesAppear)
{
    form->show();
    QCoreApplication::processEvents();
    const int barHeight = form->menuBar()->height();
    const QPoint client = form->centralWidget()->mapToGlobal(QPoint(0, 0));
    desktop.sendSystemCommand(1025);
    about->OKButton->click();
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    QCoreApplication::processEvents();
    EXPECT_EQ(form->menuBar()->height(), barHeight);
    EXPECT_EQ(form->cbABCD1col->view()->sizeHintForRow(0), 20);
    EXPECT_EQ(form->centralWidget()->mapToGlobal(QPoint(0, 0)), client);
}

} // namespace
