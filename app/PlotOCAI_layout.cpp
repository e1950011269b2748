// The window's controls at their designed places; behaviour lives in the handler files.
#include "PlotOCAI.h"

#include "documents/plot_pictures.h"
#include "form_fonts.h"
#include "form_texts.h"
#include "glyphs.h"
#include "plots/difference_chart.h"
#include "plots/information_line.h"
#include "plots/plot_a.h"
#include "plots/question_charts.h"
#include "survey/resource.h"
#include "widgets/bar_chart.h"
#include "widgets/fixed_height_delegate.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_bar_style.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace {

const QColor &kMaroon = documents::kPlotLetterColour;

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &place, const QFont &font,
                  const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    if (place.width() > 0) {
        label->setGeometry(place);
    } else { // sized to its caption
        label->move(place.topLeft());
        label->adjustSize();
    }
    return label;
}

QPlainTextEdit *makeMemo(QWidget *parent, const QRect &place, const QFont &font,
                         const QStringList &lines)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setGeometry(place);
    memo->setFont(font);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    return memo;
}

} // namespace

// Created in the designed order: later controls lie above earlier ones.
void TForm1::createControls()
{
    auto *client = new QWidget(this);
    client->setMinimumSize(1024, 730);
    setCentralWidget(client);

    createDiagramArea(client);
    createDifferenceArea(client);
    createPlotPanel(client);
    createInfoLines(client);
    createScorePanel(client);
    createMenu();
    OpenDialog1.filter = formtexts::kResultFilter;
}

void TForm1::createDiagramArea(QWidget *client)
{
    imPlot = new ui::ImageCanvas(client);
    imPlot->setGeometry(QRect(QPoint(336, 34), plots::kPlotACanvas));

    auto *Bevel1 = new QFrame(client);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, 0, 1032, 2);

    laPlot = makeLabel(client, QStringLiteral("A"), QRect(1010, 4, 11, 19),
                       formfonts::crispFont(formfonts::kTimes, 16, true), kMaroon);
    laPlot->hide();
}

// The explanations of the four types and the difference chart share the lower left corner.
void TForm1::createDifferenceArea(QWidget *client)
{
    meInfoABCD = makeMemo(client, QRect(QPoint(1, 352), plots::kDifferenceChart),
                          formfonts::font(formfonts::kSans, 13),
                          {QStringLiteral("Для вывода пояснений по четырем главным  "),
                           QStringLiteral("типам организационной структуры два раза "),
                           QStringLiteral("кликните  \"мышью\" по соответствующему "),
                           QStringLiteral("названию.")});
    meInfoABCD->hide();

    ChartDel = new ui::BarChart(client);
    ChartDel->setGeometry(QRect(QPoint(1, 352), plots::kDifferenceChart));
    ChartDel->setToolTip(QStringLiteral("Двойной клик мышью -\r\nпоказать/скрыть значения"));
    plots::setupDifferenceChart(ChartDel->model());
    ChartDel->redraw();
    setTag(ChartDel, 0);
    makeLabel(ChartDel, QStringLiteral("C"), QRect(320, 4, 0, 0),
              formfonts::crispFont(formfonts::kTimes, 16, true), kMaroon);
    ChartDel->hide();
}

// The status line under everything and the information line above the diagram.
void TForm1::createInfoLines(QWidget *client)
{
    sbShotInstr = new ui::StatusPanel(client);
    sbShotInstr->setGeometry(0, 708, 1024, 22);
    sbShotInstr->setFont(formfonts::font(formfonts::kTimes, 17));
    sbShotInstr->hide();

    ceInfo = new QLineEdit(client);
    ceInfo->setGeometry(336, 10, plots::kInfoFieldWidth, plots::kInfoFieldHeight);
    ceInfo->setAlignment(Qt::AlignCenter);
    ceInfo->setFrame(false);
    ceInfo->setFont(plots::fittedInformationFont(QString()));
    // A line too long for the designed size is drawn smaller, so that all of it shows, on
    // screen and in the pictures saved from there.
    connect(ceInfo, &QLineEdit::textChanged, ceInfo,
            [this](const QString &text) { ceInfo->setFont(plots::fittedInformationFont(text)); });
    QPalette infoPalette = ceInfo->palette();
    infoPalette.setColor(QPalette::Base, infoPalette.color(QPalette::Button));
    ceInfo->setPalette(infoPalette);
    ceInfo->setToolTip(
        QStringLiteral("В данное поле можно\r\nвнести дополнительно\r\nнеобходимую информацию"));
    ceInfo->hide();
}

