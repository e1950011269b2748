#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The built ocai-cli run as a user runs it: a separate process, offscreen, in a given locale.
namespace testcli {

struct CliRun {
    int exitCode = -1; // -1: it did not start, hung or crashed
    QByteArray out, err;
};

// Runs ocai-cli with `args`, `input` on its stdin, LC_ALL set to `locale` and in `workDir`
// (the test's own when empty).
inline CliRun runCli(const QStringList &args, const QByteArray &input = {},
                     const QString &locale = QStringLiteral("C.UTF-8"), const QString &workDir = {})
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(OCAI_CLI_PATH), args);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace testcli
