#include "model/disk.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace vargo {
namespace {

Disk& realDisk() {
    static Disk real;
    return real;
}

Disk* current = nullptr;

}  // namespace

int Disk::createExclusive(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

ssize_t Disk::write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

int Disk::fsync(int fd) {
    return ::fsync(fd);
}

int Disk::close(int fd) {
    return ::close(fd);
}

int Disk::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str());
}

int Disk::link(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0);
}

int Disk::unlink(const std::filesystem::path& path) {
    return ::unlink(path.c_str());
}

int Disk::makeFolder(const std::filesystem::path& path) {
    return ::mkdir(path.c_str(), 0755);
}

int Disk::syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    int r = ::fsync(fd);
    int saved = errno;
    ::close(fd);
    errno = saved;
    return r;
}

Disk& disk() {
    return current ? *current : realDisk();
}

ScopedDisk::ScopedDisk(Disk& replacement) : previous(current) {
    current = &replacement;
}

ScopedDisk::~ScopedDisk() {
    current = previous;
}

std::string systemErrorText(int error) {
    switch (error) {
        case ENOSPC:
            return "ディスクの空きがありません";
        case EACCES:
        case EPERM:
            return "書き込みが許可されていません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOENT:
            return "フォルダが見つかりません";
        case EEXIST:
            return "同じ名前のファイルがすでにあります";
        case EIO:
            return "ディスクの読み書きに失敗しました";
        case EDQUOT:
            return "ディスクの使用量の上限に達しました";
        default:
            return std::string("書き込みに失敗しました（") + std::strerror(error) + "）";
    }
}

}  // namespace vargo
