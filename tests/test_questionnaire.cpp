// ocai-survey filled through its widgets by keyboard, with a test clock; the file it writes is
// read back by the group load and by `ocai-cli decrypt`.
#include "cli_runner.h"
#include "fake_dialogs.h"
#include "field_note.h"
#include "question_page.h"
#include "start_page.h"
#include "survey/group_result.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"
#include "survey_widgets.h"
#include "survey_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Rows = std::array<std::array<int, 4>, 12>;

class QuestionnaireTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.filePath(QStringLiteral("Data"));
        window = std::make_unique<SurveyWindow>(folder, [this] { return now; });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Key events carrying the text, to `target` or else to whatever has the focus, as a
    // keyboard sends them.
    void press(int key, const QString &text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier,
               QWidget *target = nullptr)
    {
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent down(QEvent::KeyPress, key, mods, text), up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
        QApplication::processEvents();
    }
    void type(const QString &text, QWidget *target = nullptr)
    {
        for (const QChar ch : text)
            press(ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_unknown, ch, {}, target);
    }
    void start(const QString &code, const QString &freeText, int ms)
    {
        type(code);
        press(Qt::Key_Tab);
        type(freeText);
        now = now.addMSecs(ms);
        press(Qt::Key_Return);
    }
    // One screen: the four points with Tab between, `seconds` on it, then Enter.
    void answer(const std::array<int, 4> &points, int seconds)
    {
        for (int k = 0; k < 4; ++k) {
            if (k > 0)
                press(Qt::Key_Tab);
            type(QString::number(points[k]));
        }
        now = now.addSecs(seconds);
        press(Qt::Key_Return);
    }
    QString fillAll(const QString &code, const Rows &rows)
    {
        start(code, QStringLiteral("Отдел продаж"), 1000);
        for (int r = 0; r < 12; ++r)
            answer(rows[r], 10);
        return QDir(folder).filePath(code + QStringLiteral("OCAI.cry"));
    }
    QStringList fieldTexts() const
    {
        QStringList texts;
        for (const auto *field : window->questionPage->fields)
            texts << field->text();
        return texts;
    }

    QTemporaryDir dir;
    QString folder;
    QDateTime now{QDate(2026, 3, 12), QTime(23, 58, 50)};
    FakeDialogs dialogs;
    std::unique_ptr<SurveyWindow> window;
};

Rows sampleRows()
{
    Rows rows{};
    for (int r = 0; r < 12; ++r)
        rows[r] = {r, 40 - 2 * r, 30, 30 + r};
    return rows;
}

