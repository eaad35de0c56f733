// The decode thread: seeks, decodes ahead of the wanted frame and keeps the frame stock.
#include <chrono>
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/theora_stock.h"

namespace layer {
namespace {

void Nap() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Takes the next video packet into `decoder->packet`; its key-frame flag, or -1 at the end of
// the file (any feed that brings nothing).
int NextVideoPacket(TheoraDecoder* decoder) {
    for (;;) {
        const int taken = ogg_stream_packetout(&decoder->stream, &decoder->packet);
        if (taken > 0) {
            const int key = theora_packet_iskeyframe(&decoder->packet);
            if (key >= 0) {
                return key;
            }
        } else if (taken == 0) {
            if (ogg_sync_pageout(&decoder->sync, &decoder->page) > 0) {
                ogg_stream_pagein(&decoder->stream, &decoder->page);
            } else if (FeedOggData(decoder, kOggFeedSize) == 0) {
                return -1;
            }
        }
    }
}

// Starts reading again at the page of an index entry; the first frame whose packet follows.
int RestartAtPage(TheoraDecoder* decoder, int entry) {
    ogg_sync_reset(&decoder->sync);
    ogg_stream_reset(&decoder->stream);
    const TheoraPageEntry& page = decoder->pages[entry];
    decoder->files.seek(decoder->file, page.offset, 0);
    int next = page.first_frame;
    if (entry == 0) {
        return next;
    }
    int found = 0;
    while ((found = ogg_sync_pageout(&decoder->sync, &decoder->page)) <= 0) {
        if (found == 0 && FeedOggData(decoder, kOggFeedSize) == 0) {
            return next;
        }
    }
    // The packet the page continues began on the page before; it is not read.
    if (ogg_page_continued(&decoder->page) != 0) {
        ++next;
    }
    ogg_stream_pagein(&decoder->stream, &decoder->page);
    return next;
}

// The page entry to restart from for a frame: before the entry holding it, back to the nearest
// key-frame page and one more (the key frame's packet may begin there).
int RestartEntryFor(const TheoraDecoder* decoder, int frame) {
    int entry = 0;
    while (entry < decoder->page_count - 1 &&
           decoder->pages[entry].first_frame + decoder->pages[entry].frame_count <= frame) {
        ++entry;
    }
    if (entry > 0) {
        --entry;
    }
    while (entry > 0 && decoder->pages[entry].key_frame == 0) {
        --entry;
    }
    return entry > 0 ? entry - 1 : 0;
}

// Decodes from the page `entry` up to `frame`; false when the file ended on the way.
bool DecodeFromPage(TheoraDecoder* decoder, int entry, int frame) {
    const int next = RestartAtPage(decoder, entry);
    decoder->last_decoded = next - 1;
    return frame < next || DecodeTheoraFrames(decoder, frame - next + 1) >= 0;
}

void SeekToTarget(TheoraDecoder* decoder) {
    const int target = decoder->seek_target;
    DecodeFromPage(decoder, RestartEntryFor(decoder, target), target);
    for (int i = 0; i < decoder->stock_size; ++i) {
        ReleaseStockEntry(decoder, i);
    }
    decoder->seek_request = 0;
    decoder->last_decoded = target;
    decoder->end_of_data = 0;
}

// Frees the entries the wanted frame has left behind, and those too far ahead of it. When the
// window of stock frames after the wanted one reaches past the end, the frames it wraps onto
// stay.
void FreeStaleEntries(TheoraDecoder* decoder) {
    const std::int64_t current = decoder->current_frame;
    const std::int64_t last = decoder->last_decoded;
    const std::int64_t ahead = current + decoder->stock_size;
    const bool wraps = ahead >= decoder->frame_count;
    for (int i = 0; i < decoder->stock_size; ++i) {
        const TheoraStockEntry& entry = decoder->stock[i];
        if (entry.valid.load(std::memory_order_acquire) == 0) {
            continue;
        }
        const std::int64_t frame = entry.frame;
        const bool behind = frame < current && !(wraps && frame <= ahead - decoder->frame_count);
        if (behind || (frame > ahead && frame > last)) {
            ReleaseStockEntry(decoder, i);
        }
    }
}

bool StockIsFull(const TheoraDecoder* decoder) {
    for (int i = 0; i < decoder->stock_size; ++i) {
        if (decoder->stock[i].valid.load(std::memory_order_acquire) == 0) {
            return false;
        }
    }
    return true;
}

bool CopyPlane(std::uint8_t** copy, std::int32_t* width, std::int32_t* height, std::int32_t* stride,
               const std::uint8_t* rows, int plane_width, int plane_height, int plane_stride) {
    if (plane_width <= 0 || plane_height <= 0) {
        return false;
    }
    if (*copy == nullptr || *width != plane_width || *height != plane_height) {
        FreeTracked(*copy);
        *copy = static_cast<std::uint8_t*>(
            AllocTracked(static_cast<std::size_t>(plane_width) * plane_height, __FILE__, __LINE__));
        if (*copy == nullptr) {
            return false;
        }
        *width = plane_width;
        *height = plane_height;
        *stride = plane_width;
    }
    // Rows are copied with the plane's own signed stride: the planes carry borders.
    for (int row = 0; row < plane_height; ++row) {
        std::memcpy(*copy + static_cast<std::ptrdiff_t>(row) * plane_width,
                    rows + static_cast<std::ptrdiff_t>(row) * plane_stride,
                    static_cast<std::size_t>(plane_width));
    }
    return true;
}

// Copies the frame the decoder holds into the first free stock entry; false when memory fails.
bool StoreDecodedFrame(TheoraDecoder* decoder) {
    yuv_buffer yuv;
    if (theora_decode_YUVout(&decoder->decoder_state, &yuv) != 0) {
        return false;
    }
    for (int i = 0; i < decoder->stock_size; ++i) {
        TheoraStockEntry& entry = decoder->stock[i];
        if (entry.valid.load(std::memory_order_acquire) != 0) {
            continue;
        }
        // U and V share one pair of sizes: V compares against the sizes U had before.
        std::int32_t chroma_width = entry.chroma_width;
        std::int32_t chroma_height = entry.chroma_height;
        if (!CopyPlane(&entry.y, &entry.y_width, &entry.y_height, &entry.y_stride, yuv.y,
                       yuv.y_width, yuv.y_height, yuv.y_stride) ||
            !CopyPlane(&entry.u, &entry.chroma_width, &entry.chroma_height, &entry.chroma_stride,
                       yuv.u, yuv.uv_width, yuv.uv_height, yuv.uv_stride) ||
            !CopyPlane(&entry.v, &chroma_width, &chroma_height, &entry.chroma_stride, yuv.v,
                       yuv.uv_width, yuv.uv_height, yuv.uv_stride)) {
            return false;
        }
        entry.frame = decoder->last_decoded.load();
        entry.valid.store(1, std::memory_order_release);
        return true;
    }
    return true;
}

bool IsInStock(const TheoraDecoder* decoder, int frame) {
    return FindStockEntry(decoder, frame) >= 0;
}

// One pass of decoding ahead; false when the file ended or memory failed.
bool DecodeAhead(TheoraDecoder* decoder) {
    const int current = decoder->current_frame;
    const int last = decoder->last_decoded;
    // The decoder still holds the last frame it decoded (after a seek).
    if (IsInStock(decoder, last) || current > last) {
        const int advance = !IsInStock(decoder, current) && current > last ? current - last : 1;
        const std::int64_t next = std::int64_t{last} + advance;
        if (next < decoder->frame_count) {
            if (DecodeTheoraFrames(decoder, advance) < 0) {
                return false;
            }
        } else if (!DecodeFromPage(decoder, 0, static_cast<int>(next - decoder->frame_count))) {
            return false;
        }
    }
    return StoreDecodedFrame(decoder);
}

}  // namespace

int DecodeTheoraFrames(TheoraDecoder* decoder, int count) {
    int last = decoder->last_decoded;
    int last_key = -1;
    for (int frame = last + 1; frame <= last + count && frame < decoder->frame_count; ++frame) {
        if (frame >= 0 && decoder->key_frames[frame] != 0) {
            last_key = frame;
        }
    }
    int key = 0;
    for (int i = 0; i < count; ++i) {
        key = NextVideoPacket(decoder);
        if (key < 0) {
            return -1;
        }
        ++last;
        // Packets before the last key frame of the run need not be decoded.
        if (last >= last_key) {
            theora_decode_packetin(&decoder->decoder_state, &decoder->packet);
        }
        decoder->last_decoded = last;
    }
    return key == 1 ? 1 : 0;
}

void RunTheoraWorker(TheoraDecoder* decoder) {
    while (decoder->stop_request == 0) {
        if (const int pause = decoder->pause_request; pause != 0) {
            decoder->state = kTheoraPaused;
            decoder->paused_answer = pause;
            Nap();
            continue;
        }
        if (decoder->seek_request != 0) {
            decoder->state = kTheoraSeeking;
            SeekToTarget(decoder);
            continue;
        }
        if (decoder->end_of_data == 0) {
            FreeStaleEntries(decoder);
        }
        // A full stock waits for the wanted frame to move, without spinning a core.
        if (StockIsFull(decoder)) {
            decoder->state = kTheoraStockFull;
            Nap();
            continue;
        }
        decoder->state = kTheoraDecoding;
        if (!DecodeAhead(decoder)) {
            decoder->end_of_data = 1;
            Nap();
            continue;
        }
        std::this_thread::yield();
    }
    decoder->state = kTheoraExited;
}

}  // namespace layer
