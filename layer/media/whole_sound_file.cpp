#include <climits>
#include <cstring>

#include "layer/core/file_operation_table.h"
#include "layer/core/layer_log.h"
#include "layer/media/little_endian.h"
#include "layer/media/pcm_decoder.h"
#include "layer/media/sound_texts.h"
#include "layer/media/tracked_block.h"

namespace layer {
namespace {

// "RIFF", size, "WAVE", "fmt ", format size, "data", data size.
constexpr int kWaveImageOverhead = 28;

// Reads what is left of the stream from 0 into tracked memory; -1 when it cannot tell its
// size, -2 when the memory cannot be had.
int ReadFromStart(const BoundStream& stream, std::uint8_t** image, int* size) {
    const std::int64_t length = StreamBytesFrom(stream, 0);
    if (length < 0 || length > INT_MAX) {
        return -1;
    }
    TrackedBlock memory =
        TrackedBlock::Allocate(static_cast<std::size_t>(std::max<std::int64_t>(length, 1)));
    if (!memory) {
        return -2;
    }
    if (!StreamReadBytes(stream, memory.get(), static_cast<std::size_t>(length))) {
        return -1;
    }
    *size = static_cast<int>(length);
    *image = memory.Release();
    return 0;
}

}  // namespace

int ReadWholeSoundFile(const char* path, std::uint8_t** image, int* size) {
    const FileHandle file = DispatchFileOpen(path, 0, 1, 0);
    if (file == 0) {
        return WriteLogFormat(kWholeFileOpenFailedText, path);
    }
    const int result = ReadFromStart(BoundStream{*GetFileStreamFunctions(), file}, image, size);
    DispatchFileClose(file);
    if (result == -2) {
        return WriteLogFormat(kWholeFileMemoryFailedText, path);
    }
    return result;
}

int ReadWholeStream(const BoundStream& stream, std::uint8_t** image, int* size) {
    const int result = ReadFromStart(stream, image, size);
    if (result == -2) {
        return WriteLog(kStreamMemoryFailedText);
    }
    return result;
}

int BuildWaveImage(std::uint8_t** image, int* size, const WaveFormat& format, const void* pcm,
                   int pcm_size) {
    const std::int64_t total =
        static_cast<std::int64_t>(pcm_size) + kWaveFormatBytes + kWaveImageOverhead;
    if (pcm_size < 0 || total > INT_MAX) {
        return -1;
    }
    TrackedBlock memory = TrackedBlock::Allocate(static_cast<std::size_t>(total));
    if (!memory) {
        return -1;
    }
    std::uint8_t* at = memory.get();
    std::memcpy(at, "RIFF", 4);
    WriteLe32(at + 4, static_cast<std::uint32_t>(total - 8));
    std::memcpy(at + 8, "WAVEfmt ", 8);
    WriteLe32(at + 16, kWaveFormatBytes);
    WriteWaveFormat(format, at + 20);
    std::memcpy(at + 20 + kWaveFormatBytes, "data", 4);
    WriteLe32(at + 24 + kWaveFormatBytes, static_cast<std::uint32_t>(pcm_size));
    std::memcpy(at + 28 + kWaveFormatBytes, pcm, static_cast<std::size_t>(pcm_size));
    *image = memory.Release();
    *size = static_cast<int>(total);
    return 0;
}

}  // namespace layer
