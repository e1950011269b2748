#include "About.h"
#include "PlotOCAI.h"
#include "main_window_fixture.h"
#include "widgets/bar_chart.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"
#include "widgets/text_buffer.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST_F(MainWindowTest, StartsWithAnEmptyMenuBarAndZeroScores)
{
    EXPECT_TRUE(visibleMenuEntries().isEmpty());
    EXPECT_FALSE(form->mmGPlot->isEntryEnabled());
    EXPECT_TRUE(form->SavePlot1->isVisible());
    EXPECT_TRUE(form->SavePlot1->icon().isNull());
    for (int i = 0; i < 4; ++i) {
        for (QLineEdit *field : {form->CurrentScoreFields[i], form->PreferredScoreFields[i]}) {
            EXPECT_EQ(field->text(), QStringLiteral("0"));
            EXPECT_TRUE(field->isReadOnly());
            EXPECT_EQ(field->parentWidget(), form->paData);
            EXPECT_EQ(field->y(), 61 + 48 * i);
            EXPECT_EQ(field->size(), QSize(81, 28));
        }
        EXPECT_EQ(form->CurrentScoreFields[i]->x(), 132);
        EXPECT_EQ(form->PreferredScoreFields[i]->x(), 236);
    }
    EXPECT_EQ(form->cbABCD1col->currentText(), QStringLiteral("Red"));
    EXPECT_EQ(form->cbABCD2col->currentText(), QStringLiteral("Blue"));
    const QStringList captions = {form->laA->text(), form->laB->text(), form->laC->text(),
                                  form->laD->text()};
    EXPECT_EQ(captions, QStringList({"Клан [A]", "Адхократия[B]", "Рынок [C]", "Иерархия [D]"}));
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             form->paData, form->paPlot, form->meInfoABCD, form->ChartDel, form->ceInfo,
             form->laPlot, form->sbShotInstr, form->ceCode, form->textBuffer, form->keyHolder})
        EXPECT_TRUE(hidden->isHidden()) << hidden->metaObject()->className();
    EXPECT_FALSE(form->imPlot->isHidden());
    EXPECT_FALSE(form->imPlot->hasCanvas());
    EXPECT_EQ(form->keyHolder->text(), QStringLiteral("h7q4n2wж5гьe;851"));
    EXPECT_TRUE(form->ProgramDir.endsWith(QDir::separator()));
}

TEST_F(MainWindowTest, AboutOkRevealsExactlyDataAndGroup)
{
    desktop.sendSystemCommand(0xF020); // another system command shows nothing
    EXPECT_FALSE(about->isVisible());
    desktop.sendSystemCommand(1025);
    EXPECT_TRUE(about->isVisible());
    desktop.sendSystemCommand(1025); // again while open: stays open
    EXPECT_TRUE(about->isVisible());
    about->OKButton->click();
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(visibleMenuEntries(), QStringList({QStringLiteral("Data"), QStringLiteral("Group")}));
}

