#include "core/file_access.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwell {

FileReadFailure readWholeFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileReadFailure::NotFound;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return FileReadFailure::IsFolder;
        return FileReadFailure::Denied;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return FileReadFailure::ReadError;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        return FileReadFailure::IsFolder;
    }
    // One read for the whole file where its size is known; the loop covers
    // short reads and files whose size the system does not tell.
    std::size_t used = 0;
    bytes.resize(S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16);
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return error == EISDIR ? FileReadFailure::IsFolder : FileReadFailure::ReadError;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(used);
    return FileReadFailure::None;
}

FileStamp fileStamp(const std::string& path) {
    struct stat info {};
    FileStamp stamp;
    if (::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.parts = {static_cast<long long>(info.st_dev), static_cast<long long>(info.st_ino),
                   static_cast<long long>(info.st_size), info.st_mtim.tv_sec,
                   info.st_mtim.tv_nsec, info.st_ctim.tv_sec,
                   info.st_ctim.tv_nsec, static_cast<long long>(info.st_mode)};
    return stamp;
}

}  // namespace tarnwell
