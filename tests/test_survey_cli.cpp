// The built ocai-cli: decrypt, encrypt and profile as a user runs them.
#include "cli_runner.h"
#include "core/text_codec.h"
#include "non_regular_files.h"
#include "result_files.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace survey;

namespace {

const QString kSample = QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt");

using testcli::CliRun;
using testcli::runCli;

// Not a UTF-8 locale: what ocai-cli reads and writes is UTF-8 regardless.
const QString kPlainC = QStringLiteral("C");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray withCrLf(QByteArray bytes)
{
    return bytes.replace("\r\n", "\n").replace("\n", "\r\n");
}

} // namespace

TEST(SurveyCli, EncryptAndDecryptRoundTrip)
{
    const QByteArray utf8 = readAll(kSample);
    ASSERT_FALSE(utf8.isEmpty());
    const QByteArray plain = textcodec::toWindows1251(QString::fromUtf8(withCrLf(utf8)));

    // Lone LFs become CR LF; the letters carry no line break.
    const CliRun encrypted = runCli({QStringLiteral("encrypt")}, utf8, kPlainC);
    ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err.toStdString();
    EXPECT_EQ(encrypted.out, Pc1Encrypt(programKey(), plain));
    EXPECT_EQ(runCli({QStringLiteral("encrypt"), QStringLiteral("-")}, withCrLf(utf8)).out,
              encrypted.out);
    EXPECT_EQ(runCli({QStringLiteral("encrypt"), QStringLiteral("--raw")}, plain).out,
              encrypted.out);

    QTemporaryDir dir;
    const QString cry = dir.filePath(QStringLiteral("Ivanova01OCAI.cry"));
    const CliRun written =
        runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), cry, kSample});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.isEmpty());
    EXPECT_EQ(readAll(cry), encrypted.out);

    const CliRun decrypted = runCli({QStringLiteral("decrypt"), cry}, {}, kPlainC);
    ASSERT_EQ(decrypted.exitCode, 0) << decrypted.err.toStdString();
    EXPECT_EQ(decrypted.out, withCrLf(utf8));
    EXPECT_EQ(runCli({QStringLiteral("decrypt"), QStringLiteral("--raw"), cry}).out, plain);
}

TEST(SurveyCli, ProfileOfOneSample)
{
    QTemporaryDir dir;
    const QString cry = dir.filePath(QStringLiteral("Ivanova01OCAI.cry"));
    ASSERT_EQ(runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), cry, kSample}).exitCode,
              0);
    const CliRun profile = runCli({QStringLiteral("profile"), cry}, {}, kPlainC);
    ASSERT_EQ(profile.exitCode, 0) << profile.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(profile.out),
              QStringLiteral("code: ivn01\n"
                             "info: ivn01  Иванова Мария Сергеевна, начальник отдела логистики"
                             "  Дата: 12.03.2026  Начало: 09:07:11  Выполнение: 00:22:55\n"
                             "current: 20.00 11.67 28.33 40.00\n"
                             "preferred: 38.33 30.83 15.83 15.00\n"));
}

TEST(SurveyCli, BadDataExitsWithOne)
{
    const QString broken = QStringLiteral(OCAI_TEST_DATA_DIR "/non_number.cry");
    const CliRun profile = runCli({QStringLiteral("profile"), broken});
    EXPECT_EQ(profile.exitCode, 1);
    EXPECT_TRUE(profile.out.isEmpty());
    EXPECT_TRUE(
        QString::fromUtf8(profile.err)
            .contains(QDir::toNativeSeparators(broken) +
                      QStringLiteral(":26: вопрос 3, текущее состояние: вместо ответа «  20  1O")))
        << profile.err.toStdString();

    const CliRun folder = runCli({QStringLiteral("decrypt"), QStringLiteral(OCAI_TEST_DATA_DIR)});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.contains("Не удаётся открыть файл")) << folder.err.toStdString();

    EXPECT_EQ(runCli({QStringLiteral("encrypt")}, QStringLiteral("код 中\n").toUtf8()).exitCode, 1);
    EXPECT_EQ(runCli({QStringLiteral("encrypt")}, "\xff\xfe bad UTF-8").exitCode, 1);
    EXPECT_EQ(runCli({QStringLiteral("encrypt")}, QByteArray("a\0b", 3)).exitCode, 1);
    EXPECT_EQ(runCli({QStringLiteral("encrypt")}, QByteArray(40000, 'x')).exitCode, 1);
}

