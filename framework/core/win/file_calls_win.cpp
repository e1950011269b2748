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

} // namespace

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

} // namespace filecalls
