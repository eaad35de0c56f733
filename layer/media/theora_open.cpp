// Opening a Theora stream: headers, the index of the whole file, the decode thread and frame 0;
// and closing it again.
#include <climits>
#include <cstring>
#include <new>
#include <system_error>

#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/core/tracked_object.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/theora_texts.h"
#include "platform/display.h"

namespace layer {
namespace {

constexpr int kIndexGrowth = 1000;
constexpr char kOggCapture[4] = {'O', 'g', 'g', 'S'};

bool BeginsWithOggCapture(const FileOperationTable& files, FileHandle file) {
    char start[sizeof(kOggCapture)] = {};
    const bool found = files.read(start, 1, sizeof(start), file) == sizeof(start) &&
                       std::memcmp(start, kOggCapture, sizeof(start)) == 0;
    files.seek(file, 0, 0);
    return found;
}

bool SideFits(std::uint32_t side) {
    return side >= 1 && side <= static_cast<std::uint32_t>(kMaxImageSide);
}

// The coded frame and its picture region within the image decoders' limits, the picture inside
// the frame, and a frame rate.
bool SizesFit(const theora_info& info) {
    return FitsDecodeBudget(info.width, info.height) && SideFits(info.frame_width) &&
           SideFits(info.frame_height) &&
           std::int64_t{info.offset_x} + info.frame_width <= info.width &&
           std::int64_t{info.offset_y} + info.frame_height <= info.height &&
           info.fps_numerator != 0 && info.fps_denominator != 0;
}

// Grows a tracked table by kIndexGrowth elements when `used` reached its capacity.
template <typename Element>
bool Reserve(Element** table, std::int32_t* capacity, std::int64_t used) {
    if (used < *capacity) {
        return true;
    }
    const std::int64_t grown = std::int64_t{*capacity} + kIndexGrowth;
    if (grown > INT32_MAX) {
        return false;
    }
    void* block = ReallocTracked(*table, static_cast<std::size_t>(grown) * sizeof(Element),
                                 __FILE__, __LINE__);
    if (block == nullptr) {
        return false;
    }
    *table = static_cast<Element*>(block);
    *capacity = static_cast<std::int32_t>(grown);
    return true;
}

// Notes one video packet: a page entry when it is the first after a new page, its key-frame
// byte, and the counts. False (logged) when a table cannot grow.
bool NoteVideoPacket(TheoraDecoder* decoder, std::int64_t page_start, bool new_page, int key) {
    if (new_page || decoder->page_count == 0) {
        if (!Reserve(&decoder->pages, &decoder->page_capacity, decoder->page_count)) {
            WriteLog(kTheoraPageTableMemoryText);
            return false;
        }
        decoder->pages[decoder->page_count++] = {
            page_start, static_cast<std::int32_t>(decoder->frame_count), 0, 0};
    }
    if (!Reserve(&decoder->key_frames, &decoder->key_frame_capacity, decoder->frame_count)) {
        WriteLog(kTheoraKeyFrameTableMemoryText);
        return false;
    }
    TheoraPageEntry& entry = decoder->pages[decoder->page_count - 1];
    decoder->key_frames[decoder->frame_count] = key == 1 ? 1 : 0;
    if (key == 1) {
        entry.key_frame = 1;
    }
    ++entry.frame_count;
    ++decoder->frame_count;
    return true;
}

// Walks the whole file once. Page offsets count every page, those of other streams too.
bool IndexTheoraFile(TheoraDecoder* decoder) {
    if (!Reserve(&decoder->pages, &decoder->page_capacity, 0)) {
        WriteLog(kTheoraPageTableMemoryText);
        return false;
    }
    if (!Reserve(&decoder->key_frames, &decoder->key_frame_capacity, 0)) {
        WriteLog(kTheoraKeyFrameTableMemoryText);
        return false;
    }
    std::int64_t position = 0;
    std::int64_t page_start = 0;
    bool new_page = false;
    for (;;) {
        const int taken = ogg_stream_packetout(&decoder->stream, &decoder->packet);
        if (taken > 0) {
            const int key = theora_packet_iskeyframe(&decoder->packet);
            if (key >= 0) {
                if (!NoteVideoPacket(decoder, page_start, new_page, key)) {
                    return false;
                }
                new_page = false;
            }
            continue;
        }
        if (taken < 0) {
            continue;
        }
        const long seen = ogg_sync_pageseek(&decoder->sync, &decoder->page);
        if (seen > 0) {
            page_start = position;
            position += seen;
            if (ogg_stream_pagein(&decoder->stream, &decoder->page) == 0) {
                new_page = true;
            }
        } else if (seen < 0) {
            position -= seen;
        } else if (FeedOggData(decoder, kOggFeedSize) == 0) {
            break;
        }
    }
    // A restart from the first entry reads the headers again, which decoding passes over.
    if (decoder->page_count > 0) {
        decoder->pages[0].offset = 0;
    }
    return true;
}

bool AllocateFrameStore(TheoraDecoder* decoder) {
    if (CreateXrgb32Image(TheoraPictureWidth(decoder), TheoraPictureHeight(decoder),
                          &decoder->image) < 0) {
        WriteLog(kTheoraImageMemoryText);
        return false;
    }
    // Black until a frame arrives: a file whose first frame cannot be decoded stays so.
    std::memset(decoder->image.pixels, 0,
                static_cast<std::size_t>(decoder->image.pitch) * decoder->image.height);
    decoder->stock = static_cast<TheoraStockEntry*>(
        AllocTrackedZeroed(sizeof(TheoraStockEntry) * static_cast<std::size_t>(decoder->stock_size),
                           __FILE__, __LINE__));
    if (decoder->stock == nullptr) {
        WriteLog(kTheoraStockMemoryText);
        return false;
    }
    for (int i = 0; i < decoder->stock_size; ++i) {
        new (&decoder->stock[i]) TheoraStockEntry();
    }
    return true;
}

void FreeStock(TheoraDecoder* decoder) {
    if (decoder->stock == nullptr) {
        return;
    }
    for (int i = 0; i < decoder->stock_size; ++i) {
        FreeTracked(decoder->stock[i].y);
        FreeTracked(decoder->stock[i].u);
        FreeTracked(decoder->stock[i].v);
        decoder->stock[i].~TheoraStockEntry();
    }
    FreeTracked(decoder->stock);
}

}  // namespace

TheoraDecoder* OpenTheoraStream(const FileOperationTable& files, FileHandle file, int stock_size) {
    if (!BeginsWithOggCapture(files, file)) {
        return nullptr;
    }
    TheoraDecoder* decoder = NewTracked<TheoraDecoder>(__FILE__, __LINE__);
    if (decoder == nullptr) {
        WriteLog(kTheoraDecoderMemoryText);
        return nullptr;
    }
    ogg_sync_init(&decoder->sync);
    theora_info_init(&decoder->info);
    theora_comment_init(&decoder->comment);
    decoder->files = files;
    decoder->file = file;
    decoder->stock_size = stock_size > 0 ? stock_size : 1;
    if (ReadTheoraHeaders(decoder) < 0 || !SizesFit(decoder->info)) {
        CloseTheoraStream(decoder);
        return nullptr;
    }
    decoder->pause_serial = 1;
    decoder->pause_request = 1;
    try {
        decoder->thread = std::thread(RunTheoraWorker, decoder);
    } catch (const std::system_error&) {
        WriteLog(kTheoraThreadFailedText);
        CloseTheoraStream(decoder);
        return nullptr;
    }
    decoder->decoder_ready = theora_decode_init(&decoder->decoder_state, &decoder->info) == 0;
    ogg_sync_reset(&decoder->sync);
    ogg_stream_reset(&decoder->stream);
    files.seek(file, 0, 0);
    // A stream without one video frame has nothing to show.
    if (!decoder->decoder_ready || !IndexTheoraFile(decoder) || decoder->frame_count == 0 ||
        !AllocateFrameStore(decoder)) {
        CloseTheoraStream(decoder);
        return nullptr;
    }
    CreateTheoraSurface(decoder);
    RequestTheoraSeek(decoder, 0);
    ConvertTheoraFrame(decoder, 1, 1);
    return decoder;
}

int CloseTheoraStream(TheoraDecoder* decoder) {
    if (decoder->thread.joinable()) {
        decoder->stop_request = 1;
        WakeTheoraWorker(decoder);
        decoder->thread.join();
    }
    FreeStock(decoder);
    if (decoder->surface != nullptr) {
        platform::ReleaseSurface(decoder->surface);
    }
    FreeTracked(decoder->pages);
    FreeTracked(decoder->key_frames);
    FreeGraphImage(&decoder->image);
    if (decoder->stream_ready != 0) {
        ogg_stream_clear(&decoder->stream);
    }
    if (decoder->decoder_ready != 0) {
        theora_clear(&decoder->decoder_state);
    }
    theora_comment_clear(&decoder->comment);
    theora_info_clear(&decoder->info);
    ogg_sync_clear(&decoder->sync);
    DeleteTracked(decoder);
    return 0;
}

}  // namespace layer
