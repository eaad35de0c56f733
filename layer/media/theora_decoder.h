#pragma once

// The layer's own Ogg Theora decoder. One decoder serves one movie: opening reads the Theora
// headers, indexes the whole file (the pages that complete video packets and each frame's
// key-frame flag) and starts a decode thread, which keeps a stock of decoded frames ahead of
// the frame the main thread wants. The main thread only moves the wanted frame and converts
// the stocked frame into an XRGB image.
//
// The two threads share the atomic words below without a lock; each word has one writer. A
// stock entry's samples are written before its valid flag is stored (release) and read after
// the flag is loaded (acquire). With nothing to do the thread waits on a word the main thread
// moves on after every change it makes (WakeTheoraWorker). The Ogg and Theora states belong to the
// thread once it has been released from its first pause; the main thread uses them only while
// opening.

#include <ogg/ogg.h>
#include <theora/theora.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "layer/core/file_operation_table.h"
#include "layer/media/graph_image.h"

namespace platform {
struct DisplaySurface;
}

namespace layer {

enum TheoraThreadState : std::int32_t {
    kTheoraStockFull = 0,
    kTheoraDecoding = 1,
    kTheoraSeeking = 2,
    kTheoraExited = 3,
    kTheoraPaused = 4,
};

// Bytes read into the Ogg sync state at a time.
constexpr int kOggFeedSize = 4096;

// One indexed page: where it starts, the first video frame completed in it, whether one of its
// frames is a key frame, and how many frames it completes.
struct TheoraPageEntry {
    std::int64_t offset = 0;
    std::int32_t first_frame = 0;
    std::int32_t key_frame = 0;
    std::int32_t frame_count = 0;
};

// A decoded frame: copies of the whole coded planes, rows packed (stride = width).
struct TheoraStockEntry {
    std::atomic<std::int32_t> valid{0};
    std::atomic<std::int32_t> frame{0};
    std::uint8_t* y = nullptr;
    std::uint8_t* u = nullptr;
    std::uint8_t* v = nullptr;
    std::int32_t y_width = 0;
    std::int32_t y_height = 0;
    std::int32_t y_stride = 0;
    std::int32_t chroma_width = 0;
    std::int32_t chroma_height = 0;
    std::int32_t chroma_stride = 0;
};

struct TheoraDecoder {
    // Written by the decode thread only.
    std::atomic<std::int32_t> state{kTheoraPaused};
    // Written by the main thread (the seek request is cleared by the thread). A pause request
    // is a number the thread answers in `paused_answer` while it is paused.
    std::atomic<std::int32_t> pause_request{0};
    std::atomic<std::int32_t> paused_answer{0};
    std::int32_t pause_serial = 0;
    // Moved on by the main thread after each change of a word the thread reads, waking it.
    std::atomic<std::int32_t> wake_serial{0};
    std::atomic<std::int32_t> stop_request{0};
    std::atomic<std::int32_t> seek_request{0};
    std::atomic<std::int32_t> seek_target{0};
    // The file ended while decoding forward; cleared by a seek (thread).
    std::atomic<std::int32_t> end_of_data{0};
    std::thread thread;

    // The file operations in force at opening, and the file.
    FileOperationTable files{};
    FileHandle file = 0;

    ogg_sync_state sync{};
    ogg_page page{};
    ogg_stream_state stream{};
    int stream_ready = 0;
    ogg_packet packet{};
    theora_info info{};
    theora_comment comment{};
    theora_state decoder_state{};
    int decoder_ready = 0;
    // 1 once the decoder took a coded picture (thread): until then its output names no picture.
    int picture_decoded = 0;
    std::int32_t serial = 0;
    // 1 when the header search met a Vorbis stream's first page.
    int has_vorbis = 0;

    TheoraPageEntry* pages = nullptr;
    std::int32_t page_count = 0;
    std::int32_t page_capacity = 0;
    std::uint8_t* key_frames = nullptr;
    std::int32_t key_frame_capacity = 0;
    std::int64_t frame_count = 0;

    // The frame to show (main thread); -1 before the first seek.
    std::atomic<std::int32_t> current_frame{-1};
    // The frame whose packet the decoder took last (thread).
    std::atomic<std::int32_t> last_decoded{0};
    std::int32_t header_count = 0;

    TheoraStockEntry* stock = nullptr;
    std::int32_t stock_size = 0;
    // The stock entry the main thread is reading (-1 none): the thread frees every other one.
    std::atomic<std::int32_t> reading_entry{-1};

    // The picture region of the coded frame, converted into `image`.
    GraphImage image;
    platform::DisplaySurface* surface = nullptr;
    std::int32_t four_cc = 0;
    // The current frame is already in the image, in the surface (main thread).
    std::int32_t image_converted = 0;
    std::int32_t surface_converted = 0;
};

struct TheoraInfo {
    double frames_per_second = 0;
    std::int64_t frame_count = 0;
    int width = 0;
    int height = 0;
};

// A decoder showing frame 0, or null: the file does not begin with "OggS", holds no usable
// Theora stream or no video frame, or memory or the thread cannot be had (logged).
TheoraDecoder* OpenTheoraStream(const FileOperationTable& files, FileHandle file, int stock_size);
// Stops the thread and frees everything; the file stays open. 0.
int CloseTheoraStream(TheoraDecoder* decoder);
// Moves the decoder to a frame, restarting from the nearest key-frame page before it. 0.
int RequestTheoraSeek(TheoraDecoder* decoder, int frame);
// Moves the wanted frame forward by `count`, wrapping at the frame count. 0.
int AdvanceTheoraFrame(TheoraDecoder* decoder, int count);
// 1 when the current frame was converted now, 0 when there was nothing to do or no frame.
int ConvertTheoraFrame(TheoraDecoder* decoder, int image, int surface);
int QueryTheoraInfo(const TheoraDecoder* decoder, TheoraInfo* info);
GraphImage* GetTheoraImage(TheoraDecoder* decoder);
platform::DisplaySurface* GetTheoraSurface(const TheoraDecoder* decoder);
int GetTheoraFrameNumber(const TheoraDecoder* decoder);

// Main thread: wakes the thread after a change of a word it reads.
void WakeTheoraWorker(TheoraDecoder* decoder);

// The parts of opening and of the thread.
// Reads up to `count` bytes into the Ogg sync buffer; the bytes read (0 at the end or on error).
int FeedOggData(TheoraDecoder* decoder, int count);
// 1 with the three Theora headers read, else -1.
int ReadTheoraHeaders(TheoraDecoder* decoder);
// Asks the display for a YUV surface of the picture's size; none can be had on this system.
int CreateTheoraSurface(TheoraDecoder* decoder);
void RunTheoraWorker(TheoraDecoder* decoder);
// Reads n video packets, decoding from the last key frame among them: 1 when the last was a
// key frame, 0 otherwise, -1 when the file ended.
int DecodeTheoraFrames(TheoraDecoder* decoder, int count);

// The picture region of the coded frame.
int TheoraPictureWidth(const TheoraDecoder* decoder);
int TheoraPictureHeight(const TheoraDecoder* decoder);

}  // namespace layer
