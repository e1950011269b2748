// The built ocai-cli: decrypt, encrypt and profile as a user runs them.
#include "core/text_codec.h"
#include "unit_pc1.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace survey;

namespace {

const QString kSample = QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt");

struct CliRun {
    int exitCode = -1;
    QByteArray out, err;
};

CliRun runCli(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // output is UTF-8 regardless
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(OCAI_CLI_PATH), args);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

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
    const CliRun encrypted = runCli({QStringLiteral("encrypt")}, utf8);
    ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err.toStdString();
    EXPECT_EQ(encrypted.out, Pc1Encrypt(pc1KeyBytes(Pc1KeyText), plain));
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

    const CliRun decrypted = runCli({QStringLiteral("decrypt"), cry});
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
    const CliRun profile = runCli({QStringLiteral("profile"), cry});
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
    EXPECT_TRUE(QString::fromUtf8(profile.err)
                    .contains(broken + QStringLiteral(":26: '  1O' is not a valid integer value")))
        << profile.err.toStdString();

    const CliRun folder = runCli({QStringLiteral("decrypt"), QStringLiteral(OCAI_TEST_DATA_DIR)});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.contains("Cannot open file")) << folder.err.toStdString();

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
}
