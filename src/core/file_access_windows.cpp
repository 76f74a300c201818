#include "core/file_access.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tarnwell {
namespace {

std::wstring widePath(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

FileReadFailure readWholeFile(const std::string& path, std::string& bytes) {
    const std::wstring wide = widePath(path);
    // Others may read, write or remove the file meanwhile, as on POSIX; a
    // change shows in its stamp.
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file: Windows says access denied.
        if (isFolder(wide)) return FileReadFailure::IsFolder;
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
            error == ERROR_BAD_NETPATH || error == ERROR_INVALID_DRIVE)
            return FileReadFailure::NotFound;
        return FileReadFailure::Denied;
    }
    LARGE_INTEGER size{};
    std::size_t used = 0;
    const bool sized = GetFileSizeEx(file, &size) && size.QuadPart > 0;
    bytes.resize(sized ? static_cast<std::size_t>(size.QuadPart) + 1 : 1 << 16);
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const std::size_t room = bytes.size() - used;
        const DWORD ask = room > (1u << 30) ? (1u << 30) : static_cast<DWORD>(room);
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + used, ask, &got, nullptr)) {
            CloseHandle(file);
            return FileReadFailure::ReadError;
        }
        if (got == 0) break;
        used += got;
    }
    CloseHandle(file);
    bytes.resize(used);
    return FileReadFailure::None;
}

FileStamp fileStamp(const std::string& path) {
    // Not std::filesystem: MinGW's last_write_time comes from _wstat, whole
    // seconds only, and a same-length rewrite within the second would pass.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileStamp stamp;
    if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const auto join = [](DWORD high, DWORD low) {
        return static_cast<long long>((static_cast<unsigned long long>(high) << 32) | low);
    };
    stamp.parts = {folder ? 1 : 0, join(data.nFileSizeHigh, data.nFileSizeLow),
                   join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
    return stamp;
}

}  // namespace tarnwell