TEST_F(QuestionnaireTest, FilledByKeyboardReadsBackThroughGroupAndCli)
{
    const Rows rows = sampleRows();
    const QString code = QStringLiteral("Иванова_01");
    start(code, QStringLiteral("Отдел продаж, менеджер"), 42349);
    answer(rows[0], 7);
    now = now.addSecs(3);
    for (int k = 0; k < 4; ++k)
        press(Qt::Key_Tab); // past the four fields to "Назад"
    press(Qt::Key_Space);
    ASSERT_EQ(window->currentScreen(), 1);
    EXPECT_EQ(fieldTexts().join(' ').toStdString(), "0 40 30 30");
    now = now.addSecs(5);
    press(Qt::Key_Return);
    for (int r = 1; r < 12; ++r)
        answer(rows[r], 10 + r);
    ASSERT_EQ(window->currentScreen(), 13) << dialogs.errors.join('\n').toStdString();

    const auto group = survey::loadGroup(folder, survey::programKey());
    ASSERT_TRUE(std::holds_alternative<survey::GroupResult>(group));
    const survey::GroupResult &result = std::get<survey::GroupResult>(group);
    ASSERT_EQ(result.n, 1);
    for (int r = 0; r < 12; ++r) {
        const int seconds = r == 0 ? 12 : r == 1 ? 3 + 11 : 10 + r;
        EXPECT_EQ(result.means[r],
                  (survey::AnswerRow{double(rows[r][0]), double(rows[r][1]), double(rows[r][2]),
                                     double(rows[r][3]), double(seconds)}))
            << r;
    }
    const testcli::CliRun run = testcli::runCli({QStringLiteral("decrypt"), result.files.value(0)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(run.out).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 36); // 35 lines, each ending in CR LF
    EXPECT_EQ(lines.mid(0, 11).join('|').toStdString(),
              "12.03.2026|Иванова_01|Отдел продаж, менеджер|Время начала теста|23:59:32|"
              "Время окончания теста|00:02:43|Время выполнения теста|00:03:11|00.00|"
              "Время чтения инструкции: 42.3 сек");
    EXPECT_EQ(lines[23].toStdString(), "   0  40  30  30     12");
    EXPECT_TRUE(result.files.value(0).endsWith(code + QStringLiteral("OCAI.cry")));
}

TEST_F(QuestionnaireTest, NextOnlyAtExactlyOneHundred)
{
    start(QStringLiteral("r1"), {}, 0);
    for (const auto &[points, enabled] : {std::pair{std::array{25, 25, 25, 24}, false},
                                          {{25, 25, 25, 26}, false},
                                          {{100, 0, 0, 0}, true}}) {
        for (int k = 0; k < 4; ++k) {
            type(QString::number(points[k]));
            press(Qt::Key_Tab, {}, k < 3 ? Qt::NoModifier : Qt::ShiftModifier);
        }
        EXPECT_EQ(window->questionPage->next->isEnabled(), enabled);
        press(Qt::Key_Return); // "Далее" only when it is enabled
        EXPECT_EQ(window->currentScreen(), enabled ? 2 : 1);
        press(Qt::Key_Tab, {}, Qt::ShiftModifier); // back from C to A
        press(Qt::Key_Tab, {}, Qt::ShiftModifier);
    }
}

// «7,5» refused keystroke by keystroke became 75 with a passing note; it stays as typed, said
// until it is changed, counts as the whole number before it and keeps «Далее» off.
TEST_F(QuestionnaireTest, FractionsAndNegativesStaySaidUntilChanged)
{
    start(QStringLiteral("r1"), {}, 0);
    QuestionPage *const q = window->questionPage;
    const struct {
        const char *typed, *note;
        int counted;
    } cases[] = {
        {"7,5", "Баллы — только целые числа, без дробей: «7,5» не учтено", 7},
        {"7.", "Баллы — только целые числа, без дробей: «7.» не учтено", 7},
        {"-5", "Баллы не бывают меньше 0: «-5» не учтено", 0},
        {"-", "Баллы не бывают меньше 0: «-» не учтено", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        q->fields[1]->setText(QStringLiteral("0"));
        q->fields[0]->clear();
        type(QString::fromUtf8(c.typed), q->fields[0]);
        EXPECT_EQ(q->fields[0]->text().toStdString(), c.typed);
        EXPECT_EQ(q->fieldNotes[0]->text().toStdString(), c.note);
        QMetaObject::invokeMethod(q->fieldNotes[0]->findChild<QTimer *>(), "timeout");
        EXPECT_EQ(q->fieldNotes[0]->text().toStdString(), c.note);
        EXPECT_EQ(q->points()[0], c.counted);
        // The rest made up to 100 around what it counts: still no «Далее».
        q->fields[1]->setText(QString::number(100 - c.counted));
        EXPECT_FALSE(q->next->isEnabled());
    }
    // Put right, the note goes at once and the sum counts the field.
    q->fields[0]->selectAll();
    type(QStringLiteral("8"), q->fields[0]);
    EXPECT_TRUE(q->fieldNotes[0]->text().isEmpty());
    q->fields[1]->setText(QStringLiteral("92"));
    EXPECT_TRUE(q->next->isEnabled());
}

TEST_F(QuestionnaireTest, EnterOnFocusedButtonPressesIt)
{
    start(QStringLiteral("r1"), {}, 0);
    answer({100, 0, 0, 0}, 1);
    for (int k = 0; k < 4; ++k)
        press(Qt::Key_Tab); // past the four fields to "Назад"
    ASSERT_EQ(QApplication::focusWidget(), window->questionPage->back);
    press(Qt::Key_Return);
    EXPECT_EQ(window->currentScreen(), 1);
}

TEST_F(QuestionnaireTest, RefusedCharactersAreExplainedForAWhile)
{
    StartPage *const s = window->startPage;
    QuestionPage *const q = window->questionPage;
    const struct {
        QLineEdit *field;
        FieldNote *note;
        bool pasted;
        const char *input, *kept, *text;
    } cases[] = {
        {s->code, s->codeNote, false, "r 1", "r1",
         "Код может содержать только буквы, цифры, «-» и «_»"},
        {s->code, s->codeNote, false, "abcdefghij0123456789x", "abcdefghij0123456789",
         "Код может быть не длиннее 20 знаков"},
        {s->freeText, s->freeTextNote, false, "Müller αβγ", "Mller ",
         "Символы «üαβγ» не сохраняются в файле ответов"},
        {s->freeText, s->freeTextNote, true, "Müller αβγ😀\t№1", "Mller  №1",
         "Символы «üαβγ😀» не сохраняются в файле ответов"},
        {q->fields[0], q->fieldNotes[0], false, "150", "15", "Не больше 100 баллов"},
        {q->fields[3], q->fieldNotes[3], false, "7x", "7", "Только цифры"},
        {q->fields[2], q->fieldNotes[2], false, "0100", "100", ""},
    };
    for (const auto &c : cases) {
        c.field->clear();
        const QString input = QString::fromUtf8(c.input);
        c.pasted ? c.field->insert(input) : type(input, c.field);
        EXPECT_EQ(c.field->text().toStdString(), c.kept);
        EXPECT_EQ(c.note->text().toStdString(), c.text);
        EXPECT_FALSE(c.note->accessibleName().isEmpty());
        QMetaObject::invokeMethod(c.note->findChild<QTimer *>(), "timeout");
        EXPECT_TRUE(c.note->text().isEmpty()) << c.input;
    }
}

TEST_F(QuestionnaireTest, StartScreenSaysWhenTheCodeIsUsed)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *name : {"r01OCAI.cry", "r01-2OCAI.cry"}) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    type(QStringLiteral("r01"));
    const FieldNote *line = window->startPage->codeNote;
    EXPECT_EQ(line->text(),
              "Код «r01» уже есть в папке: ответы будут записаны в файл «r01-3OCAI.cry»");
    type(QStringLiteral("x"));
    EXPECT_TRUE(line->text().isEmpty());
    press(Qt::Key_Backspace);
    EXPECT_FALSE(line->text().isEmpty());
    dialogs.nextFolder = dir.filePath(QStringLiteral("Other"));
    window->startPage->chooseFolder->click();
    EXPECT_TRUE(line->text().isEmpty());
}