TEST(SurveyCli, UsageErrorsExitWithTwo)
{
    const QList<QStringList> usages = {
        {QStringLiteral("profile")},
        {QStringLiteral("profile"), QStringLiteral("a.cry"), QStringLiteral("b.cry")},
        {QStringLiteral("decrypt")},
        {QStringLiteral("decrypt"), QStringLiteral("--bogus"), QStringLiteral("a.cry")},
        {QStringLiteral("encrypt"), QStringLiteral("--out")},
        {QStringLiteral("encrypt"), QStringLiteral("a.txt"), QStringLiteral("b.txt")},
        {QStringLiteral("encrypt"), QString()}, // not stdin: "-" is
    };
    for (const QStringList &args : usages) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
}

TEST(SurveyCli, VersionIsTheBuildsVersion)
{
    const CliRun run = runCli({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("ocai-cli " OCAI_VERSION "\n"));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_FALSE(QByteArray(OCAI_VERSION).isEmpty());
#ifdef Q_OS_UNIX // a full output is /dev/full, which Windows has not
    for (const char *command : {"--version", "--help", "stats --help"}) {
        const CliRun full =
            testcli::runCliInShell(QStringLiteral("\"$0\" %1 >/dev/full").arg(command));
        EXPECT_EQ(full.exitCode, 1) << command;
        EXPECT_EQ(full.err, "ocai-cli: не удаётся вывести результат\n");
    }
#endif
}

TEST(SurveyCli, HelpListsEveryCommand)
{
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliRun help = runCli({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.err.isEmpty());
        for (const char *command :
             {"\n  ocai-cli decrypt ", "\n  ocai-cli encrypt ", "\n  ocai-cli profile ",
              "\n  ocai-cli plot a ", "\n  ocai-cli plot a --scores ", "\n  ocai-cli plot b ",
              "\n  ocai-cli plot c ", "\n  ocai-cli report ", "\n  ocai-cli pdf ",
              "\n  ocai-cli stats ", "\n  ocai-cli compare ", "\n  ocai-cli summary "})
            EXPECT_TRUE(help.out.contains(command)) << command << help.out.toStdString();
    }
    // Every command answers --help with its own usage; after "--" it is a file name.
    const struct {
        QStringList args;
        const char *usage; // empty: not help
    } cases[] = {
        {{"decrypt", "--help"}, "использование: ocai-cli decrypt "},
        {{"encrypt", "-h"}, "использование: ocai-cli encrypt "},
        {{"plot", "b", "--out", "x.png", "--help"}, "использование: ocai-cli plot b "},
        {{"plot", "--help"}, "  ocai-cli plot c "},
        {{"report", "-h"}, "использование: ocai-cli report "},
        {{"stats", "--help"}, "ocai-cli stats"},
        {{"decrypt", "--", "--help"}, ""},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.args);
        const bool help = *c.usage != 0;
        EXPECT_EQ(run.exitCode == 0, help) << c.args.join(' ').toStdString();
        if (help) {
            EXPECT_TRUE(run.out.contains(c.usage)) << run.out.toStdString();
        }
    }
}

TEST(SurveyCli, Utf8CutShortAtTheEndIsRefused)
{
    const struct {
        QByteArray input;
        int exitCode;
    } cases[] = {
        {"abc\xd0", 1},     // the first byte of the two of "а"
        {"abc\xe2\x82", 1}, // two bytes of the three of "€"
        {"\xd0"
         "abc",
         1},                    // cut short before more text
        {"abc\xd0\xb0", 0},     // the whole "а"
        {"abc\xe2\x82\xac", 0}, // the whole "€"
    };
    for (const auto &c : cases) {
        const CliRun run = runCli({QStringLiteral("encrypt")}, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.input.toHex().toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.exitCode != 0);
        EXPECT_EQ(run.err.contains("<stdin> — не текст UTF-8"), c.exitCode != 0)
            << run.err.toStdString();
    }
}

