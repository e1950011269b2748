#pragma once

// The operating system's calls behind a new file that appears whole or not at all. The
// interface speaks plain C++ types, so that every Windows call sits in one Qt-free file, which a
// cross compiler alone can check.

#include <cstddef>
#include <string>

namespace filecalls {

// A path as the system's calls take it: UTF-16 on Windows, the file system's bytes elsewhere.
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

enum class Outcome { Done, NameTaken, Failed };

struct Result {
    Outcome outcome = Outcome::Done;
    int error = 0; // errno, or GetLastError() on Windows, when the call failed
};

// Creates `path`, which must not exist (NameTaken when anything has the name), writes `size`
// bytes of `data` and returns once they are on the disk. A file that failed halfway is removed.
Result createSynced(const NativePath &path, const char *data, std::size_t size);

// Gives the file `from` the name `to` on the same file system, only when no entry of any kind has
// that name (NameTaken otherwise); `from` then names nothing, and the new name is on the disk.
Result moveWithoutReplacing(const NativePath &from, const NativePath &to);

#ifdef _WIN32
// `path` for a library that opens files only with the ANSI calls, whose code page has no room
// for most characters: the path itself where the code page holds each of its characters, else
// its short (8.3) form where that does; empty when neither can name it.
std::string ansiPath(const NativePath &path);
#endif

// True when `path`, links followed, is a pipe (a FIFO or one end of a shell's "|").
bool isPipe(const NativePath &path);

// True when both paths, links followed, lead to one existing file: one inode on POSIX, one file
// index of one volume on Windows (whatever the letter case, short name or drive letter).
bool sameFile(const NativePath &a, const NativePath &b);

} // namespace filecalls
