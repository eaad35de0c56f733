#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

enum class SeekOrigin { kBegin = 0, kCurrent = 1, kEnd = 2 };

// An open file on disk (see file_system.h for opening one by game path). Move-only; closes on
// destruction. One handle is used by one thread at a time; separate handles are independent.
class File {
  public:
    File() = default;
    // Takes ownership of an open file descriptor.
    explicit File(int descriptor) : descriptor_(descriptor) {}
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }

    // Reads up to `size` bytes from the position; returns the count read (less only at the end
    // of the file, 0 there), or -1 on failure. Waits for the read delay test hook first.
    std::int64_t Read(void* buffer, std::size_t size);

    // Writes all `size` bytes at the position (at the end for append handles); returns `size`,
    // or -1 on failure.
    std::int64_t Write(const void* data, std::size_t size);

    // Moves the position (it may pass the end); returns the new position, or -1 when the target
    // is negative or the handle is closed.
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin);

    // The position, or -1 when the handle is closed.
    std::int64_t Tell() const;

    // The size in bytes, or -1 when the handle is closed.
    std::int64_t Size() const;

    // Pushes written data to the disk (before a rename that must not lose it); false on failure.
    bool Flush();

    // Closes the file; false when it was not open or the close failed.
    bool Close();

  private:
    int descriptor_ = -1;
};

}  // namespace platform
