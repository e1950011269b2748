// Excluding and returning files as the consultant saw them, off the window's thread: a file
// that changed since its row was loaded (another came under its name) is never moved.
#include "desk/file_moves.h"
#include "desk_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using deskfiles::put;
using deskfiles::tree;
using deskfiles::writeResult;

// The row the table would show for `path` now.
desk::SeenFile seen(const QString &path)
{
    return desk::seenFile(desk::loadGroup(QFileInfo(path).path(), "g").respondents.at(0));
}

TEST(DeskMoves, AFileThatChangedSinceItWasSeenIsNotMoved)
{
    const std::pair<const char *, std::function<bool(const QString &)>> table[] = {
        {"unchanged", [](const QString &) { return true; }},
        {"another under its name",
         [](const QString &path) {
             return QFile::remove(path) && writeResult(path, "newcomer-with-a-longer-code");
         }},
        {"rewritten, same size",
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime);
         }},
        {"gone", [](const QString &path) { return QFile::remove(path); }},
    };
    for (const auto &[change, apply] : table) {
        QTemporaryDir dir;
        const QString path = dir.filePath("g/aOCAI.cry");
        ASSERT_TRUE(writeResult(path, "a"));
        const desk::SeenFile row = seen(path);
        ASSERT_TRUE(apply(path)) << change;
        const auto before = tree(dir.path());
        const auto moved = desk::moveSeenFile(row, true);
        if (std::string(change) == "unchanged") {
            EXPECT_EQ(std::get<QString>(moved), dir.filePath("g/Исключённые/aOCAI.cry"));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<desk::MoveError>(moved)) << change;
        EXPECT_TRUE(std::get<desk::MoveError>(moved).message.contains("aOCAI.cry")) << change;
        EXPECT_EQ(tree(dir.path()), before) << change;
    }
}

TEST(DeskMoves, TheMoverMovesOffTheThreadAndReportsEachRefusal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("g/aOCAI.cry"), "a"));
    ASSERT_TRUE(writeResult(dir.filePath("g/bOCAI.cry"), "b"));
    const desk::SeenFile a = seen(dir.filePath("g/aOCAI.cry"));
    desk::SeenFile b = a;
    b.path = dir.filePath("g/bOCAI.cry");
    b.size += 1; // not the b on disk

    desk::FileMover mover;
    QSignalSpy finished(&mover, &desk::FileMover::finished);
    ASSERT_TRUE(mover.move({a, b}, true));
    EXPECT_FALSE(mover.move({a}, true)); // one batch at a time
    ASSERT_TRUE(finished.wait(20000));
    const auto report = finished.at(0).at(0).value<desk::MoveReport>();
    EXPECT_EQ(report.moved, 1);
    ASSERT_EQ(report.problems.size(), 1);
    EXPECT_TRUE(report.problems[0].contains("изменился")) << report.problems[0].toStdString();
    EXPECT_EQ(report.folders, (QStringList{dir.filePath("g"), dir.filePath("g/Исключённые")}));
    EXPECT_TRUE(QFile::exists(dir.filePath("g/Исключённые/aOCAI.cry")));
    EXPECT_TRUE(QFile::exists(dir.filePath("g/bOCAI.cry")));
    EXPECT_FALSE(mover.busy());
}

} // namespace