#ifdef Q_OS_UNIX // Windows names hold no control characters
TEST(SurveyCli, ControlCharactersOfNamesAreEscaped)
{
    QTemporaryDir dir;
    const struct {
        const char *name, *shown;
    } cases[] = {
        {"line\nbreak.cry", "line\\nbreak.cry"},
        {"cr\r\ttab.cry", "cr\\r\\ttab.cry"},
        {"esc\x1b[31m.cry", "esc\\x1B[31m.cry"},
        {"sep\xe2\x80\xa8.cry", "sep\\u2028.cry"},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        const QByteArray expected = "ocai-cli: Не удаётся открыть файл " +
                                    dir.filePath(QString::fromUtf8(c.shown)).toUtf8() +
                                    ": нет такого файла\n";
        EXPECT_EQ(runCli({QStringLiteral("profile"), path}).err, expected);
        // The same name on a damaged file that exists: message with line number, one line.
        ASSERT_TRUE(QFile::copy(QStringLiteral(OCAI_TEST_DATA_DIR "/non_number.cry"), path));
        const CliRun damaged = runCli({QStringLiteral("profile"), path});
        EXPECT_EQ(damaged.exitCode, 1);
        EXPECT_EQ(damaged.err.count('\n'), 1) << damaged.err.toStdString();
        EXPECT_TRUE(damaged.err.contains(QString::fromUtf8(c.shown).toUtf8() + ":26: "));
    }
}
#endif

TEST(SurveyCli, DoubleDashEndsTheOptions)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(kSample, dir.filePath(QStringLiteral("-sample.txt"))));
    ASSERT_EQ(
        runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), QStringLiteral("-name.cry"),
                QStringLiteral("--"), QStringLiteral("-sample.txt")},
               {}, kPlainC, dir.path())
            .exitCode,
        0);
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{QStringLiteral("profile"), QStringLiteral("--"), QStringLiteral("-name.cry")}, 0},
        {{QStringLiteral("decrypt"), QStringLiteral("--"), QStringLiteral("-name.cry")}, 0},
        {{QStringLiteral("decrypt"), QStringLiteral("--raw"), QStringLiteral("--"),
          QStringLiteral("-name.cry")},
         0},
        {{QStringLiteral("profile"), QStringLiteral("-name.cry")}, 2},
        {{QStringLiteral("decrypt"), QStringLiteral("-name.cry")}, 2},
        {{QStringLiteral("profile"), QStringLiteral("--")}, 2},
        {{QStringLiteral("decrypt"), QStringLiteral("--"), QStringLiteral("--raw")}, 1},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.args, {}, kPlainC, dir.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.out.startsWith("code: ivn01\n") || run.out.startsWith("12.03.2026\r\n"),
                  c.exitCode == 0);
    }
}

#ifdef Q_OS_UNIX
TEST(SurveyCli, OutputThatIsNotARegularFileIsLeftAlone)
{
    QTemporaryDir dir;
    const QStringList paths = testfiles::makeSpecialFiles(QDir(dir.path()), QString());
    ASSERT_GE(paths.size(), 4); // the device only as root
    for (const QString &path : paths) {
        const auto before = testfiles::pathState(path);
        const CliRun run =
            runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), path}, QByteArray("text"));
        EXPECT_EQ(run.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(run.err.startsWith("ocai-cli: Не удаётся записать " + path.toUtf8() + ": "))
            << run.err.toStdString();
        EXPECT_EQ(testfiles::pathState(path), before) << path.toStdString();
    }
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
        paths.size()); // no file left behind
}
#endif