void TForm1::createPlotPanel(QWidget *client)
{
    paPlot = new QFrame(client);
    paPlot->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    paPlot->setAutoFillBackground(true); // the diagram beneath must not show between charts
    paPlot->setGeometry(QRect(QPoint(336, 34), plots::kPlotACanvas));
    paPlot->hide();
    ui::BarChart **charts[] = {&Chart1, &Chart2, &Chart3, &Chart4, &Chart5, &Chart6};
    for (int q = 0; q < 6; ++q) {
        *charts[q] = new ui::BarChart(paPlot);
        (*charts[q])->setGeometry(documents::kQuestionChartPlaces[std::size_t(q)]);
        plots::setupQuestionChart((*charts[q])->model());
        (*charts[q])->redraw();
        setTag(*charts[q], q + 1);
    }
    meInfoQ = makeMemo(paPlot, QRect(3, 517, 679, 153), formfonts::font(formfonts::kCourier, 15),
                       {QStringLiteral("Для вывода альтернатив по вопросу два раза кликните "
                                       "\"мышью\" по "),
                        QStringLiteral("соответсвующему графику.")});
    meInfoQ->setFrameStyle(QFrame::NoFrame);
    meInfoQ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TForm1::createScorePanel(QWidget *client)
{
    paData = new QFrame(client);
    paData->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paData->setGeometry(1, 1, 334, 351);
    paData->hide();
    const QFont heading = formfonts::font(formfonts::kSans, 19);
    const QFont labels = formfonts::font(formfonts::kSans, 16);
    makeLabel(paData, QStringLiteral("Реальное"), QRect(128, 24, 0, 0), heading, kMaroon);
    makeLabel(paData, QStringLiteral("Желаемое"), QRect(232, 24, 0, 0), heading, kMaroon);
    const QRect typePlaces[] = {
        {56, 64, 61, 20}, {8, 112, 110, 20}, {48, 160, 70, 20}, {22, 208, 96, 20}};
    QLabel **typeLabels[] = {&laA, &laB, &laC, &laD};
    for (int t = 0; t < survey::kTypeCount; ++t) {
        // B's caption is designed without the blank before its letter.
        const QString caption =
            t == 1 ? survey::TypeShortNames[1] + survey::TypeLetters[1] : survey::typeLabel(t);
        QLabel *label = makeLabel(paData, caption, typePlaces[t], labels, kMaroon);
        *typeLabels[t] = label;
        setTag(label, t + 1);
        label->installEventFilter(this);
        if (t > 0)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    makeLabel(paData, QStringLiteral("Contour"), QRect(56, 256, 0, 0), labels, Qt::black);

    const QStringList colours = {QStringLiteral("Black"), QStringLiteral("Red"),
                                 QStringLiteral("Green"), QStringLiteral("Blue"),
                                 QStringLiteral("Yellow")};
    auto makeChooser = [&](int left) {
        auto *chooser = new QComboBox(paData);
        chooser->setEditable(true);
        chooser->setInsertPolicy(QComboBox::NoInsert);
        chooser->setFont(labels);
        chooser->addItems(colours);
        chooser->setItemDelegate(new ui::FixedHeightDelegate(20, chooser));
        chooser->setGeometry(left, 253, 82, 28);
        return chooser;
    };
    cbABCD1col = makeChooser(132);
    cbABCD2col = makeChooser(236);

    ceCode = new QLineEdit(paData);
    ceCode->setGeometry(132, 301, 81, 28);
    ceCode->hide();
}

void TForm1::createMenu()
{
    auto *style = new ui::MenuBarStyle;
    style->setParent(this);
    menuBar()->setStyle(style);
    ui::keepMenuBarHeight(menuBar());

    auto addEntry = [this](const QString &caption, const QIcon &glyph) {
        auto *entry = new ui::MenuEntry(glyph, caption, this);
        menuBar()->addAction(entry);
        entry->setVisible(false);
        return entry;
    };
    mmOpen = addEntry(QStringLiteral("Data"), glyphs::data());
    mmGroup = addEntry(QStringLiteral("Group"), glyphs::group());
    mmGPlot = addEntry(QStringLiteral("Plot A"), glyphs::plotA());
    mmGPlot->setEntryEnabled(false);
    mmGPlot->setStatusTip(QStringLiteral("Построение профиля"));
    mmGPlot->setToolTip(mmGPlot->statusTip());
    mmQPlot = addEntry(QStringLiteral("Plot B"), glyphs::plotB());
    mmPlotC = addEntry(QStringLiteral("Plot C"), glyphs::plotC());
    setTag(mmPlotC, 0);

    mmSaveMenu = new QMenu(QStringLiteral("Save"), this);
    mmSave = menuBar()->addMenu(mmSaveMenu);
    mmSave->setIcon(glyphs::save());
    mmSave->setVisible(false);
    SavePlot1 = new ui::MenuEntry(QIcon(), QStringLiteral("Plot A"), this);
    mmSaveMenu->addAction(SavePlot1);
    SaveData1 = new ui::MenuEntry(glyphs::saveData(), QStringLiteral("Save Data"), this);
    mmSaveMenu->addAction(SaveData1);
    SaveData1->setVisible(false);
    SaveData1->setEntryEnabled(false);

    Clear1 = addEntry(QStringLiteral("Clear"), glyphs::clear());

    connect(mmOpen, &QAction::triggered, this, &TForm1::mmOpenClick);
    connect(mmGroup, &QAction::triggered, this, &TForm1::mmGroupClick);
    connect(mmGPlot, &QAction::triggered, this, &TForm1::mmGPlotClick);
    connect(mmQPlot, &QAction::triggered, this, &TForm1::mmQPlotClick);
    connect(mmPlotC, &QAction::triggered, this, &TForm1::mmPlotCClick);
    connect(SavePlot1, &QAction::triggered, this, &TForm1::btSaveClick);
    connect(SaveData1, &QAction::triggered, this, &TForm1::SaveData1Click);
    connect(Clear1, &QAction::triggered, this, &TForm1::Clear1Click);
    connect(ChartDel, &ui::BarChart::doubleClicked, this, &TForm1::ChartDelDblClick);
    for (ui::BarChart *chart : questionCharts())
        connect(chart, &ui::BarChart::doubleClicked, this,
                [this, chart] { Chart1DblClick(chart); });
}
