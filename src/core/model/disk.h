#pragma once
// Every call that changes what is on disk goes through one small seam, so that tests can make any
// single step fail, or stop the game dead at any step, and then look at what a player would find.

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace vargo {

/// The file-system steps the game's writers take. Each returns what the system call returns
/// (-1 with errno set on failure).
class Disk {
public:
    virtual ~Disk() = default;

    /// Creates a new file for writing; fails when anything, a symbolic link included, already has
    /// that name, so a temporary file is always our own and never written through a link.
    virtual int createExclusive(const std::filesystem::path& path);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const std::filesystem::path& from, const std::filesystem::path& to);
    /// A second name for an existing file (never following a symbolic link).
    virtual int link(const std::filesystem::path& from, const std::filesystem::path& to);
    virtual int unlink(const std::filesystem::path& path);
    /// Creates a folder (0755); fails when anything already has that name.
    virtual int makeFolder(const std::filesystem::path& path);
    /// Makes the names in a folder durable after renames.
    virtual int syncFolder(const std::filesystem::path& folder);
};

/// The Disk the game writes through: the real one unless a test put another in place.
Disk& disk();

/// Puts another Disk in place for the lifetime of this object (tests only).
class ScopedDisk {
public:
    explicit ScopedDisk(Disk& replacement);
    ~ScopedDisk();
    ScopedDisk(const ScopedDisk&) = delete;
    ScopedDisk& operator=(const ScopedDisk&) = delete;

private:
    Disk* previous;
};

/// The system's message for an errno value, in the player's language where we know it.
std::string systemErrorText(int error);

}  // namespace vargo
