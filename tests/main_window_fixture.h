#pragma once

#include "About.h"
#include "PlotOCAI.h"
#include "fake_desktop_shell.h"
#include "fake_dialogs.h"
#include "result_files.h"

#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// The names of the menu bar's visible entries.
inline QStringList visibleMenuEntries(const QMainWindow &window)
{
    QStringList names;
    for (QAction *action : window.menuBar()->actions())
        if (action->isVisible())
            names << action->text();
    return names;
}

// The main window with the about box, a recording desktop and scripted dialogs, in the
// English locale unless a test chooses another.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        form = std::make_unique<TForm1>(desktop);
        about = std::make_unique<TAboutBox>(form.get());
        form->setAboutBox(about.get());
    }
    void TearDown() override
    {
        about.reset();
        form.reset();
        QLocale::setDefault(QLocale::c());
    }

    QStringList visibleMenuEntries() const { return ::visibleMenuEntries(*form); }

    QString fields() const
    {
        QStringList texts;
        for (QLineEdit *f : form->CurrentScoreFields)
            texts << f->text();
        for (QLineEdit *f : form->PreferredScoreFields)
            texts << f->text();
        return texts.join(QLatin1Char('|'));
    }

    // Writes an encrypted result file and has the dialog choose it.
    QString chooseResult(const QString &name, const QByteArray &cipher)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testfiles::writeFile(path, cipher));
        dialogs.nextPath = path;
        return path;
    }

    // Loads a respondent whose six rows of each half hold the same points.
    void loadProfile(std::array<int, 4> now, std::array<int, 4> future,
                     const QString &code = QStringLiteral("r1"))
    {
        chooseResult(
            code + QStringLiteral("OCAI.cry"),
            testfiles::encrypt(testfiles::resultText(code, testfiles::uniformRows(now, future))));
        form->mmOpenClick();
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    }

    RecordingDesktopShell desktop{true};
    FakeDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TAboutBox> about;
};
