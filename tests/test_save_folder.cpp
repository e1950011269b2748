// The folder the save dialogs propose: beside the program when it may write there, else in
// the user's documents folder.
#include "result_files.h"
#include "widgets/save_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QString &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

// The real lookup of the user's folders while it lasts: the tests' own locations would hide the
// user-dirs.dirs a case writes into its sandboxed XDG_CONFIG_HOME.
class RealStandardPaths {
public:
    RealStandardPaths() { QStandardPaths::setTestModeEnabled(false); }
    ~RealStandardPaths() { QStandardPaths::setTestModeEnabled(true); }
    RealStandardPaths(const RealStandardPaths &) = delete;
    RealStandardPaths &operator=(const RealStandardPaths &) = delete;
};

struct Case {
    const char *name;
    QStringList dirs, files; // made first, relative to a fresh temporary root
    QString programDir, folderName;
    QString userDirsLine; // for config/user-dirs.dirs, when not empty
    bool readOnlyProgram; // permission bits only: cannot stop root
    QString expected;
};

} // namespace

TEST(SaveFolder, BesideTheProgramOrInTheDocuments)
{
    const QString cyrillicDocs = QStringLiteral("Документы");
    const Case cases[] = {
        {"missing folder beside a writable program is made",
         {"app"},
         {},
         "app/",
         "Results",
         {},
         false,
         "app/Results"},
        {"existing folder beside the program is kept",
         {"app/Данные"},
         {},
         "app/",
         "Данные",
         {},
         false,
         "app/Данные"},
        {"program folder that cannot exist (a file on its path)",
         {},
         {"app"},
         "app/bin/",
         "Results",
         {},
         false,
         "home/Documents/Results"},
        {"folder name taken by a file",
         {"app"},
         {"app/Results"},
         "app/",
         "Results",
         {},
         false,
         "home/Documents/Results"},
        {"documents folder named in user-dirs.dirs",
         {},
         {"app"},
         "app/bin/",
         "Данные",
         "XDG_DOCUMENTS_DIR=\"$HOME/" + cyrillicDocs + "\"",
         false,
         "home/" + cyrillicDocs + "/Данные"},
        {"read-only program folder",
         {"app"},
         {},
         "app/",
         "Results",
         {},
         true,
         "home/Documents/Results"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
#ifdef Q_OS_UNIX
        if (c.readOnlyProgram && ::geteuid() == 0)
            continue; // root writes anyway; the file-on-the-path case stands in for it
#endif
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        // Nothing may land in the real home.
        const ScopedEnv home("HOME", root.filePath(QStringLiteral("home")));
        const ScopedEnv config("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")));
        const RealStandardPaths real;
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("home")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("config")));
        if (!c.userDirsLine.isEmpty()) {
            ASSERT_TRUE(testfiles::writeFile(root.filePath(QStringLiteral("config/user-dirs.dirs")),
                                             c.userDirsLine.toUtf8() + '\n'));
        }
        for (const QString &dir : c.dirs)
            ASSERT_TRUE(QDir(root.path()).mkpath(dir));
        for (const QString &file : c.files)
            ASSERT_TRUE(testfiles::writeFile(root.filePath(file), "x"));
        const QString programDir = root.filePath(c.programDir);
        if (c.readOnlyProgram) {
            ASSERT_TRUE(QFile::setPermissions(programDir, QFile::ReadOwner | QFile::ExeOwner));
        }

        const QString folder =
            ui::defaultSaveFolder(QDir::toNativeSeparators(programDir), c.folderName);

        EXPECT_EQ(folder, QDir::toNativeSeparators(root.filePath(c.expected)));
        // Deciding makes nothing: only the case's own folder is there.
        EXPECT_EQ(QFileInfo(folder).isDir(), c.dirs.contains(c.expected));
        EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("home/Documents"))));
        if (c.readOnlyProgram)
            QFile::setPermissions(programDir,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}
