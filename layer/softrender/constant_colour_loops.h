#pragma once

#include <cstdint>

#include "layer/softrender/constant_colour_rule.h"

namespace layer {

// count pixels side by side from dest (box rows, flat triangle spans).
using ConstantSpanFn = void (*)(const ConstantColour& colour, std::uint8_t* dest, int count);

// A line of `major` pixels from dest: every pixel steps along the major axis; the error
// accumulator adds `minor` per pixel and steps along the minor axis when it reaches `major`.
using ConstantLineFn = void (*)(const ConstantColour& colour, std::uint8_t* dest, int major,
                                int minor, std::int64_t major_step, std::int64_t minor_step);

struct ConstantLoops {
    ConstantSpanFn span = nullptr;
    ConstantLineFn line = nullptr;
};

// The loops of one destination format and effective BlendMode code; nulls for a code that
// draws nothing.
ConstantLoops SelectConstantLoops(bool bits32, int code);

}  // namespace layer
