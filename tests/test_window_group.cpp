// "Group" through the window: the mean profile of a folder, and nothing partial on failure.
#include "main_window_fixture.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"
#include "widgets/text_buffer.h"

#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

class WindowGroupTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("group")));
        group = QDir(dir.filePath(QStringLiteral("group")));
    }

    QString writeRespondent(const QString &name, const std::array<std::array<int, 5>, 12> &rows)
    {
        const QString path = group.filePath(name);
        EXPECT_TRUE(testfiles::writeFile(
            path, testfiles::encrypt(testfiles::resultText(QStringLiteral("g"), rows))));
        return path;
    }

    // Keeps the state a failed group load must not touch.
    struct Snapshot {
        survey::AnswerTable answers;
        survey::ProfileScores scores;
        QString fields, code, info;
    };
    Snapshot snapshot() const
    {
        return {form->AnswerTable, form->ProfileScores, fields(), form->ceCode->text(),
                form->ceInfo->text()};
    }
    void expectUnchanged(const Snapshot &before) const
    {
        EXPECT_EQ(form->AnswerTable, before.answers);
        EXPECT_EQ(form->ProfileScores, before.scores);
        EXPECT_EQ(fields(), before.fields);
        EXPECT_EQ(form->ceCode->text(), before.code);
        EXPECT_EQ(form->ceInfo->text(), before.info);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

    QDir group;
};

TEST_F(WindowGroupTest, OneFileGivesWhatDataGives)
{
    const auto rows = testfiles::uniformRows({10, 20, 30, 40}, {40, 30, 20, 10});
    dialogs.nextPath = writeRespondent(QStringLiteral("aOCAI.cry"), rows);
    form->mmOpenClick();
    const survey::AnswerTable single = form->AnswerTable;
    const QString singleFields = fields();

    form->mmGroupClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(dialogs.requests.last().title,
              QStringLiteral("Данные для построения группового профиля OCAI"));
    EXPECT_EQ(dialogs.requests.last().folder, form->ProgramDir + QStringLiteral("Data"));
    EXPECT_EQ(form->AnswerTable, single);
    EXPECT_EQ(fields(), singleFields);
    EXPECT_EQ(form->ceCode->text(), QStringLiteral("Group"));
    EXPECT_EQ(form->ceInfo->text(), QStringLiteral("Информация по группе  (N = 1)"));
    EXPECT_EQ(form->sbShotInstr->panelText(),
              QStringLiteral("Перед сохранением графиков [A] и [B] Вы можете отредактировать "
                             "информационное поле для группы"));
    EXPECT_TRUE(form->SaveData1->isEntryEnabled());
    EXPECT_TRUE(form->SavePlot1->isEntryEnabled()); // Plot A drawn at the end
    EXPECT_FALSE(form->imPlot->isHidden());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(WindowGroupTest, AveragesCellByCellAndCountsHiddenFiles)
{
    auto first = testfiles::uniformRows({30, 20, 30, 20}, {25, 25, 25, 25});
    auto second = testfiles::uniformRows({45, 15, 20, 20}, {25, 25, 25, 25});
    writeRespondent(QStringLiteral("aOCAI.cry"), first);
    writeRespondent(QStringLiteral(".hiddenocai.CRY"), second);
    writeRespondent(QStringLiteral("notes.cry"), second); // not matching: left out
    dialogs.nextPath = group.filePath(QStringLiteral("notes.cry"));
    form->mmGroupClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(form->AnswerTable[0][0], 37.5);
    EXPECT_EQ(form->ceInfo->text(), QStringLiteral("Информация по группе  (N = 2)"));
    EXPECT_EQ(form->CurrentScoreFields[0]->text(), QStringLiteral("37.50"));
    // The hidden text buffer holds the last file read, in the order of the names' bytes.
    EXPECT_EQ(form->textBuffer->text(),
              survey::Pc1Decrypt(testfiles::programKey(), testfiles::encrypt(testfiles::resultText(
                                                              QStringLiteral("g"), first))));
}

TEST_F(WindowGroupTest, AFolderWithoutResultFilesChangesNothing)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const Snapshot before = snapshot();
    dialogs.nextPath = writeRespondent(QStringLiteral("lonely.cry"),
                                       testfiles::uniformRows({1, 2, 3, 4}, {4, 3, 2, 1}));
    form->mmGroupClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("*OCAI.cry")))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QDir::toNativeSeparators(group.path())));
    expectUnchanged(before);
}

TEST_F(WindowGroupTest, ABrokenFileAmongGoodOnesChangesNothing)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const Snapshot before = snapshot();
    writeRespondent(QStringLiteral("aOCAI.cry"),
                    testfiles::uniformRows({1, 2, 3, 4}, {4, 3, 2, 1}));
    const QString broken = group.filePath(QStringLiteral("bOCAI.cry"));
    ASSERT_TRUE(testfiles::writeFile(broken, "not a result file at all"));
    writeRespondent(QStringLiteral("cOCAI.cry"),
                    testfiles::uniformRows({1, 2, 3, 4}, {4, 3, 2, 1}));
    dialogs.nextPath = broken;
    form->mmGroupClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("bOCAI.cry")))
        << dialogs.errors[0].toStdString();
    EXPECT_EQ(dialogs.errorCaptions[0], QStringLiteral("VILT.ZARAva.Rori"));
    expectUnchanged(before);
}

#ifdef Q_OS_UNIX
TEST_F(WindowGroupTest, AnEntryThatCannotBeReadIsNamedWithTheReason)
{
    loadProfile({40, 30, 20, 10}, {25, 25, 25, 25});
    const Snapshot before = snapshot();
    dialogs.nextPath = writeRespondent(QStringLiteral("aOCAI.cry"),
                                       testfiles::uniformRows({1, 2, 3, 4}, {4, 3, 2, 1}));
    const auto at = [this](const char *name) {
        return QFile::encodeName(group.path()) + '/' + name;
    };
    const struct {
        bool made;
        const char *name, *shown, *reason;
    } cases[] = {
        {::mkfifo(at("fifoOCAI.cry").constData(), 0600) == 0, "fifoOCAI.cry", "fifoOCAI.cry",
         "Это именованный канал, а не файл."},
        {::symlink("gone", at("goneOCAI.cry").constData()) == 0, "goneOCAI.cry", "goneOCAI.cry",
         "Символическая ссылка ведёт к несуществующему файлу."},
        {::close(::creat(at("\xcf\xe5OCAI.cry").constData(), 0600)) == 0, "\xcf\xe5OCAI.cry",
         "\\xCF\\xE5OCAI.cry", "Имя файла не в кодировке UTF-8."},
    };
    // Each entry in turn is the first in byte order that fails; then it is removed.
    for (const auto &c : cases) {
        ASSERT_TRUE(c.made) << c.shown;
        dialogs.errors.clear();
        form->mmGroupClick();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_EQ(dialogs.errors[0], QStringLiteral("Cannot open file %1\n%2")
                                         .arg(group.filePath(QString::fromUtf8(c.shown)),
                                              QString::fromUtf8(c.reason)));
        expectUnchanged(before);
        ::unlink(at(c.name).constData());
    }
    form->mmGroupClick();
    EXPECT_EQ(form->ceInfo->text(), QStringLiteral("Информация по группе  (N = 1)"));
}
#endif

TEST_F(WindowGroupTest, CancelChangesNothing)
{
    const Snapshot before = snapshot();
    dialogs.nextPath.clear();
    form->mmGroupClick();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_TRUE(form->paData->isHidden());
    expectUnchanged(before);
}

} // namespace
