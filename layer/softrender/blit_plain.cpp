#include "layer/softrender/blit_plain.h"

#include <algorithm>

#include "layer/softrender/blit_setup.h"
#include "layer/softrender/memimg_runs.h"

namespace layer {

namespace {

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The run table describes the body, so its own path serves only a source that is the whole
// body.
bool CoversWholeBody(const MEMIMG& source) {
    const MemImgBody& body = *source.Body;
    return source.Pixels == body.PixelStore && source.Width == body.Width &&
           source.Height == body.Height;
}

struct Rows {
    std::uint8_t* destination;
    const std::uint8_t* source;
    const std::uint8_t* blend;
    std::int64_t destination_pitch;
    std::int64_t source_pitch;
    std::int64_t blend_pitch;

    void Advance() {
        destination += destination_pitch;
        source += source_pitch;
        if (blend != nullptr) {
            blend += blend_pitch;
        }
    }
};

// The loop of each run class (0 transparent, 1 opaque, 2 translucent); null skips the run.
using RunLoops = blit::RowFunction[3];

// The drawn rectangle in body coordinates: its first column and row.
struct BodySpot {
    int x;
    int y;
};

BodySpot SpotInBody(const MEMIMG& source, std::int64_t sx, std::int64_t sy, int bytes) {
    const MemImgBody& body = *source.Body;
    const std::int64_t offset = source.Pixels - body.PixelStore;
    return {static_cast<int>(offset % body.Pitch / bytes + sx),
            static_cast<int>(offset / body.Pitch + sy)};
}

// Draws the rectangle of `width` x `height` pixels at `spot` of the body through its run
// table, each run cut to the rectangle and drawn by its class's loop. A whole body's rows are
// walked one after the other; a part's rows are found through the table's row index.
void DrawRuns(const blit::BlitSetup& setup, const MemImgBody& body, BodySpot spot,
              const RunLoops& loops, Rows rows, int width, int height) {
    const bool whole = spot.x == 0 && spot.y == 0 && width == body.Width && height == body.Height;
    const int end = spot.x + width;
    const std::uint8_t* next_row = body.RunTable;
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* run = whole ? next_row : MemImgRunRow(body, spot.y + row);
        for (int x = 0; *run < kRunRowEnd; ++run) {
            const int from = std::max(x, spot.x);
            const int to = std::min(x + (*run & 0x3F) + 1, end);
            const blit::RowFunction loop = loops[*run >> 6];
            if (loop != nullptr && to > from) {
                const int skip = from - spot.x;
                loop(rows.destination + std::int64_t{skip} * setup.destination_bytes,
                     rows.source + std::int64_t{skip} * setup.source_bytes,
                     rows.blend != nullptr ? rows.blend + skip : nullptr, to - from, setup.context);
            }
            x += (*run & 0x3F) + 1;
            if (!whole && x >= end) {
                break;
            }
        }
        next_row = run + 1;
        rows.Advance();
    }
}

// Whether the per-pixel alpha test of the mode draws an alpha-0 pixel (with its alpha as the
// factor) instead of skipping it.
bool DrawsAlphaZero(const blit::RowChoice& choice) {
    const blit::Kind tested{choice.wide,   choice.source, choice.mode,       choice.blend,
                            choice.bright, true,          blit::Route::Plain};
    return !blit::SkipsAlphaZero(tested);
}

}  // namespace

void RenderMemImg(MEMIMG* destination, const MEMIMG* source, int x, int y, int transparency,
                  const MEMIMG* blend_image, const SoftDrawState& state) {
    blit::BlitSetup setup;
    if (!blit::PrepareBlit(destination, source, blend_image, transparency, state, &setup)) {
        return;
    }
    Rect rect{x, y, Saturate(std::int64_t{x} + source->Width),
              Saturate(std::int64_t{y} + source->Height)};
    ClipRect(&rect, setup.area);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width == 0 || height == 0) {
        return;
    }
    const std::int64_t sx = std::int64_t{rect.left} - x;
    const std::int64_t sy = std::int64_t{rect.top} - y;
    Rows rows{};
    rows.destination_pitch = destination->Body->Pitch;
    rows.source_pitch = source->Body->Pitch;
    rows.destination = destination->Pixels + rect.top * rows.destination_pitch +
                       std::int64_t{rect.left} * setup.destination_bytes;
    rows.source = source->Pixels + sy * rows.source_pitch + sx * setup.source_bytes;
    if (blend_image != nullptr) {
        rows.blend_pitch = blend_image->Body->Pitch;
        rows.blend = blend_image->Pixels + sy * rows.blend_pitch + sx;
    }

    const MemImgBody& body = *source->Body;
    const bool runs = transparency != 0 && body.RunTableValid == 1;
    const bool whole = transparency == 1 && width == source->Width && height == source->Height &&
                       CoversWholeBody(*source);
    const bool alpha = setup.choice.source == blit::Source::Alpha;
    // The run table's own path draws a whole body. The runs of an alpha source, whole or in
    // part, only spare the per-pixel alpha tests: alpha 255 without the alpha factor, other
    // alphas with theirs, and alpha 0 still drawn by the modes that draw it.
    if (runs && (whole || alpha)) {
        RunLoops loops{nullptr, blit::SelectRow(blit::Route::RunOpaque, setup.choice),
                       blit::SelectRow(blit::Route::RunTranslucent, setup.choice)};
        if (alpha && DrawsAlphaZero(setup.choice)) {
            loops[0] = loops[2];
        }
        DrawRuns(setup, body, SpotInBody(*source, sx, sy, setup.source_bytes), loops, rows, width,
                 height);
        return;
    }
    const blit::RowFunction draw_row = blit::SelectRow(blit::Route::Plain, setup.choice);
    for (int row = 0; row < height; ++row) {
        draw_row(rows.destination, rows.source, rows.blend, width, setup.context);
        rows.Advance();
    }
}

}  // namespace layer
