// The decode thread: seeks, decodes ahead of the wanted frame and keeps the frame stock.
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/theora_stock.h"

namespace layer {
namespace {

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

// How far a frame lies ahead of the wanted one, counting round the end of the movie.
std::int64_t DistanceAhead(const TheoraDecoder* decoder, std::int64_t frame) {
    const std::int64_t current = decoder->current_frame;
    return ((frame - current) % decoder->frame_count + decoder->frame_count) % decoder->frame_count;
}

// Frees the entries outside the window of stock-size frames from the wanted one on. The
// window runs round the end of the movie, so frames the wanted one has left behind go even when
// it moved past the end to a frame below them.
void FreeStaleEntries(TheoraDecoder* decoder) {
    for (int i = 0; i < decoder->stock_size; ++i) {
        const TheoraStockEntry& entry = decoder->stock[i];
        if (entry.valid.load(std::memory_order_acquire) != 0 &&
            DistanceAhead(decoder, entry.frame) >= decoder->stock_size) {
            ReleaseStockEntry(decoder, i);
        }
    }
}

bool HasFreeEntry(const TheoraDecoder* decoder) {
    for (int i = 0; i < decoder->stock_size; ++i) {
        if (decoder->stock[i].valid.load(std::memory_order_acquire) == 0) {
            return true;
        }
    }
    return false;
}

// The first frame of the window that is not in the stock; -1 when the stock holds the window
// or has no room.
int NextWantedFrame(const TheoraDecoder* decoder) {
    if (!HasFreeEntry(decoder)) {
        return -1;
    }
    const std::int64_t current = decoder->current_frame;
    for (std::int64_t ahead = 0; ahead < decoder->stock_size && ahead < decoder->frame_count;
         ++ahead) {
        const int frame = static_cast<int>((current + ahead) % decoder->frame_count);
        if (FindStockEntry(decoder, frame) < 0) {
            return frame;
        }
    }
    return -1;
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

// Copies the frame the decoder holds into the first free stock entry; false when it holds none
// (no packet decoded yet: a damaged file) or memory fails.
bool StoreDecodedFrame(TheoraDecoder* decoder) {
    yuv_buffer yuv;
    if (decoder->picture_decoded == 0 || theora_decode_YUVout(&decoder->decoder_state, &yuv) != 0) {
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

// Brings the decoder to the frame and stocks it: forward from the frame it holds, or, for a
// frame behind it (the movie went round its end), from the key-frame page before the frame.
// False when the file ended or memory failed.
bool DecodeAndStock(TheoraDecoder* decoder, int frame) {
    const int last = decoder->last_decoded;
    if (frame > last) {
        if (DecodeTheoraFrames(decoder, frame - last) < 0) {
            return false;
        }
    } else if (frame < last && !DecodeFromPage(decoder, RestartEntryFor(decoder, frame), frame)) {
        return false;
    }
    // A file whose pages are not where the index found them cannot bring the frame.
    return decoder->last_decoded == frame && StoreDecodedFrame(decoder);
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
        if (last >= last_key &&
            theora_decode_packetin(&decoder->decoder_state, &decoder->packet) == 0 &&
            decoder->packet.bytes > 0) {
            decoder->picture_decoded = 1;
        }
        decoder->last_decoded = last;
    }
    return key == 1 ? 1 : 0;
}

// With nothing to do the thread sleeps until the main thread changes a word it reads; the
// number it saw before looking (at the stop request too) is passed, so that a change made
// meanwhile wakes it at once.
void RunTheoraWorker(TheoraDecoder* decoder) {
    for (;;) {
        const int seen = decoder->wake_serial;
        if (decoder->stop_request != 0) {
            break;
        }
        if (const int pause = decoder->pause_request; pause != 0) {
            decoder->state = kTheoraPaused;
            decoder->paused_answer = pause;
            decoder->wake_serial.wait(seen);
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
        const int wanted = NextWantedFrame(decoder);
        if (wanted < 0) {
            decoder->state = kTheoraStockFull;
            decoder->wake_serial.wait(seen);
            continue;
        }
        decoder->state = kTheoraDecoding;
        if (!DecodeAndStock(decoder, wanted)) {
            decoder->end_of_data = 1;
            decoder->wake_serial.wait(seen);
            continue;
        }
        std::this_thread::yield();
    }
    decoder->state = kTheoraExited;
}

}  // namespace layer
