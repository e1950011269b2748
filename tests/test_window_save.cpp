// "Save": the plot on show as GIF, and the text report, through the window.
#include "core/text_codec.h"
#include "documents/plot_pictures.h"
#include "main_window_fixture.h"
#include "shell/desktop_shell.h"
#include "widgets/bar_chart.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

class WindowSaveTest : public MainWindowTest {
protected:
    QString target(const QString &name)
    {
        const QString path = dir.filePath(name);
        dialogs.nextPath = path;
        return path;
    }
    QRect expectedRect(const QWidget *plot, int height) const
    {
        return QRect(plot->mapToGlobal(QPoint(0, 0)) - QPoint(0, 26), QSize(686, height));
    }
};

TEST_F(WindowSaveTest, PlotAIsSavedWithItsStripAndDefaultName)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const QString path = target(QStringLiteral("plot"));
    form->btSaveClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const ui::FileRequest &request = dialogs.requests.last();
    EXPECT_EQ(request.title, QStringLiteral("Запись общего профиля в gif-файл"));
    EXPECT_EQ(request.filter, QStringLiteral("GIF Files (*.gif)|*.GIF"));
    EXPECT_TRUE(request.folder.endsWith(QStringLiteral("Results"))) << request.folder.toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(request.fileName),
              QDir::fromNativeSeparators(request.folder) + QStringLiteral("/OCAI Plot A r1.gif"));
    EXPECT_EQ(desktop.capturedRect, expectedRect(form->imPlot, 698));
    const QImage saved(path + QStringLiteral(".gif"));
    EXPECT_EQ(saved.size(), QSize(686, 698));
}

TEST_F(WindowSaveTest, PlotBIsSavedWithoutTheQuestionMemo)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->mmQPlotClick();
    target(QStringLiteral("b.gif"));
    form->btSaveClick();
    EXPECT_EQ(dialogs.requests.last().title, QStringLiteral("Запись графиков вопросов в gif-файл"));
    EXPECT_TRUE(dialogs.requests.last().fileName.endsWith(QStringLiteral("OCAI Plot B r1.gif")));
    EXPECT_EQ(desktop.capturedRect, expectedRect(form->paPlot, 543));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("b.gif"))).size(), QSize(686, 543));
}

TEST_F(WindowSaveTest, OnlyAnExactGifEndingIsKept)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const struct {
        const char *chosen, *written;
    } cases[] = {
        {"a.gif", "a.gif"}, {"b.GIF", "b.GIF.gif"}, {"c", "c.gif"}, {"d.png", "d.png.gif"}};
    for (const auto &c : cases) {
        target(QString::fromLatin1(c.chosen));
        form->btSaveClick();
        EXPECT_TRUE(QFileInfo(dir.filePath(QString::fromLatin1(c.written))).isFile()) << c.chosen;
    }
    dialogs.nextPath.clear(); // cancelled: nothing captured
    desktop.calls.clear();
    form->btSaveClick();
    EXPECT_TRUE(desktop.calls.filter(QStringLiteral("captureScreenRect")).isEmpty());
}

TEST_F(WindowSaveTest, AnAppendedEndingAsksBeforeReplacingAFile)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const QString existing = dir.filePath(QStringLiteral("plot.gif"));
    ASSERT_TRUE(testfiles::writeFile(existing, "earlier picture"));
    target(QStringLiteral("plot")); // the dialog checked "plot", which does not exist
    dialogs.allowOverwrite = false;
    form->btSaveClick();
    EXPECT_EQ(dialogs.overwriteQuestions, QStringList(existing));
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier picture"));
    kept.close();

    dialogs.allowOverwrite = true;
    form->btSaveClick();
    EXPECT_EQ(QImage(existing).size(), QSize(686, 698));
    target(QStringLiteral("plot.gif")); // asked by the dialog itself: no second question
    form->btSaveClick();
    EXPECT_EQ(dialogs.overwriteQuestions.size(), 2);
}

TEST_F(WindowSaveTest, TheProposedFolderIsMadeOnlyForAFileWrittenThere)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->ProgramDir = dir.filePath(QStringLiteral("program/"));
    ASSERT_TRUE(QDir().mkpath(form->ProgramDir));
    const auto left = [&] {
        return QDir(form->ProgramDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    };
    dialogs.nextPath.clear(); // cancelled
    form->btSaveClick();
    form->SaveData1Click();
    EXPECT_EQ(left(), QStringList());
    target(QStringLiteral("program/Results/") + QString(300, u'x')); // a write that fails
    form->btSaveClick();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(left(), QStringList());
    target(QStringLiteral("program/Данные/r.txt"));
    form->SaveData1Click();
    EXPECT_EQ(left(), QStringList(QStringLiteral("Данные")));
}

