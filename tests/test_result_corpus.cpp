// Damaged result files on disk, and the sample department's results.
#include "core/text_codec.h"
#include "result_files.h"
#include "survey/profile_load.h"
#include "survey/profile_model.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace survey;
using namespace testfiles;

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(OCAI_TEST_DATA_DIR "/") + QLatin1String(name);
}

// A sample's text as the questionnaire writes it: Windows-1251 with CR LF line breaks.
QByteArray samplePlain(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return textcodec::toWindows1251(text);
}

// "refused LINE: reason", or a line per warning.
QString outcome(const std::variant<LoadedProfile, GroupError> &loaded)
{
    if (const auto *error = std::get_if<GroupError>(&loaded))
        return QStringLiteral("refused %1: %2").arg(error->line).arg(error->reason);
    return std::get<LoadedProfile>(loaded).warnings.at(0).join(u'\n');
}

} // namespace

// Damaged files through the one load: refused with the reason, or loaded with check's warnings.
TEST(Corpus, DamagedLinesAreRefusedOrWarnedOf)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"", "refused 24: файл пуст"},
        {resultWithLine(1, "", 30), "refused 31: вопрос 2, желаемое состояние: ответа нет, файл "
                                    "обрывается раньше"},
        {resultWithLine(25, "  1O  30  40  30     45"),
         "refused 26: вопрос 3, текущее состояние: вместо ответа «  1O  30  40  30     45»"},
        {resultWithLine(23, "1000   0   0   0     30"),
         "refused 24: вопрос 1, текущее состояние: баллы вне 0–100"},
        {resultWithLine(34, " -50 100  25  25     30"),
         "refused 35: вопрос 6, желаемое состояние: баллы вне 0–100"},
        {resultWithLine(23, " 100   0   0   0  99999", 35, "\r\n\r\n"), ""},
        {resultWithLine(23, "  25  25  25  25     5"),
         "вопрос 1, текущее состояние: запись ответа короче обычной"},
        {resultWithLine(23, "  25  25  25  25     30 x"),
         "вопрос 1, текущее состояние: после ответа лишние знаки « x», они не читаются"},
        {resultWithLine(29, "   4   3   2   0 100000"),
         "вопрос 1, желаемое состояние: сумма 9 вместо 100\nвопрос 1, желаемое состояние: время "
         "ответа 100\u00A0000 с — больше суток"},
        {resultWithLine(1, "", 35, "12.03.2026"), "после ответов в файле есть ещё текст, он не "
                                                  "читается (два склеенных файла читаются как "
                                                  "первый)"},
    };
    for (const auto &[bytes, expected] : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rOCAI.cry"));
        ASSERT_TRUE(writeFile(path, bytes));
        for (const QString &target : {path, dir.path()}) // a folder of that file reads it alike
            EXPECT_EQ(outcome(loadProfile(target, programKey())), QString::fromUtf8(expected));
        EXPECT_EQ(contentsOf(path), bytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden).size(), 3);
    }
}

TEST(Corpus, EveryDamagedFileGivesItsMessage)
{
    const struct {
        const char *file;
        const char *field;
        int line;
        bool notCipher; // bytes the cipher never writes: the reason says it is no result file
    } cases[] = {
        {"empty.cry", "", 24, false},
        {"one_letter.cry", "", 24, false},
        {"binary.cry", "", 24, true},
        {"plain_text.cry", "", 24, true},     // a readable result that was never encrypted
        {"wrong_key.cry", "", 24, false},     // encrypted with another key
        {"wrapped_lines.cry", "", 24, false}, // letters broken into lines by an editor
        {"zero_byte.cry", "", 28, false},     // a zero byte after line 26 ends the text
        {"missing_answer_line.cry", "", 35, false},
        {"non_number.cry", "  1O", 26, false},
    };
    for (const auto &c : cases) {
        QByteArray plain = "unchanged";
        const auto loaded = loadIndividualResult(dataFile(c.file), programKey(), &plain);
        ASSERT_TRUE(std::holds_alternative<LoadError>(loaded)) << c.file;
        const LoadError &error = std::get<LoadError>(loaded);
        EXPECT_EQ(error.message,
                  QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(c.field)))
            << c.file;
        EXPECT_EQ(error.line, c.line) << c.file;
        EXPECT_EQ(error.reason.contains(QStringLiteral("не является зашифрованным файлом")),
                  c.notCipher)
            << c.file;
        EXPECT_NE(plain, QByteArray("unchanged")) << c.file;
    }
}

