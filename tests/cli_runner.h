#pragma once

#include <QByteArray>
#include <QLocale>
#include <QProcess>
#include <QString>
#include <QStringList>

// The built ocai-cli run as a user runs it: a separate process, offscreen, in a given locale.
namespace testcli {

// What ocai-cli formats numbers with: the locale of the LC_ALL a test gives it; on Windows,
// which reads no LC_ALL, the user's, which the test's process has too.
inline QLocale cliLocale(const QLocale &chosen)
{
#ifdef Q_OS_WIN
    Q_UNUSED(chosen)
    return QLocale::system();
#else
    return chosen;
#endif
}

inline QChar cliSeparator(QChar chosen)
{
    const QString point =
        cliLocale(chosen == u',' ? QLocale(QLocale::Russian) : QLocale::c()).decimalPoint();
    return point.isEmpty() ? chosen : point.front();
}

struct CliRun {
    int exitCode = -1; // -1: it did not start, hung or crashed
    QByteArray out, err;
};

// Runs `program` with `args`, `input` on its stdin, LC_ALL set to `locale`, the variables
// "NAME=value" of `environment` on top ("NAME" alone removes one), in `workDir` (the test's own
// when empty).
inline CliRun runProgram(const QString &program, const QStringList &args, const QByteArray &input,
                         const QString &locale, const QString &workDir,
                         const QStringList &environment)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    for (const QString &variable : environment) {
        if (variable.contains(u'='))
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        else
            env.remove(variable);
    }
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The locale the suite runs in (its main sets LC_ALL): a Russian desktop's in the normal tree.
inline QString suiteLocale()
{
    return qEnvironmentVariable("LC_ALL");
}

inline CliRun runCli(const QStringList &args, const QByteArray &input = {},
                     const QString &locale = suiteLocale(), const QString &workDir = {},
                     const QStringList &environment = {})
{
    return runProgram(QStringLiteral(OCAI_CLI_PATH), args, input, locale, workDir, environment);
}

// A shell command line in which "$0" is ocai-cli: for arguments of raw bytes and redirections.
inline CliRun runCliInShell(const QString &script, const QString &workDir = {})
{
    return runProgram(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), script, QStringLiteral(OCAI_CLI_PATH)}, {},
                      suiteLocale(), workDir, {});
}

} // namespace testcli
