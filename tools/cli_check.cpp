// ocai-cli check: what the lenient reading of result files lets through, file by file, in
// the consultant's words. Every entry is reported, one that cannot be read too: one damaged
// file hides no other file's warnings. In a folder, each file repeating another's respondent
// code is named too.
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include "survey/respondent_codes.h"
#include "survey/result_names.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

// "FILE: text", the file as the system writes paths.
QString aboutFile(const QString &path, const QString &text)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), text);
}

class Check {
public:
    // Each warning of one file on stdout, or why it cannot be read on stderr. False when the
    // output cannot be written.
    // `code`, when given, gets the code of a file that reads.
    bool file(const QString &path, QString *code = nullptr)
    {
        const auto loaded = loadGroupArgument(path);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
            refuse(refusalText(*error));
            return true;
        }
        if (code)
            *code = std::get<survey::LoadedProfile>(loaded).code;
        for (const QString &warning : std::get<survey::LoadedProfile>(loaded).warnings.front())
            if (!warn(aboutFile(path, warning)))
                return false;
        return true;
    }

    // Each entry of a folder named as a result file, on its own.
    bool folder(const QString &path)
    {
        const auto listed = survey::resultEntries(path);
        if (const auto *reason = std::get_if<QString>(&listed)) {
            refuse(aboutFile(path, *reason));
            return true;
        }
        const auto &entries = std::get<std::vector<survey::ResultEntry>>(listed);
        if (entries.empty()) // the folder's load words the want of results
            return file(path);
        QStringList paths, names, codes; // of the files that read
        for (const survey::ResultEntry &entry : entries) {
            bool written = true;
            QString code;
            if (entry.probe.kind == survey::EntryKind::Folder)
                written = warn(aboutFile(entry.path, QStringLiteral("это папка, группа её не "
                                                                    "читает")));
            else if (entry.probe.kind == survey::EntryKind::Unusable)
                refuse(aboutFile(entry.path, entry.probe.reason));
            else
                written = file(entry.path, &code);
            if (!written)
                return false;
            if (!code.isNull()) {
                paths << entry.path;
                names << entry.name;
                codes << code;
            }
        }
        // A code answered twice, one line per repeat: the group counts both files, the floor
        // one person.
        for (const survey::CodeRepeat &repeat : survey::codeRepeats(names, codes))
            if (!warn(aboutFile(paths[repeat.file],
                                survey::codeRepeatText(codes[repeat.file], names[repeat.first]))))
                return false;
        return true;
    }

    bool found() const { return m_found; }

private:
    // The load's reason in Russian, naming the file; its English message only where it has
    // none (the message is then Russian too).
    static QString refusalText(const survey::GroupError &error)
    {
        return error.reason.isEmpty() ? error.message : aboutFile(error.path, error.reason);
    }

    void refuse(const QString &text)
    {
        dataError(text);
        m_found = true;
    }

    bool warn(const QString &text)
    {
        m_found = true;
        return writeStdout(escapeControls(text).toUtf8() + '\n');
    }

    bool m_found = false;
};

} // namespace

int runCheck(const ParsedArgs &args)
{
    Check check;
    for (const QString &operand : args.operands) {
        const bool written =
            QFileInfo(operand).isDir() ? check.folder(operand) : check.file(operand);
        if (!written)
            return dataError(QStringLiteral("не удаётся вывести результат проверки"));
    }
    return check.found() ? kExitBadData : kExitOk;
}

} // namespace cli
