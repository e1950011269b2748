#include "core/number_format.h"
#include "core/text_codec.h"
#include "survey/profile_model.h"
#include "survey/result_file.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace survey;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray cp1251Lines(const QStringList &lines)
{
    return textcodec::toWindows1251(lines.join(QStringLiteral("\r\n")));
}

// A result text whose lines are all given: head lines 0 to 22, then the answer lines.
QStringList resultLines(const QStringList &answerLines)
{
    QStringList lines = {QStringLiteral("12.03.2026"),
                         QStringLiteral("ivn01"),
                         QStringLiteral("Иванова М. С., отдел логистики"),
                         QStringLiteral("Начало теста"),
                         QStringLiteral("10:15:32"),
                         QStringLiteral("Окончание теста"),
                         QStringLiteral("10:29:37"),
                         QStringLiteral("Продолжительность"),
                         QStringLiteral("00:14:05")};
    while (lines.size() < kFirstAnswerLine)
        lines << QString();
    return lines + answerLines;
}

QStringList sameAnswerLines(const QString &line)
{
    QStringList lines;
    for (int n = 0; n < kAnswerRows; ++n)
        lines << line;
    return lines;
}

std::variant<IndividualResult, LoadError> parseLines(const QStringList &lines)
{
    return parseIndividualResult(ResultText(cp1251Lines(lines)));
}

void expectError(const std::variant<IndividualResult, LoadError> &parsed, const QString &message,
                 int line)
{
    ASSERT_TRUE(std::holds_alternative<LoadError>(parsed)) << message.toStdString();
    EXPECT_EQ(std::get<LoadError>(parsed).message, message);
    EXPECT_EQ(std::get<LoadError>(parsed).line, line);
}

} // namespace

TEST(ReadResultFile, LineBreaksBecomeCrLfAndZeroEndsTheText)
{
    QTemporaryDir dir;
    const struct {
        QByteArray file, text;
    } cases[] = {
        {"ab\ncd\r\nef\rgh", "ab\r\ncd\r\nef\r\ngh"},
        {"a\r\r\nb\n\rc\n", "a\r\n\r\nb\r\n\r\nc\r\n"},
        {"abc\r", "abc\r\n"},
        {QByteArray("ab\0cd\nef", 8), "ab"},
        {QByteArray("\0abc", 4), ""},
        {"", ""},
        {"\xe0\xff\x80 A", "\xe0\xff\x80 A"},
    };
    for (const auto &c : cases) {
        const auto read = readResultFile(writeFile(dir, QStringLiteral("r.cry"), c.file));
        ASSERT_TRUE(std::holds_alternative<QByteArray>(read)) << c.file.toStdString();
        EXPECT_EQ(std::get<QByteArray>(read), c.text) << c.file.toStdString();
    }
}

TEST(ReadResultFile, RefusesTextsLongerThanTheCipherCanCount)
{
    QTemporaryDir dir;
    const QByteArray longest(kMaxCipherTextLength, 'a');
    const auto read = readResultFile(writeFile(dir, QStringLiteral("max.cry"), longest));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(read));
    EXPECT_EQ(std::get<QByteArray>(read).size(), kMaxCipherTextLength);
    // A final zero byte ends the text before the limit is passed.
    EXPECT_TRUE(std::holds_alternative<QByteArray>(
        readResultFile(writeFile(dir, QStringLiteral("z.cry"), longest + '\0' + "more"))));

    // One letter too many, or a lone LF at the end that becomes two characters.
    for (const QByteArray &bytes : {longest + "a", longest.left(kMaxCipherTextLength - 1) + "\n"}) {
        const QString path = writeFile(dir, QStringLiteral("long.cry"), bytes);
        const auto refused = readResultFile(path);
        ASSERT_TRUE(std::holds_alternative<LoadError>(refused));
        EXPECT_EQ(std::get<LoadError>(refused).message,
                  QStringLiteral("Файл «%1» не является файлом результатов: он длиннее 65 535 "
                                 "знаков.")
                      .arg(QDir::toNativeSeparators(path)));
        EXPECT_EQ(std::get<LoadError>(refused).line, 0);
    }
}

