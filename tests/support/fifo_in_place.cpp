#include "tests/support/fifo_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <system_error>

namespace test {

FifoInPlace::FifoInPlace(const std::filesystem::path& path) : path_(path) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    made_ = mkfifo(path_.c_str(), 0600) == 0;
    watcher_ = std::thread([this] {
        while (!stop_) {
            // Opening the writing end without waiting succeeds only while a reader holds the
            // FIFO open; closing it at once gives that reader the end of the file.
            const int writer = open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0)
                close(writer);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

FifoInPlace::~FifoInPlace() {
    stop_ = true;
    watcher_.join();
}

}  // namespace test
