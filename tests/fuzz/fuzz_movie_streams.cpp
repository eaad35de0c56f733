// Bytes as a movie file through the multimedia streams: opened, its first frames decoded in
// the screen's and in 24-bit RGB layout, a seek back and one frame more.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/media_streams/media_stream_graph.h"

namespace {

std::int64_t StillClock() {
    return 0;
}

// The bytes in a file of their own, removed with the object.
class InputFile {
  public:
    InputFile(const std::uint8_t* data, std::size_t size) {
        const int descriptor = mkstemp(path_.data());
        if (descriptor >= 0) {
            written_ = write(descriptor, data, size) == static_cast<ssize_t>(size);
            close(descriptor);
        }
    }
    ~InputFile() { unlink(path_.c_str()); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool written() const { return written_; }
    const std::string& path() const { return path_; }

  private:
    std::string path_ = "/tmp/fuzz_movie_XXXXXX";
    bool written_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const InputFile file(data, size);
    auto graph = platform::MediaStreamGraph::Create(StillClock);
    if (!file.written() || !graph->OpenFile(file.path())) {
        return 0;
    }
    const platform::SampleFormat rgb24{24, 0xFF0000, 0xFF00, 0xFF};
    for (const platform::SampleFormat* format :
         {static_cast<const platform::SampleFormat*>(nullptr), &rgb24}) {
        auto sample = graph->CreateSample(format);
        if (sample == nullptr) {
            continue;
        }
        graph->SetState(platform::StreamState::kRunning);
        for (int step = 0; step < 4; ++step) {
            sample->Update(true);
        }
        sample->CompleteUpdate();
        graph->Seek(0);
        sample->Update(true);
    }
    return 0;
}
