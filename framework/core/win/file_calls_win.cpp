#include "core/file_calls.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace filecalls {
namespace {

Result failure()
{
    const DWORD error = GetLastError();
    const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return {taken ? Outcome::NameTaken : Outcome::Failed, int(error)};
}

bool writeAll(HANDLE file, const char *data, std::size_t size)
{
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : DWORD(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// `text` in the ANSI code page; empty when a character has no place there (a best-fit
// look-alike would name another file).
std::string inAnsiCodePage(const std::wstring &text)
{
    if (text.empty())
        return {};
    if (GetACP() == CP_UTF8) { // the system's option "UTF-8 for worldwide language support"
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                             nullptr, nullptr);
        std::string bytes(std::size_t(size > 0 ? size : 0), '\0');
        if (size > 0)
            WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size,
                                nullptr, nullptr);
        return bytes;
    }
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                                         int(text.size()), nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost)
        return {};
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), int(text.size()), bytes.data(),
                        size, nullptr, &lost);
    return lost ? std::string() : bytes;
}

} // namespace

std::string ansiPath(const NativePath &path)
{
    if (std::string ansi = inAnsiCodePage(path); !ansi.empty())
        return ansi;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size)
        return {};
    shortPath.resize(length);
    return inAnsiCodePage(shortPath);
}

Result createSynced(const NativePath &path, const char *data, std::size_t size)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure();
    if (!writeAll(file, data, size) || !FlushFileBuffers(file)) {
        const Result result = failure();
        CloseHandle(file);
        DeleteFileW(path.c_str());
        return {Outcome::Failed, result.error};
    }
    if (!CloseHandle(file)) {
        const Result result = failure();
        DeleteFileW(path.c_str());
        return {Outcome::Failed, result.error};
    }
    return {};
}

Result moveWithoutReplacing(const NativePath &from, const NativePath &to)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken; write-through
    // returns once the new name is on the disk.
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return failure();
    return {};
}

bool isPipe(const NativePath &path)
{
    // Windows pipes live under \\.\pipe\ only, outside every file system; opening one to ask
    // would take one of its instances from the program that serves it.
    const std::wstring prefix = LR"(\\.\pipe\)";
    return path.size() > prefix.size() &&
           CompareStringOrdinal(path.c_str(), int(prefix.size()), prefix.c_str(),
                                int(prefix.size()), TRUE) == CSTR_EQUAL;
}

namespace {

bool fileId(const NativePath &path, BY_HANDLE_FILE_INFORMATION &info)
{
    // No access asked: the file is only identified, whoever holds it open.
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known;
}

} // namespace

bool sameFile(const NativePath &a, const NativePath &b)
{
    if (isPipe(a) || isPipe(b))
        return false;
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    return fileId(a, infoA) && fileId(b, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}

} // namespace filecalls