TEST_F(QuestionnaireTest, SameCodeGetsNewFileAndFirstStays)
{
    const QString first = fillAll(QStringLiteral("r1"), sampleRows());
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    press(Qt::Key_Return); // "Следующий респондент"
    ASSERT_EQ(window->currentScreen(), 0);
    EXPECT_TRUE(window->startPage->code->text().isEmpty());
    fillAll(QStringLiteral("r1"), sampleRows());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{QStringLiteral("r1-2OCAI.cry"), QStringLiteral("r1OCAI.cry")}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(QuestionnaireTest, FailedWriteKeepsAnswersForRetry)
{
    start(QStringLiteral("r1"), {}, 0);
    for (int r = 0; r < 11; ++r)
        answer({10, 20, 30, 40}, 1);
    window->close(); // in the middle: asked, refused
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1);
    // The folder turns into a file before the last screen is passed.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    answer({40, 30, 20, 10}, 1);
    EXPECT_EQ(window->currentScreen(), 12);
    EXPECT_EQ(fieldTexts().join(' ').toStdString(), "40 30 20 10");
    ASSERT_EQ(dialogs.errors.size(), 1);
    ASSERT_TRUE(blocker.remove());
    press(Qt::Key_Return);
    EXPECT_EQ(window->currentScreen(), 13);
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("r1OCAI.cry"))));
}

TEST_F(QuestionnaireTest, UnwritableFolderStopsAtStart)
{
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start(QStringLiteral("r1"), {}, 0);
    EXPECT_EQ(window->currentScreen(), 0);
}

// A remembered folder gone since, or a mistyped one from the dialog: named on the start screen,
// no questionnaire starts, nothing of its path is made and it is not remembered.
struct MissingFolderCase {
    const char *how;
    bool remembered; // given at start, else typed into the folder dialog
};

class QuestionnaireMissingFolder : public QuestionnaireTest,
                                   public ::testing::WithParamInterface<MissingFolderCase> {};

TEST_P(QuestionnaireMissingFolder, IsNamedNeverMadeAndAnotherCanBeChosen)
{
    const QString missing = dir.filePath(QStringLiteral("Флешка/Опрос"));
    QSignalSpy remembered(window.get(), &SurveyWindow::folderChanged);
    if (GetParam().remembered) {
        EXPECT_FALSE(window->useChosenFolder(missing));
    } else {
        dialogs.nextFolder = missing;
        window->startPage->chooseFolder->click();
    }
    const QString named = QStringLiteral("Папки «%1» нет. Выберите папку для результатов кнопкой "
                                         "«Выбрать папку…».")
                              .arg(QDir::toNativeSeparators(missing));
    EXPECT_EQ(window->startPage->folderProblem(), named);
    start(QStringLiteral("r1"), {}, 0);
    EXPECT_EQ(window->currentScreen(), 0);
    EXPECT_EQ(window->startPage->folderProblem(), named);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Флешка"))));
    EXPECT_EQ(remembered.size(), 0);

    const QString other = dir.filePath(QStringLiteral("Другая"));
    ASSERT_TRUE(QDir().mkpath(other));
    dialogs.nextFolder = other;
    window->startPage->chooseFolder->click();
    EXPECT_TRUE(window->startPage->folderProblem().isEmpty());
    ASSERT_EQ(remembered.size(), 1);
    EXPECT_EQ(remembered[0][0].toString(), other);
    window->startPage->start->click();
    EXPECT_EQ(window->currentScreen(), 1);
}

INSTANTIATE_TEST_SUITE_P(RememberedOrMistyped, QuestionnaireMissingFolder,
                         ::testing::Values(MissingFolderCase{"remembered", true},
                                           MissingFolderCase{"chosen", false}),
                         [](const auto &info) { return std::string(info.param.how); });

} // namespace