TEST(ReadResultFile, StopsReadingAHugeFileAtTheLimit)
{
    // Mostly a hole on disk; reading it whole would take a quarter of a gigabyte.
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("huge.cry"), QByteArray(70000, 'a'));
    ASSERT_TRUE(QFile::resize(path, qint64(256) << 20));
    EXPECT_TRUE(std::holds_alternative<LoadError>(readResultFile(path)));
}

TEST(ResultText, LinesAreSeparatedByCrLfOnly)
{
    const ResultText text("zero\r\none\ntwo\rstill one\r\n\r\nfour\r\n");
    EXPECT_EQ(text.lineCount(), 4);
    EXPECT_EQ(text.line(0), QByteArray("zero"));
    EXPECT_EQ(text.line(1), QByteArray("one\ntwo\rstill one"));
    EXPECT_EQ(text.line(2), QByteArray());
    EXPECT_EQ(text.line(3), QByteArray("four"));
    EXPECT_EQ(text.line(4), QByteArray());
    EXPECT_EQ(text.line(100), QByteArray());
    EXPECT_EQ(text.line(-1), QByteArray());
    EXPECT_EQ(ResultText("\xca\xeb\xe0\xed").lineText(0), QStringLiteral("Клан"));
    EXPECT_EQ(ResultText().lineCount(), 0);
    EXPECT_EQ(ResultText("last\r\nno break").line(1), QByteArray("no break"));
}

TEST(ParseIndividualResult, TakesCodeInformationLineAndAnswers)
{
    QStringList answers;
    for (int n = 0; n < kAnswerRows; ++n)
        answers << QStringLiteral("%1  20  30  40%2").arg(n + 1, 4).arg(60 + n, 7);
    const auto parsed = parseLines(resultLines(answers));
    ASSERT_TRUE(std::holds_alternative<IndividualResult>(parsed));
    const auto &result = std::get<IndividualResult>(parsed);
    EXPECT_EQ(result.code, QStringLiteral("ivn01"));
    EXPECT_EQ(result.info, QStringLiteral("ivn01  Иванова М. С., отдел логистики  Дата: 12.03.2026"
                                          "  Начало: 10:15:32  Выполнение: 00:14:05"));
    for (int row = 0; row < kAnswerRows; ++row) {
        const AnswerRow expected = {double(row + 1), 20, 30, 40, double(60 + row)};
        EXPECT_EQ(result.answers[std::size_t(row)], expected) << row;
    }
}

TEST(ParseIndividualResult, InformationLineKeepsEveryPieceAsItStands)
{
    QStringList lines = resultLines(sameAnswerLines(QStringLiteral("  25  25  25  25     10")));
    lines[0] = QStringLiteral(" 1.1.26 ");
    lines[1] = QString();
    lines[2] = QStringLiteral("  ");
    lines[4] = QStringLiteral("x");
    lines[8] = QStringLiteral("%1");
    const auto parsed = parseLines(lines);
    ASSERT_TRUE(std::holds_alternative<IndividualResult>(parsed));
    EXPECT_EQ(std::get<IndividualResult>(parsed).info,
              QStringLiteral("      Дата:  1.1.26   Начало: x  Выполнение: %1"));
}

