#pragma once
// What the database reader asks of the file system. One side per system
// (file_access_posix.cpp, file_access_windows.cpp), chosen when building;
// everything else in core/ is standard C++.
//
// Paths are UTF-8. On Windows they are used as wide-character paths, so a
// folder named in any language, whatever the system's code page, is found.

#include <array>
#include <string>

namespace tarnwell {

enum class FileReadFailure { None, NotFound, IsFolder, Denied, ReadError };

// Reads the whole file at `path` into `bytes` (replacing what was there).
FileReadFailure readWholeFile(const std::string& path, std::string& bytes);

// What tells that the file at a path is still the one read earlier: equal
// stamps mean the same file, unchanged. POSIX: device, inode, size, mode and
// the modification and change times to the nanosecond. Windows: whether it is
// a folder, its size and its last-write time (to 100 ns).
struct FileStamp {
    bool exists = false;
    std::array<long long, 8> parts{};
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const std::string& path);

}  // namespace tarnwell