TEST_F(MainWindowTest, MalformedScoreReportsInStatusBarAndKeepsEverythingElse)
{
    form->CurrentScoreFields[1]->setText(QStringLiteral("x"));
    form->PreferredScoreFields[0]->setText(QStringLiteral("y"));
    form->ProfileScores = {1, 2, 3, 4, 5, 6, 7, 8};
    form->mmGPlotClick();
    EXPECT_EQ(form->sbShotInstr->panelText(),
              QStringLiteral("Ошибка в данных. Проверьте формат данных [00.00]."));
    EXPECT_FALSE(form->imPlot->hasCanvas());
    EXPECT_EQ(form->ProfileScores, (survey::ProfileScores{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(form->laPlot->isHidden());
    EXPECT_EQ(form->laPlot->text(), QStringLiteral("A"));
    EXPECT_EQ(form->SavePlot1->text(), QStringLiteral("Plot A"));
    EXPECT_FALSE(form->SavePlot1->icon().isNull());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(MainWindowTest, ColourChangeRedrawsPlotAWhilePlotBIsEnabled)
{
    form->mmGPlotClick();
    ASSERT_TRUE(form->imPlot->hasCanvas());
    const QPoint legend(12, 336 - 25 + 9); // inside "Текущее"
    auto inkIn = [&](const QRect &cell, QRgb colour) {
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (form->imPlot->image().pixel(x, y) == colour)
                    return true;
        return false;
    };
    const QRect cell(legend.x(), 311, 60, 18);
    EXPECT_TRUE(inkIn(cell, qRgb(255, 0, 0)));
    form->cbABCD1col->setCurrentIndex(2);
    emit form->cbABCD1col->activated(2);
    EXPECT_TRUE(inkIn(cell, qRgb(0, 255, 0)));
    EXPECT_FALSE(inkIn(cell, qRgb(255, 0, 0)));
}

TEST_F(MainWindowTest, LoadingAResultFileShowsTheProfile)
{
    const QString path = chooseResult(
        QStringLiteral("ivn01OCAI.cry"),
        testfiles::encrypt(testfiles::resultText(
            QStringLiteral("ivn01"), testfiles::uniformRows({10, 20, 30, 40}, {50, 25, 25, 0}))));
    form->mmOpenClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    ASSERT_EQ(dialogs.requests.size(), 1);
    EXPECT_EQ(dialogs.requests[0].title,
              QStringLiteral("Данные для построения индивидуального профиля OCAI"));
    EXPECT_EQ(dialogs.requests[0].folder, form->ProgramDir + QStringLiteral("Data"));
    EXPECT_EQ(dialogs.requests[0].filter, QStringLiteral("CRY Files (*.cry)|*.cry"));

    EXPECT_EQ(fields(), QStringLiteral("10.00|20.00|30.00|40.00|50.00|25.00|25.00| 0.00"));
    EXPECT_EQ(form->ProfileScores, (survey::ProfileScores{10, 20, 30, 40, 50, 25, 25, 0}));
    EXPECT_EQ(form->ceCode->text(), QStringLiteral("ivn01"));
    EXPECT_EQ(form->ceInfo->text(),
              QStringLiteral("ivn01  Отдел продаж  Дата: 12.03.2026  Начало: 10:15:32  "
                             "Выполнение: 00:14:05"));
    EXPECT_EQ(form->AnswerTable[11][4], 41);
    EXPECT_EQ(form->sbShotInstr->panelText(),
              QStringLiteral("Перед сохранением графиков [A] и [B] Вы можете отредактировать "
                             "информационное поле для индивида"));
    for (QWidget *shown :
         std::initializer_list<QWidget *>{form->imPlot, form->paData, form->ceInfo,
                                          form->meInfoABCD, form->sbShotInstr, form->laPlot})
        EXPECT_FALSE(shown->isHidden());
    EXPECT_TRUE(form->paPlot->isHidden());
    EXPECT_TRUE(form->ChartDel->isHidden());
    EXPECT_TRUE(form->imPlot->hasCanvas());
    EXPECT_EQ(visibleMenuEntries(),
              QStringList({QStringLiteral("Plot A"), QStringLiteral("Plot B"),
                           QStringLiteral("Plot C"), QStringLiteral("Save")}));
    EXPECT_FALSE(form->mmGPlot->isEntryEnabled());
    EXPECT_TRUE(form->mmQPlot->isEntryEnabled());
    EXPECT_TRUE(form->SavePlot1->isEntryEnabled());
    EXPECT_FALSE(form->SaveData1->isEntryEnabled());
}

TEST_F(MainWindowTest, CommaLocaleWritesAndReadsBackItsSeparator)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto rows = testfiles::uniformRows({10, 20, 30, 40}, {50, 0, 0, 50});
    rows[0][0] = 60; // current A: (60 + 5 * 10) / 6 = 18.333...
    chooseResult(QStringLiteral("b.cry"),
                 testfiles::encrypt(testfiles::resultText(QStringLiteral("r1"), rows)));
    form->mmOpenClick();
    ASSERT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(form->CurrentScoreFields[0]->text(), QStringLiteral("18,33"));
    EXPECT_EQ(form->PreferredScoreFields[1]->text(), QStringLiteral(" 0,00"));
    EXPECT_TRUE(form->imPlot->hasCanvas());
    EXPECT_DOUBLE_EQ(form->ProfileScores[0], 18.33); // parsed back from the field
}

TEST_F(MainWindowTest, FailedLoadLeavesTheLoadedProfileUntouched)
{
    chooseResult(
        QStringLiteral("good.cry"),
        testfiles::encrypt(testfiles::resultText(
            QStringLiteral("good"), testfiles::uniformRows({25, 25, 25, 25}, {40, 30, 20, 10}))));
    form->mmOpenClick();
    ASSERT_TRUE(dialogs.errors.isEmpty());
    const auto answers = form->AnswerTable;
    const auto scores = form->ProfileScores;
    const QString before = fields();
    const QImage canvas = form->imPlot->image().copy();

    auto rows = testfiles::uniformRows({1, 2, 3, 4}, {5, 6, 7, 8});
    QString text = testfiles::resultText(QStringLiteral("bad"), rows);
    text.replace(QStringLiteral("   5   6   7   8     41"),
                 QStringLiteral("   5   6   7 8x      41"));
    chooseResult(QStringLiteral("bad.cry"), testfiles::encrypt(text));
    form->mmOpenClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("' 8x ' is not a valid integer value")))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("строка 35")));
    EXPECT_EQ(dialogs.errorCaptions[0], QStringLiteral("VILT.ZARAva.Rori"));
    EXPECT_EQ(form->ceCode->text(), QStringLiteral("good"));
    EXPECT_TRUE(form->ceInfo->text().startsWith(QStringLiteral("good  ")));
    EXPECT_EQ(form->AnswerTable, answers);
    EXPECT_EQ(form->ProfileScores, scores);
    EXPECT_EQ(fields(), before);
    EXPECT_EQ(form->imPlot->image(), canvas);

    // The reason follows on the second line: a missing file, a folder, a file never encrypted.
    const QString missing = dir.filePath(QStringLiteral("missing.cry"));
    const QString plain = chooseResult(QStringLiteral("plain.cry"), text.toUtf8());
    const QString expected[] = {
        QStringLiteral("Cannot open file %1\nНет такого файла.")
            .arg(QDir::toNativeSeparators(missing)),
        QStringLiteral("Cannot open file %1\nЭто папка.").arg(QDir::toNativeSeparators(dir.path())),
        QStringLiteral("'' is not a valid integer value\nФайл не является зашифрованным файлом "
                       "результатов: в нём есть знаки, которых шифр не пишет.\nФайл: %1, строка 24")
            .arg(QDir::toNativeSeparators(plain))};
    for (const QString &path : {missing, dir.path(), plain}) {
        dialogs.nextPath = path;
        form->mmOpenClick();
    }
    ASSERT_EQ(dialogs.errors.size(), 4);
    EXPECT_EQ(dialogs.errors.mid(1), QStringList(std::begin(expected), std::end(expected)));
    EXPECT_EQ(form->AnswerTable, answers);
}

