#pragma once
// A Disk that lets every step through until a chosen one, and then fails that step, stops the
// game dead (nothing after it reaches the disk), or kills the process outright.

#include <errno.h>
#include <signal.h>

#include "model/disk.h"

namespace vargo::test {

class FaultyDisk : public Disk {
public:
    enum class Fault {
        FailOne,  /**< the chosen step fails with an I/O error, the rest go through */
        FailRest, /**< the chosen step and every later one fail: the disk went away */
        Kill,     /**< the process is killed at the chosen step (use in a child process) */
    };

    FaultyDisk(int at, Fault how) : target(at), fault(how) {}

    int steps() const { return count; }
    bool hit() const { return count >= target; }

    int createExclusive(const std::filesystem::path& p) override {
        return step() ? Disk::createExclusive(p) : -1;
    }
    ssize_t write(int fd, const void* data, size_t size) override {
        return step() ? Disk::write(fd, data, size) : -1;
    }
    int fsync(int fd) override { return step() ? Disk::fsync(fd) : -1; }
    int close(int fd) override {
        // A descriptor is always given back, even by a failing close, so the test leaks nothing.
        bool ok = step();
        int r = Disk::close(fd);
        if (!ok) {
            errno = EIO;
            return -1;
        }
        return r;
    }
    int rename(const std::filesystem::path& a, const std::filesystem::path& b) override {
        return step() ? Disk::rename(a, b) : -1;
    }
    int link(const std::filesystem::path& a, const std::filesystem::path& b) override {
        return step() ? Disk::link(a, b) : -1;
    }
    int unlink(const std::filesystem::path& p) override { return step() ? Disk::unlink(p) : -1; }
    int makeFolder(const std::filesystem::path& p) override { return step() ? Disk::makeFolder(p) : -1; }
    int syncFolder(const std::filesystem::path& p) override { return step() ? Disk::syncFolder(p) : -1; }

private:
    bool step() {
        ++count;
        bool failing = fault == Fault::FailOne ? count == target : count >= target;
        if (!failing) {
            return true;
        }
        if (fault == Fault::Kill) {
            ::raise(SIGKILL);
        }
        errno = EIO;
        return false;
    }

    int target;
    Fault fault;
    int count = 0;
};

}  // namespace vargo::test
