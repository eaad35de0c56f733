#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform {
namespace {

// FNV-1a: any bytes (CP932 class names included) give a short, file-name-safe name.
std::uint64_t HashName(std::string_view name) {
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : name) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    }
    return hash;
}

// $XDG_RUNTIME_DIR is private to the user; the shared temporary folder needs the uid in the
// name so that users never meet.
std::string LockFilePath(std::string_view class_name) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(HashName(class_name)));
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0') {
        return std::string(runtime) + "/qvarn-instance-" + hash + ".lock";
    }
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = "/tmp";
    return (folder / ("qvarn-" + std::to_string(getuid()) + "-instance-" + hash + ".lock"))
        .string();
}

}  // namespace

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

bool InstanceLock::Acquire(std::string_view class_name) {
    Release();
    const std::string path = LockFilePath(class_name);
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        std::fprintf(stderr, "instance lock %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    // The file stays behind on release: unlinking a locked file would let two holders lock
    // different files of the same name.
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            std::fputs("qvarn: another copy of this game is running; this one ends\n", stderr);
        } else {
            std::fprintf(stderr, "instance lock %s: %s\n", path.c_str(), std::strerror(errno));
        }
        close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    return true;
}

void InstanceLock::Release() {
    if (descriptor_ < 0)
        return;
    close(descriptor_);
    descriptor_ = -1;
}

}  // namespace platform