TEST_F(MainWindowTest, CancelledDialogChangesNothing)
{
    dialogs.nextPath.clear();
    form->mmOpenClick();
    EXPECT_EQ(dialogs.requests.size(), 1);
    EXPECT_TRUE(form->paData->isHidden());
    EXPECT_TRUE(form->ceCode->text().isEmpty());
    EXPECT_EQ(fields(), QStringLiteral("0|0|0|0|0|0|0|0"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace

namespace {

TEST(MainWindowDesktop, TakesTheScreenAtStartAndGivesItBackAtClose)
{
    RecordingDesktopShell desktop(true, QSize(1280, 1024));
    desktop.setCurrentWorkArea({0, 0, 1280, 984});
    {
        TForm1 form(desktop);
        EXPECT_EQ(desktop.calls.filter(QStringLiteral("appendSystemMenuEntry")),
                  QStringList(QStringLiteral("appendSystemMenuEntry 1025 О программе")));
        const int hide = desktop.calls.indexOf(QStringLiteral("hideTaskbar"));
        const int widen = desktop.calls.indexOf(QStringLiteral("setWorkArea 0,0,1280,1024"));
        ASSERT_GE(hide, 0);
        EXPECT_GT(widen, hide);
        EXPECT_LT(desktop.calls.indexOf(QStringLiteral("workArea")), widen);
        desktop.calls.clear();
        form.close();
        const int show = desktop.calls.indexOf(QStringLiteral("showTaskbar"));
        const int restore = desktop.calls.indexOf(QStringLiteral("setWorkArea 0,0,1280,984"));
        ASSERT_GE(show, 0);
        EXPECT_GT(restore, show);
        desktop.calls.clear();
    }
    // Destroying the closed window does not give the desktop back twice.
    EXPECT_FALSE(desktop.calls.contains(QStringLiteral("showTaskbar")));
    EXPECT_EQ(desktop.currentWorkArea(), (shell::WorkArea{0, 0, 1280, 984}));
}

TEST(MainWindowDesktop, WithoutATaskbarTheWorkAreaIsLeftAlone)
{
    RecordingDesktopShell desktop(false);
    {
        TForm1 form(desktop);
        form.close();
    }
    EXPECT_FALSE(desktop.calls.contains(QStringLiteral("hideTaskbar")));
    EXPECT_FALSE(desktop.calls.contains(QStringLiteral("showTaskbar")));
    EXPECT_TRUE(desktop.calls.filter(QStringLiteral("setWorkArea")).isEmpty());
}

} // namespace

namespace {

TEST_F(MainWindowTest, SampleResultLoadsThroughTheDialog)
{
    QFile sample(QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    chooseResult(QStringLiteral("Ivanova01OCAI.cry"),
                 testfiles::encrypt(QString::fromUtf8(sample.readAll())));
    form->mmOpenClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(fields(), QStringLiteral("20.00|11.67|28.33|40.00|38.33|30.83|15.83|15.00"));
    EXPECT_TRUE(form->ceInfo->text().startsWith(form->ceCode->text() + QStringLiteral("  ")));
    EXPECT_FALSE(form->imPlot->isHidden());
    EXPECT_FALSE(form->mmQPlot->isEntryEnabled() == form->mmGPlot->isEntryEnabled());
}

} // namespace