TEST(ParseIndividualResult, FieldsAreCutAtFixedColumns)
{
    const struct {
        const char *line;
        AnswerRow values;
    } good[] = {
        {"  10  20  30  40     55", {10, 20, 30, 40, 55}},
        {" +10 +20  -0 100   1234", {10, 20, 0, 100, 1234}},
        {"   1   2   3   4      5 ignored 1O", {1, 2, 3, 4, 5}},
        {"0001000200030004-999999", {1, 2, 3, 4, -999999}},
        {"  10  20  30  40999999912", {10, 20, 30, 40, 9999999}},
    };
    for (const auto &c : good) {
        const auto parsed = parseLines(resultLines(sameAnswerLines(QLatin1String(c.line))));
        ASSERT_TRUE(std::holds_alternative<IndividualResult>(parsed)) << c.line;
        for (const AnswerRow &row : std::get<IndividualResult>(parsed).answers)
            EXPECT_EQ(row, c.values) << c.line;
    }

    const struct {
        const char *line;
        const char *field;
    } bad[] = {
        {"10  20  30  40  55     ", "10  "}, // left-aligned: a trailing blank
        {"  10  20  30  40", ""},            // the seconds are missing
        {"  10  20  30   4", ""},
        {"  10  2O  30  40     55", "  2O"},
        {"  10  20  30  40   5 5", "   5 5"},
        {"    20  30  40     55", "    "},
        {"  10  20  30  40  +-5  ", "  +-5  "},
        {"  10\t20  30  40     55", "\t20 "},
        {"", ""},
    };
    for (const auto &c : bad) {
        QStringList answers = sameAnswerLines(QStringLiteral("  25  25  25  25     10"));
        answers[7] = QLatin1String(c.line);
        expectError(parseLines(resultLines(answers)),
                    QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(c.field)),
                    kFirstAnswerLine + 7 + 1);
    }
}

TEST(ParseIndividualResult, FirstFailingFieldIsReported)
{
    QStringList answers = sameAnswerLines(QStringLiteral("  25  25  25  25     10"));
    answers[3] = QStringLiteral("  25  25  xx  yy     10");
    answers[9] = QStringLiteral("bad");
    expectError(parseLines(resultLines(answers)),
                QStringLiteral("'  xx' is not a valid integer value"), 27);
    // Cyrillic in a field is reported as it reads.
    answers[3] = QStringLiteral("  25  25  25  ыы     10");
    expectError(parseLines(resultLines(answers)),
                QStringLiteral("'  ыы' is not a valid integer value"), 27);
}

TEST(Scores, ComputedFromParsedAnswersAndShownWithFiveTwo)
{
    QStringList answers = sameAnswerLines(QStringLiteral(" 100   0   0   0     30"));
    const int aValues[6] = {10, 20, 30, 40, 50, 0};
    for (int row = 0; row < 6; ++row) // current rows; B takes the rest of the 100 points
        answers[row] =
            QStringLiteral("%1%2   0   0     30").arg(aValues[row], 4).arg(100 - aValues[row], 4);
    answers[6] = QStringLiteral("  50  50   0   0     30"); // preferred A: 550 / 6 = 91.67
    const auto parsed = parseLines(resultLines(answers));
    ASSERT_TRUE(std::holds_alternative<IndividualResult>(parsed));
    const ProfileScores scores = profileFromAnswers(std::get<IndividualResult>(parsed).answers);
    EXPECT_EQ(scores[0], 25.0);
    EXPECT_EQ(scoreFieldText(scores[0], QLatin1Char('.')), QStringLiteral("25.00"));
    EXPECT_EQ(scoreFieldText(scores[0], QLatin1Char(',')), QStringLiteral("25,00"));
    EXPECT_EQ(scoreFieldText(scores[4], QLatin1Char('.')), QStringLiteral("91.67"));
    EXPECT_EQ(scoreFieldText(scores[5], QLatin1Char(',')), QStringLiteral(" 8,33"));
}

TEST(Scores, FieldTextWidthAndSeparator)
{
    for (const QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
        const QString s(sep);
        EXPECT_EQ(scoreFieldText(50.0 / 6, sep), QStringLiteral(" 8") + s + QStringLiteral("33"));
        EXPECT_EQ(scoreFieldText(100, sep), QStringLiteral("100") + s + QStringLiteral("00"));
        EXPECT_EQ(scoreFieldText(0, sep), QStringLiteral(" 0") + s + QStringLiteral("00"));
    }
    // The GUI passes the locale's separator.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(scoreFieldText(25, numfmt::localeDecimalSeparator()), QStringLiteral("25,00"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(scoreFieldText(25, numfmt::localeDecimalSeparator()), QStringLiteral("25.00"));
}
