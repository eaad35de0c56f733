// What the main thread asks of a Theora decoder: the frame to show and the stream's facts.
#include <algorithm>
#include <climits>

#include "layer/media/theora_decoder.h"

namespace layer {

int RequestTheoraSeek(TheoraDecoder* decoder, int frame) {
    if (frame == decoder->current_frame) {
        return 0;
    }
    decoder->image_converted = 0;
    decoder->surface_converted = 0;
    // The thread lets go of the Ogg state only while paused; it answers with the request's
    // number, so that an old pause (or one it has not seen yet) is never taken for this one.
    decoder->pause_serial = decoder->pause_serial % INT32_MAX + 1;
    decoder->pause_request = decoder->pause_serial;
    WakeTheoraWorker(decoder);
    while (decoder->paused_answer != decoder->pause_serial) {
        std::this_thread::yield();
    }
    const int target =
        static_cast<int>(std::clamp<std::int64_t>(frame, 0, decoder->frame_count - 1));
    decoder->current_frame = target;
    decoder->seek_target = target;
    decoder->seek_request = 1;
    decoder->pause_request = 0;
    WakeTheoraWorker(decoder);
    return 0;
}

int AdvanceTheoraFrame(TheoraDecoder* decoder, int count) {
    if (count <= 0) {
        return 0;
    }
    decoder->current_frame =
        static_cast<int>((std::int64_t{decoder->current_frame} + count) % decoder->frame_count);
    decoder->image_converted = 0;
    decoder->surface_converted = 0;
    WakeTheoraWorker(decoder);
    return 0;
}

void WakeTheoraWorker(TheoraDecoder* decoder) {
    ++decoder->wake_serial;
    decoder->wake_serial.notify_all();
}

int QueryTheoraInfo(const TheoraDecoder* decoder, TheoraInfo* info) {
    info->frames_per_second = static_cast<double>(decoder->info.fps_numerator) /
                              static_cast<double>(decoder->info.fps_denominator);
    info->frame_count = decoder->frame_count;
    info->width = TheoraPictureWidth(decoder);
    info->height = TheoraPictureHeight(decoder);
    return 0;
}

GraphImage* GetTheoraImage(TheoraDecoder* decoder) {
    return &decoder->image;
}

platform::DisplaySurface* GetTheoraSurface(const TheoraDecoder* decoder) {
    return decoder->surface;
}

int GetTheoraFrameNumber(const TheoraDecoder* decoder) {
    return decoder->current_frame;
}

// The legacy info's width and height are the coded frame's; the picture is frame_width x
// frame_height inside it.
int TheoraPictureWidth(const TheoraDecoder* decoder) {
    return static_cast<int>(decoder->info.frame_width);
}

int TheoraPictureHeight(const TheoraDecoder* decoder) {
    return static_cast<int>(decoder->info.frame_height);
}

}  // namespace layer