#ifdef Q_OS_UNIX // symbolic links, and a name of 255 bytes beyond the 260 of a Windows path
TEST(SurveyCli, OutputReplacesAFileWholeAndKeepsALink)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.cry"));
    const QString link = dir.filePath(QStringLiteral("link.cry"));
    ASSERT_TRUE(testfiles::writeFile(file, QByteArray(5000, 'x')));
    ASSERT_TRUE(QFile::link(QStringLiteral("old.cry"), link));
    const QByteArray letters = Pc1Encrypt(programKey(), "text");

    ASSERT_EQ(runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), file}, "text").exitCode,
              0);
    EXPECT_EQ(readAll(file), letters); // nothing of the longer old content is left

    ASSERT_EQ(runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), link}, "text2").exitCode,
              0);
    EXPECT_EQ(QFile::symLinkTarget(link), file);
    EXPECT_EQ(readAll(file), Pc1Encrypt(programKey(), "text2"));

    // A name at the file system's limit is replaced too, and nothing is left beside it.
    const QString longName = dir.filePath(QString(251, u'x') + QStringLiteral(".cry"));
    for (const char *text : {"one", "two"})
        ASSERT_EQ(
            runCli({QStringLiteral("encrypt"), QStringLiteral("--out"), longName}, text).exitCode,
            0);
    EXPECT_EQ(readAll(longName), Pc1Encrypt(programKey(), "two"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}
#endif

// An output that cannot be written and a miscounted option each say what is wrong in one line.
#ifdef Q_OS_UNIX // the causes are made with sh, unshare and /dev/stdout
TEST(SurveyCli, MessagesNameTheCause)
{
    QTemporaryDir dir;
    const QString group = dir.filePath(QStringLiteral("group")), full = dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(group) && QDir().mkpath(full));
    ASSERT_TRUE(testfiles::writeFile(
        group + QStringLiteral("/p1OCAI.cry"),
        testfiles::encrypt(testfiles::resultText(
            "p1", testfiles::uniformRows({40, 30, 20, 10}, {10, 20, 30, 40})))));
    // ocai-cli's stdout is a pipe to the test; the full folder a tmpfs of one page (as root).
    const struct {
        QString script;
        int exitCode;
        QString err;
    } cases[] = {
        {QStringLiteral("\"$0\" report --out /dev/stdout %1").arg(group), 1,
         QStringLiteral("Не удаётся записать /dev/stdout: это канал (связь с другой "
                        "программой), а не файл; записывается только обычный файл или новое "
                        "имя\n")},
        {QStringLiteral("\"$0\" pdf --names A,B --out %1/a.pdf %2").arg(dir.path(), group), 2,
         QStringLiteral("pdf: в --names имён: 2, а групп: 1; нужно по имени на группу, через "
                        "запятую; использование: ")},
        {QStringLiteral("unshare -m sh -c 'mount -t tmpfs -o size=4k tmpfs %1 || exit 99; "
                        "TMPDIR=%1 \"$0\" export --out %2/a.xlsx %3' \"$0\"")
             .arg(full, dir.path(), group),
         1,
         QStringLiteral("export: временная папка %1 переполнена (No space left on device); "
                        "освободите в ней место или укажите другую папку в TMPDIR\n")
             .arg(full)},
    };
    for (const auto &test : cases) {
        const CliRun run = testcli::runCliInShell(test.script);
        if (run.exitCode == 99)
            continue; // no tmpfs can be mounted here
        EXPECT_EQ(run.exitCode, test.exitCode) << test.script.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(QStringLiteral("ocai-cli: ") + test.err))
            << run.err.toStdString();
    }
}
#endif

// The manual's synopsis read as plain text: font macros dropped, their words joined.
QStringList manualSynopsis()
{
    QStringList lines{QString()};
    bool inSynopsis = false;
    for (QString line :
         QString::fromUtf8(readAll(QStringLiteral(OCAI_SAMPLES_DIR "/../packaging/ocai-cli.1")))
             .split(u'\n')) {
        if (line.startsWith(QLatin1String(".SH")))
            inSynopsis = line == QLatin1String(".SH SYNOPSIS");
        if (!inSynopsis || line.startsWith(QLatin1String(".SH")))
            continue;
        if (line == QLatin1String(".br")) {
            lines << QString();
            continue;
        }
        line.replace(QLatin1String("\\-"), QLatin1String("-"))
            .replace(QLatin1String("\\(dq"), QLatin1String("\""));
        const QString macro = line.section(u' ', 0, 0);
        QString words = line.startsWith(u'.') ? line.section(u' ', 1) : line;
        if (macro.size() == 3) // .RB, .IR and the like alternate fonts without spaces
            words.remove(u' ');
        lines.last() += (lines.last().isEmpty() ? QString() : QStringLiteral(" ")) + words;
    }
    return lines;
}

TEST(SurveyCli, ManualSynopsisIsTheHelpsUsage)
{
    QStringList usages;
    for (const QByteArray &line : runCli({QStringLiteral("--help")}).out.split('\n'))
        if (line.startsWith("  ocai-cli "))
            usages << QString::fromUtf8(line.mid(2));
    EXPECT_EQ(manualSynopsis(), usages);
}
