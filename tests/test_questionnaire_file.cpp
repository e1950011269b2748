// The result file's composition and naming, without the window.
#include "survey/profile_load.h"
#include "survey/questionnaire_result.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

survey::QuestionnaireAnswers validAnswers()
{
    survey::QuestionnaireAnswers answers;
    answers.code = QStringLiteral("r1");
    answers.started = answers.finished = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
    for (auto &row : answers.points)
        row = {100, 0, 0, 0};
    return answers;
}

TEST(QuestionnaireFile, CodesAndFreeTexts)
{
    for (const auto &[code, ok] : {std::pair{"Ab-9_яЁ", true},
                                   {"", false},
                                   {"a b", false},
                                   {"a/b", false},
                                   {"a.b", false},
                                   {"ä", false},
                                   {"٣", false},
                                   {"abcdefghij0123456789", true},
                                   {"abcdefghij0123456789x", false}})
        EXPECT_EQ(survey::isRespondentCode(QString::fromUtf8(code)), ok) << code;
    EXPECT_TRUE(survey::isFreeText(QStringLiteral("Отдел №5, «продажи»")));
    EXPECT_FALSE(survey::isFreeText(QStringLiteral("a\tb")));
    EXPECT_FALSE(survey::isFreeText(QStringLiteral("a\r\nb")));
    EXPECT_FALSE(survey::isFreeText(QString(201, QLatin1Char('x'))));
    EXPECT_EQ(survey::resultFileName(QStringLiteral("r1"), 3), QStringLiteral("r1-3OCAI.cry"));
}

TEST(QuestionnaireFile, RefusesWhatWouldNotReadBack)
{
    auto answers = validAnswers();
    EXPECT_TRUE(survey::answersProblem(answers).isEmpty());
    answers.points[7] = {50, 50, 1, -1};
    EXPECT_TRUE(survey::answersProblem(answers).contains(QStringLiteral("вопрос 2")));
    answers = validAnswers();
    answers.screenMs[0] = 1e13; // more seconds than the column holds
    const QByteArray text = survey::resultPlainText(answers);
    EXPECT_TRUE(text.contains("\r\n 100   0   0   09999999\r\n")) << text.constData();
}

TEST(QuestionnaireFile, TakenNamesOfEveryKindAreSkipped)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")),
                            dir.filePath(QStringLiteral("r1OCAI.cry"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("r1-2OCAI.cry")));
    const auto written =
        survey::writeQuestionnaireResult(dir.path(), validAnswers(), survey::programKey());
    ASSERT_TRUE(std::holds_alternative<QString>(written));
    EXPECT_EQ(std::get<QString>(written), dir.filePath(QStringLiteral("r1-3OCAI.cry")));
}

// A crash after the content is on the disk and before the file has its name: no result file,
// the folder loads as before, a young temporary (maybe another writer's) stays and an old one
// goes with the next write.
TEST(QuestionnaireFile, CrashBeforeNamingLeavesNoResultFile)
{
    const QTemporaryDir dir;
    const QByteArray key = survey::programKey();
    const auto count = [&dir, &key] {
        const auto loaded = survey::loadProfile(dir.path(), key, survey::LoadAs::Folder);
        return std::holds_alternative<survey::LoadedProfile>(loaded)
                   ? std::get<survey::LoadedProfile>(loaded).group.n
                   : -1;
    };
    const auto temporaries = [&dir] {
        return QDir(dir.path())
            .entryList({QStringLiteral(".ocai-*.tmp")}, QDir::Hidden | QDir::Files);
    };
    const QByteArray content = survey::Pc1Encrypt(key, survey::resultPlainText(validAnswers()));
    ASSERT_TRUE(
        std::holds_alternative<QString>(survey::writeResultFile(dir.path(), "r1", content)));
    struct Crash {};
    EXPECT_THROW(survey::writeResultFile(dir.path(), "r2", content, [] { throw Crash(); }), Crash);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("r2OCAI.cry"))));
    ASSERT_EQ(temporaries().size(), 1);
    EXPECT_EQ(count(), 1);
    ASSERT_TRUE(
        std::holds_alternative<QString>(survey::writeResultFile(dir.path(), "r2", content)));
    ASSERT_EQ(temporaries().size(), 1);
    utimbuf old{::time(nullptr) - 61, ::time(nullptr) - 61}; // MinGW's utime takes no const
    ASSERT_EQ(::utime(QFile::encodeName(dir.filePath(temporaries()[0])).constData(), &old), 0);
    const auto written = survey::writeResultFile(dir.path(), "r2", content);
    ASSERT_TRUE(std::holds_alternative<QString>(written));
    EXPECT_EQ(std::get<QString>(written), dir.filePath(QStringLiteral("r2-2OCAI.cry")));
    EXPECT_TRUE(temporaries().isEmpty());
    EXPECT_EQ(count(), 3);
}

// Of a missing results folder only the last part is made: a missing folder above it is a
// mistyped path or a drive taken away.
TEST(QuestionnaireFile, OnlyTheFolderItselfIsMade)
{
    const QTemporaryDir dir;
    const QString deep = dir.filePath(QStringLiteral("Нет/Опрос"));
    const auto refused =
        survey::writeQuestionnaireResult(deep, validAnswers(), survey::programKey());
    ASSERT_TRUE(std::holds_alternative<survey::ResultWriteError>(refused));
    EXPECT_TRUE(std::get<survey::ResultWriteError>(refused).message.contains(
        QDir::toNativeSeparators(deep)));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Нет"))));

    const QString folder = dir.filePath(QStringLiteral("Опрос"));
    const auto written =
        survey::writeQuestionnaireResult(folder, validAnswers(), survey::programKey());
    ASSERT_TRUE(std::holds_alternative<QString>(written));
    EXPECT_EQ(std::get<QString>(written), folder + QStringLiteral("/r1OCAI.cry"));
}

// A results folder deep in a shared drive, its path past Windows' old limit of 260 characters:
// each answer still takes its own name there and the folder loads.
TEST(QuestionnaireFile, AFolderPastTheOldPathLimitTakesItsFiles)
{
    const QTemporaryDir dir;
    QString folder = dir.path();
    while (folder.size() < 300)
        folder += QStringLiteral("/Результаты опроса отдела продаж");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *name : {"r1OCAI.cry", "r1-2OCAI.cry"}) {
        const auto written =
            survey::writeQuestionnaireResult(folder, validAnswers(), survey::programKey());
        ASSERT_TRUE(std::holds_alternative<QString>(written))
            << std::get<survey::ResultWriteError>(written).message.toStdString();
        EXPECT_EQ(std::get<QString>(written), folder + u'/' + QLatin1String(name));
    }
    const auto loaded = survey::loadProfile(folder, survey::programKey(), survey::LoadAs::Folder);
    ASSERT_TRUE(std::holds_alternative<survey::LoadedProfile>(loaded));
    EXPECT_EQ(std::get<survey::LoadedProfile>(loaded).group.n, 2);
}

} // namespace