TEST(Corpus, FilesThatCannotBeOpened)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("нет такого файла.cry"));
    const QString unreadable = dir.filePath(QStringLiteral("locked.cry"));
    QFile locked(unreadable);
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
    locked.write("bffibdna");
    locked.close();
    locked.setPermissions(QFileDevice::Permissions());
    const QString folder = QStringLiteral("это папка");
    QList<std::pair<QString, QString>> cases = {{QStringLiteral(OCAI_TEST_DATA_DIR), folder},
                                                {dir.path(), folder},
                                                {missing, QStringLiteral("нет такого файла")}};
    if (!QFile(unreadable).open(QIODevice::ReadOnly)) // root reads everything
        cases.append({unreadable, QStringLiteral("нет прав на чтение")});
#ifndef Q_OS_WIN
    // A named pipe without a writer would block the open itself.
    const QString pipe = dir.filePath(QStringLiteral("pipeOCAI.cry"));
    if (::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0)
        cases.append({pipe, QStringLiteral("это именованный канал, а не файл")});
    const QString longName = dir.filePath(QString(300, u'x'));
    cases.append({longName, QStringLiteral("слишком длинное имя")});
#endif
    for (const auto &[path, reason] : cases) {
        const auto loaded = loadIndividualResult(path, programKey());
        ASSERT_TRUE(std::holds_alternative<LoadError>(loaded)) << path.toStdString();
        const LoadError &error = std::get<LoadError>(loaded);
        EXPECT_EQ(error.message,
                  QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
        EXPECT_EQ(error.reason, reason);
        EXPECT_EQ(error.line, 0);
    }
}

TEST(Corpus, OverLongFileIsRefusedBeforeDecryption)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("longOCAI.cry"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A valid result followed by more letters than the cipher can count.
    file.write(Pc1Encrypt(programKey(),
                          samplePlain(QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt"))));
    file.write(QByteArray(70000, 'k'));
    file.close();
    const auto loaded = loadIndividualResult(path, programKey());
    ASSERT_TRUE(std::holds_alternative<LoadError>(loaded));
    EXPECT_TRUE(std::get<LoadError>(loaded).message.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(std::get<LoadError>(loaded).message.contains(QStringLiteral("65 535")));
}

TEST(Samples, TwelveResultsOfOneDepartmentLoad)
{
    const QStringList names = QDir(QStringLiteral(OCAI_SAMPLES_DIR))
                                  .entryList({QStringLiteral("*OCAI.txt")}, QDir::Files);
    ASSERT_EQ(names.size(), 12);
    QTemporaryDir dir;
    QStringList codes;
    for (const QString &name : names) {
        const QByteArray plain = samplePlain(QStringLiteral(OCAI_SAMPLES_DIR "/") + name);
        ASSERT_FALSE(plain.isEmpty()) << name.toStdString();
        ASSERT_LE(2 * plain.size(), kMaxCipherTextLength);
        const QString path =
            dir.filePath(QString(name).replace(QLatin1String(".txt"), QLatin1String(".cry")));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Pc1Encrypt(programKey(), plain));
        file.close();

        QByteArray decrypted;
        const auto loaded = loadIndividualResult(path, programKey(), &decrypted);
        ASSERT_TRUE(std::holds_alternative<IndividualResult>(loaded)) << name.toStdString();
        EXPECT_EQ(decrypted, plain);
        const auto &result = std::get<IndividualResult>(loaded);
        EXPECT_FALSE(result.code.isEmpty());
        codes << result.code;
        EXPECT_TRUE(result.info.startsWith(result.code + QStringLiteral("  ")));
        for (int row = 0; row < kAnswerRows; ++row) {
            const AnswerRow &r = result.answers[std::size_t(row)];
            EXPECT_EQ(r[0] + r[1] + r[2] + r[3], 100.0) << name.toStdString() << " row " << row;
            for (int column = 0; column < kTypeCount; ++column)
                EXPECT_GE(r[std::size_t(column)], 0.0);
            EXPECT_GT(r[kTimeColumn], 0.0);
        }
    }
    codes.removeDuplicates();
    EXPECT_EQ(codes.size(), 12);
}
