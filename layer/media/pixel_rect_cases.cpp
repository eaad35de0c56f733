// Preparation of a rectangle conversion and the order in which its cases are tried.
#include "layer/media/pixel_rect_job.h"

namespace layer {

namespace {

bool HasPixelSize(const PixelFormat& format) {
    return format.bytes_per_pixel >= 1 && format.bytes_per_pixel <= 4;
}

}  // namespace

int RunPixelRectJob(const PixelRectJob& job) {
    if (IsPaletteRemap(job)) {
        return RemapPalette(job);
    }
    if (IsPackToPalette(job)) {
        return PackToPalette(job);
    }
    if (IsIndexCopy(job)) {
        return CopyIndices(job);
    }
    if (IsPlainCopy(job)) {
        return CopyPlain(job);
    }
    if (!job.colour_key) {
        if (IsKeyToAlpha(job)) {
            return KeyToAlpha(job);
        }
        if (RunFixedPair(job)) {
            return 0;
        }
    }
    return RunGeneralPipeline(job);
}

int ConvertPixelRectJob(PixelRectJob job) {
    static const PixelFormat kNoFormat{};
    if (job.alpha_format == nullptr) {
        job.alpha_format = &kNoFormat;
    }
    const bool destination_alpha = job.destination_format->alpha_width != 0;
    const bool source_alpha = job.source_format->alpha_width != 0;
    const bool alpha_image = job.alpha != nullptr;
    job.alpha_carried = destination_alpha && (alpha_image || source_alpha);
    job.alpha_from_image = destination_alpha && alpha_image && !source_alpha;
    if (job.alpha_carried || !destination_alpha || job.alpha_from_red) {
        job.transparent_to_alpha = false;
    }
    if (job.alpha_carried || job.mirror) {
        job.colour_key = false;
    }
    if (job.width <= 0 || job.height <= 0 || !HasPixelSize(*job.destination_format) ||
        !HasPixelSize(*job.source_format) ||
        (job.alpha_from_image && !HasPixelSize(*job.alpha_format))) {
        return -1;
    }
    return RunPixelRectJob(job);
}

}  // namespace layer
