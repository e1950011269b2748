#include "core/text_codec.h"
#include "documents/text_report.h"
#include "result_files.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace documents;
using namespace survey;

namespace {

ReportInput sampleInput()
{
    ReportInput input;
    input.date = QStringLiteral("14.03.2026");
    input.code = QStringLiteral("Group");
    input.info = QStringLiteral("Информация по группе  (N = 2)");
    input.scores = {25, 50.0 / 6, 100, 0, 12.25, 33.35, -1.25, 1e9};
    for (int r = 0; r < kAnswerRows; ++r)
        input.answers[std::size_t(r)] = {25, 25, 25, 25, 130};
    input.answers[3] = {37.5, 100.0 / 3, 0.125, 1e9, 132.5};
    return input;
}

QStringList reportLines(const ReportInput &input)
{
    const QByteArray bytes = reportText(input);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = textcodec::fromWindows1251(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last CR LF
    return lines;
}

} // namespace

TEST(ReportText, ThirtyFiveLinesInTheirPlaces)
{
    // The decimal point does not follow the locale.
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Russian, QLocale::Russia)}) {
        QLocale::setDefault(locale);
        const QStringList lines = reportLines(sampleInput());
        ASSERT_EQ(lines.size(), kReportLines);
        const QStringList expected = {
            "14.03.2026",
            "Group",
            "Информация по группе  (N = 2)",
            "Время начала теста",
            "00:00:00",
            "Время окончания теста",
            "00:00:00",
            "Время выполнения теста",
            "00:00:00",
            "00.00",
            "Время чтения инструкции: 00.0 сек",
            "Текущие оценки организации",
            "         Клановая культура -  25.0%",
            "  Адхократическая культура -   8.3%",
            "         Рыночная культура - 100.0%",
            "    Иерархическая культура -   0.0%",
            "Предполагаемые оценки организации",
            "         Клановая культура -  12.3%", // halves away from zero
            "  Адхократическая культура -  33.4%",
            "         Рыночная культура -  -1.3%",
            "    Иерархическая культура - 1000000000.0%", // wider than its field: whole
            "Ответы на альтернативы",
            "     A     B     C     D    Время (сек)",
        };
        for (int i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines[i], expected[i]) << i;
        EXPECT_EQ(lines[23], QStringLiteral(" 25.00 25.00 25.00 25.00   130.00"));
        EXPECT_EQ(lines[23].size(), 33);
        EXPECT_EQ(lines[26], QStringLiteral(" 37.50 33.33  0.131000000000.00   132.50"));
        EXPECT_EQ(lines[34], lines[23]);
    }
    QLocale::setDefault(QLocale::c());
}

TEST(ReportText, CyrillicIsWindows1251AndLinesEndInCrLf)
{
    ReportInput input = sampleInput();
    input.code = QStringLiteral("Клан");
    const QByteArray bytes = reportText(input);
    EXPECT_TRUE(bytes.startsWith("14.03.2026\r\n\xca\xeb\xe0\xed\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), kReportLines);
    EXPECT_EQ(bytes.count('\n') + bytes.count('\r'), 2 * kReportLines);
}

TEST(ReportText, TextsKeepTheirOwnLine)
{
    const struct {
        QString info, line;
    } cases[] = {
        {QString(), QString()},
        {QStringLiteral("  edited  "), QStringLiteral("  edited  ")},
        {QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("a  b c d")},
    };
    for (const auto &c : cases) {
        ReportInput input = sampleInput();
        input.info = c.info;
        input.date = QStringLiteral("1\n2");
        const QStringList lines = reportLines(input);
        ASSERT_EQ(lines.size(), kReportLines);
        EXPECT_EQ(lines[0], QStringLiteral("1 2"));
        EXPECT_EQ(lines[2], c.line);
        EXPECT_EQ(lines[3], QStringLiteral("Время начала теста"));
    }
}

TEST(WriteReport, ReplacesAnExistingFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Group.OCAI.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
    }
    const QByteArray bytes = reportText(sampleInput());
    QString message = QStringLiteral("untouched");
    EXPECT_TRUE(writeReport(path, bytes, &message));
    EXPECT_EQ(testfiles::contentsOf(path), bytes);
    EXPECT_EQ(message, QStringLiteral("untouched"));
}

TEST(WriteReport, FailureNamesTheFileAndLeavesThingsIntact)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Group.OCAI.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile(folder + QStringLiteral("/inside")).open(QIODevice::WriteOnly));
    const QString missing = dir.filePath(QStringLiteral("no such folder/Group.OCAI.txt"));
    for (const QString &path : {folder, missing}) {
        QString message;
        EXPECT_FALSE(writeReport(path, "report\r\n", &message));
        EXPECT_TRUE(message.startsWith(
            QStringLiteral("Не удалось записать файл «%1»: ").arg(QDir::toNativeSeparators(path))))
            << message.toStdString();
        EXPECT_FALSE(writeReport(path, "report\r\n", nullptr));
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/inside")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Group.OCAI.txt")});
}