TEST_F(WindowSaveTest, ACodeFromAFileCannotLeadTheProposedNameElsewhere)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25}, QStringLiteral("x"));
    form->ceCode->setText(QStringLiteral("../up/x"));
    dialogs.nextPath.clear();
    form->btSaveClick();
    form->SaveData1Click();
    ASSERT_EQ(dialogs.requests.size(), 3);
    EXPECT_TRUE(dialogs.requests[1].fileName.endsWith(QStringLiteral("OCAI Plot A .._up_x.gif")))
        << dialogs.requests[1].fileName.toStdString();
    EXPECT_TRUE(dialogs.requests[2].fileName.endsWith(QStringLiteral(".._up_x.OCAI.txt")));
}

TEST_F(WindowSaveTest, AFailedWriteIsReportedNamingTheFile)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    target(QStringLiteral("missing/folder/p.gif"));
    form->btSaveClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("p.gif")))
        << dialogs.errors[0].toStdString();
}

// What "Save" takes from the screen is what ocai-cli draws without one, pixel for pixel.
TEST(WindowSaveOnScreen, SavedPlotsEqualTheOffscreenPictures)
{
    FakeDialogs dialogs;
    QTemporaryDir dir;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::unique_ptr<shell::DesktopShell> desktop = shell::createPlatformShell();
    TForm1 form(*desktop);
    form.show();
    dialogs.nextPath = dir.filePath(QStringLiteral("rOCAI.cry"));
    auto rows = testfiles::uniformRows({40, 30, 20, 10}, {10, 20, 30, 40});
    rows[4] = {55, 5, 25, 15, 80};
    ASSERT_TRUE(testfiles::writeFile(
        dialogs.nextPath, testfiles::encrypt(testfiles::resultText(QStringLiteral("r"), rows))));
    // The loaded line, and one of 120 characters that only a smaller size shows whole.
    const struct {
        void (TForm1::*command)();
        const char *name;
        QString info;
    } plots[] = {{&TForm1::mmOpenClick, "a.gif", {}},
                 {&TForm1::mmGroupClick, "g.gif", QStringLiteral("Группа 7: ").repeated(12)}};
    for (const auto &plot : plots) {
        (form.*plot.command)();
        if (!plot.info.isEmpty())
            form.ceInfo->setText(plot.info);
        QCoreApplication::processEvents();
        dialogs.nextPath = dir.filePath(QString::fromLatin1(plot.name));
        form.btSaveClick();
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
        const QImage savedA = QImage(dialogs.nextPath).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(savedA, documents::savedPlotAPicture(form.ceInfo->text(), form.imPlot->image()))
            << plot.name;

        form.mmQPlotClick();
        QCoreApplication::processEvents();
        dialogs.nextPath = dir.filePath(QStringLiteral("b") + QString::fromLatin1(plot.name));
        form.btSaveClick();
        const QImage savedB = QImage(dialogs.nextPath).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(savedB, documents::savedPlotBPicture(form.ceInfo->text(), form.AnswerTable,
                                                       Qt::red, Qt::blue))
            << plot.name;
        dialogs.nextPath = dir.filePath(QStringLiteral("rOCAI.cry"));
    }
    if (form.ChartDel->isHidden())
        form.mmPlotCClick();
    ASSERT_FALSE(form.ChartDel->isHidden());
    EXPECT_EQ(form.ChartDel->grab().toImage().convertToFormat(QImage::Format_RGB32),
              documents::differenceChartPicture(form.ProfileScores, Qt::red, false));
    QLocale::setDefault(QLocale::c());
}

TEST_F(WindowSaveTest, ReportIsWrittenOnlyWithAnswers)
{
    form->AnswerTable[0][survey::kTimeColumn] = 30; // times alone: nothing to save
    form->SaveData1Click();
    EXPECT_TRUE(dialogs.requests.isEmpty());

    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    form->ceInfo->setText(QStringLiteral("Отдел кадров, март"));
    const QString path = target(QStringLiteral("report.txt"));
    ASSERT_TRUE(testfiles::writeFile(path, QByteArray(5000, 'x'))); // replaced, not appended to
    form->SaveData1Click();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const ui::FileRequest &request = dialogs.requests.last();
    EXPECT_EQ(request.title, QStringLiteral("Запись исходных данных в txt-файл"));
    EXPECT_EQ(request.filter, QStringLiteral("TXT Files (*.txt)|*.TXT"));
    EXPECT_TRUE(request.fileName.endsWith(QStringLiteral("r1.OCAI.txt")));
    EXPECT_TRUE(QDir::fromNativeSeparators(request.folder).endsWith(QStringLiteral("/Данные")));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        textcodec::fromWindows1251(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 36); // 35 lines, each ended by CR LF
    EXPECT_EQ(lines[1], QStringLiteral("r1"));
    EXPECT_EQ(lines[2], QStringLiteral("Отдел кадров, март"));
    EXPECT_EQ(lines[12], QStringLiteral("         Клановая культура -  40.0%"));
    EXPECT_EQ(lines[23], QStringLiteral(" 40.00 30.00 20.00 10.00    30.00"));
}

} // namespace
