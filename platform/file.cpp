#include "platform/file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/file_hooks.h"

namespace platform {

File::~File() {
    Close();
}

File::File(File&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

std::int64_t File::Read(void* buffer, std::size_t size) {
    if (!IsOpen())
        return -1;
    // Real time on purpose: the hook stands in for a slow disk even under a fake clock.
    if (const int delay = ReadDelayMilliseconds(); delay > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    }
    char* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < size) {
        const ssize_t count = read(descriptor_, out + total, size - total);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        total += static_cast<std::size_t>(count);
    }
    return static_cast<std::int64_t>(total);
}

std::int64_t File::Write(const void* data, std::size_t size) {
    if (!IsOpen() || TakeWriteFailure())
        return -1;
    const char* in = static_cast<const char*>(data);
    std::size_t total = 0;
    while (total < size) {
        const ssize_t count = write(descriptor_, in + total, size - total);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return -1;
        total += static_cast<std::size_t>(count);
    }
    return static_cast<std::int64_t>(total);
}

std::int64_t File::Seek(std::int64_t offset, SeekOrigin origin) {
    if (!IsOpen())
        return -1;
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    return lseek(descriptor_, offset, kWhence[static_cast<int>(origin)]);
}

std::int64_t File::Tell() const {
    if (!IsOpen())
        return -1;
    return lseek(descriptor_, 0, SEEK_CUR);
}

std::int64_t File::Size() const {
    struct stat status;
    if (!IsOpen() || fstat(descriptor_, &status) != 0)
        return -1;
    return status.st_size;
}

bool File::Flush() {
    return IsOpen() && !TakeFlushFailure() && fsync(descriptor_) == 0;
}

bool File::Close() {
    if (!IsOpen())
        return false;
    const int result = close(std::exchange(descriptor_, -1));
    return result == 0;
}

}  // namespace platform
